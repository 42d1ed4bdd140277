#include "tileset.h"

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
    TTile Tile;
};

constexpr std::array<TCellTile, 6> CellTiles{{
    {'#', TTile::Wall},
    {'.', TTile::Target},
    {'$', TTile::Box1},
    {'*', TTile::Box2},
    {'@', TTile::Bramlek1},
    {'+', TTile::Bramlek2},
}};

// In the order of TTile.
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

} // namespace

TTile TileOf(char cell)
{
    for (const TCellTile &entry : CellTiles) {
        if (entry.Cell == cell)
            return entry.Tile;
    }
    return TTile::Empty;
}

const QImage &TileImage(TTile tile)
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

QImage PaletteGlyph(TTile tile)
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
    return QIcon(QPixmap::fromImage(face));
}
