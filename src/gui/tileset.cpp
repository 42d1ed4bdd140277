// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tileset.h"

#include <QIconEngine>
#include <QPainter>

#include <array>

namespace
{

#include "art/glyph_apply.xpm"
#include "art/glyph_cancel.xpm"
#include "art/glyph_first.xpm"
#include "art/glyph_last.xpm"
#include "art/glyph_next.xpm"
#include "art/glyph_previous.xpm"
#include "art/glyph_random.xpm"
#include "art/icon_application.xpm"
#include "art/icon_editor.xpm"
#include "art/icon_infos.xpm"
#include "art/icon_play.xpm"
#include "art/tile_box1.xpm"
#include "art/tile_box2.xpm"
#include "art/tile_bramlek1.xpm"
#include "art/tile_bramlek2.xpm"
#include "art/tile_empty.xpm"
#include "art/tile_target.xpm"
#include "art/tile_wall.xpm"

struct TCellTile {
    char Cell;
    TTilePicture Tile;
};

constexpr std::array<TCellTile, 6> CellTiles{{
    {'#', TTilePicture::Wall},
    {'.', TTilePicture::Target},
    {'$', TTilePicture::Box1},
    {'*', TTilePicture::Box2},
    {'@', TTilePicture::Bramlek1},
    {'+', TTilePicture::Bramlek2},
}};

// In the order of TTilePicture.
constexpr std::array<const char *const *, 7> TileArt{
    tile_wall_xpm, tile_empty_xpm,    tile_target_xpm,   tile_box1_xpm,
    tile_box2_xpm, tile_bramlek1_xpm, tile_bramlek2_xpm,
};

// In the order of TPlayGlyph.
constexpr std::array<const char *const *, 5> PlayGlyphArt{
    glyph_first_xpm, glyph_previous_xpm, glyph_random_xpm, glyph_next_xpm, glyph_last_xpm,
};

QImage Decode(const char *const *xpm, QImage::Format format)
{
    return QImage(xpm).convertToFormat(format);
}

// QIcon's own engine smooths a picture it has to enlarge, which turns a
// one-pixel frame into a ramp of greys at 150 % or 200 %. This one makes every
// pixmap at the exact number of device pixels asked for, nearest-neighbour.
class TPixelArtIconEngine : public QIconEngine
{
public:
    explicit TPixelArtIconEngine(const QImage &picture) : myPicture(picture) {}

    QIconEngine *clone() const override { return new TPixelArtIconEngine(myPicture); }

    QString key() const override { return QStringLiteral("vorkade-pixel-art"); }

    bool isNull() override { return myPicture.isNull(); }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {myPicture.size()}; }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // Every mode and state shows the same picture: a greyed copy would be smoothed again.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode, QIcon::State, qreal scale) override
    {
        const QSize devicePixels = (QSizeF(size) * scale).toSize();
        if (devicePixels.isEmpty() || myPicture.isNull())
            return {};
        QPixmap pixmap = QPixmap::fromImage(
            myPicture.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    // Drawn straight from the picture: at 150 % a 17-pixel glyph covers 25.5
    // device pixels, which no pixmap fills exactly, and Qt smooths a pixmap it
    // has to fit at a fractional ratio unless told not to.
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter->drawImage(rect, myPicture);
        painter->restore();
    }

private:
    QImage myPicture;
};

} // namespace

TTilePicture TileOf(char cell)
{
    for (const TCellTile &entry : CellTiles) {
        if (entry.Cell == cell)
            return entry.Tile;
    }
    return TTilePicture::Empty;
}

const QImage &TileImage(TTilePicture tile)
{
    // Decoded once, on first use.
    static const std::array<QImage, 7> tiles = [] {
        std::array<QImage, 7> decoded;
        for (std::size_t i = 0; i < decoded.size(); ++i)
            decoded[i] = Decode(TileArt[i], QImage::Format_RGB32);
        return decoded;
    }();
    return tiles[static_cast<std::size_t>(tile)];
}

QImage PaletteGlyph(TTilePicture tile)
{
    QImage glyph(TileSize + 2, TileSize + 2, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    const QImage &art = TileImage(tile);
    for (int y = 0; y < TileSize; ++y) {
        for (int x = 0; x < TileSize; ++x)
            glyph.setPixel(x + 1, y + 1, art.pixel(x, y));
    }
    return glyph;
}

QImage PlayGlyph(TPlayGlyph glyph)
{
    return Decode(PlayGlyphArt[static_cast<std::size_t>(glyph)], QImage::Format_RGB32);
}

QImage TickGlyph()
{
    return Decode(glyph_apply_xpm, QImage::Format_RGB32);
}

QImage CrossGlyph()
{
    return Decode(glyph_cancel_xpm, QImage::Format_RGB32);
}

QImage PlayIconImage()
{
    return Decode(icon_play_xpm, QImage::Format_ARGB32);
}

QImage EditorIconImage()
{
    return Decode(icon_editor_xpm, QImage::Format_ARGB32);
}

QImage InfosIconImage()
{
    return Decode(icon_infos_xpm, QImage::Format_ARGB32);
}

QImage ApplicationIconImage()
{
    return Decode(icon_application_xpm, QImage::Format_ARGB32);
}

QIcon GlyphIcon(const QImage &glyph)
{
    QImage face = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = face.pixel(0, face.height() - 1);
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            if (face.pixel(x, y) == transparent)
                face.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return PixelArtIcon(face);
}

QIcon PixelArtIcon(const QImage &picture)
{
    return QIcon(new TPixelArtIconEngine(picture));
}
