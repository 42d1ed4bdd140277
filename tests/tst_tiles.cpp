// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// The pixel art, checked at the pixels its design names.
#include "guitest.h"
#include "tileset.h"

#include <QRegularExpression>

namespace
{

using TPixels = QList<QPair<QPoint, QRgb>>;

// The points of a rectangle's one-pixel outline.
QList<QPoint> Outline(int from, int to)
{
    QList<QPoint> points;
    for (int i = from; i <= to; ++i)
        points << QPoint(i, from) << QPoint(i, to) << QPoint(from, i) << QPoint(to, i);
    return points;
}

TPixels Paint(const QList<QPoint> &points, QRgb colour)
{
    TPixels pixels;
    for (const QPoint &p : points)
        pixels << qMakePair(p, colour);
    return pixels;
}

QList<QPoint> Lines(const QList<int> &at, int from, int to)
{
    QList<QPoint> points;
    for (int line : at) {
        for (int i = from; i <= to; ++i)
            points << QPoint(i, line) << QPoint(line, i);
    }
    return points;
}

// The columns a glyph's symbol covers on a row, as "first-last first-last".
QString Spans(const QImage &glyph, int row)
{
    QStringList spans;
    int start = -1;
    for (int x = 2; x <= 15; ++x) {
        const bool black = x < 15 && glyph.pixel(x, row) == qRgb(0, 0, 0);
        if (black && start < 0)
            start = x;
        if (!black && start >= 0) {
            spans << QStringLiteral("%1-%2").arg(start).arg(x - 1);
            start = -1;
        }
    }
    return spans.join(' ');
}

} // namespace

class TstTiles : public QObject
{
    Q_OBJECT

private slots:

    void initTestCase() { PrepareGuiTest(); }

    void tiles_data();
    void tiles();
    void everyTileKeepsItsRing();
    void paletteGlyphFramesItsTile();
    void playGlyphs_data();
    void playGlyphs();
    void editorGlyphs();
    void icons_data();
    void icons();
};

void TstTiles::tiles_data()
{
    QTest::addColumn<int>("tile");
    QTest::addColumn<QRgb>("background");
    QTest::addColumn<TPixels>("pixels"); // every pixel not listed is background

    const QRgb light = qRgb(192, 192, 192);
    TPixels wall = Paint(Outline(1, 13), light);
    wall << Paint({{3, 3}, {11, 3}, {3, 11}, {11, 11}}, light);
    QTest::newRow("wall") << int(TTilePicture::Wall) << qRgb(64, 64, 64) << wall;
    QTest::newRow("floor") << int(TTilePicture::Empty) << qRgb(0, 0, 0) << TPixels();

    const QList<QPoint> lattice = Lines({1, 5, 9, 13}, 1, 13);
    QTest::newRow("box") << int(TTilePicture::Box1) << qRgb(128, 0, 0)
                         << Paint(lattice, qRgb(255, 64, 64));
    QTest::newRow("box on target")
        << int(TTilePicture::Box2) << qRgb(96, 96, 0) << Paint(lattice, qRgb(224, 224, 1));

    QList<QPoint> frame = Outline(1, 13);
    for (int i = 1; i <= 13; ++i)
        frame << QPoint(i, 7);
    for (int i = 1; i <= 7; ++i)
        frame << QPoint(7, i);
    QTest::newRow("keeper") << int(TTilePicture::Bramlek1) << qRgb(0, 0, 224)
                            << Paint(frame, qRgb(0, 222, 222));
    QTest::newRow("keeper on target")
        << int(TTilePicture::Bramlek2) << qRgb(96, 0, 96) << Paint(frame, qRgb(255, 128, 255));
}

void TstTiles::tiles()
{
    QFETCH(int, tile);
    QFETCH(QRgb, background);
    QFETCH(TPixels, pixels);

    const QImage &image = TileImage(TTilePicture(tile));
    QCOMPARE(image.size(), QSize(15, 15));
    QImage expected(15, 15, QImage::Format_RGB32);
    expected.fill(background);
    for (const auto &[point, colour] : pixels)
        expected.setPixel(point, colour);
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 15; ++x)
            QVERIFY2(image.pixel(x, y) == expected.pixel(x, y),
                     qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    }
}

// The target's cross is drawn freely within its colours, so it is checked by its
// landmarks: the bright core on both diagonals, green flanks, caps at the corners.
void TstTiles::everyTileKeepsItsRing()
{
    for (int t = int(TTilePicture::Wall); t <= int(TTilePicture::Bramlek2); ++t) {
        const QImage &image = TileImage(TTilePicture(t));
        const QRgb ring = image.pixel(0, 0);
        for (int i = 0; i < 15; ++i) {
            QCOMPARE(image.pixel(i, 0), ring);
            QCOMPARE(image.pixel(i, 14), ring);
            QCOMPARE(image.pixel(0, i), ring);
            QCOMPARE(image.pixel(14, i), ring);
        }
    }

    const QImage &target = TileImage(TTilePicture::Target);
    const QRgb bright = qRgb(0, 255, 0), medium = qRgb(0, 192, 0), dark = qRgb(0, 128, 0);
    QCOMPARE(target.pixel(0, 0), qRgb(0, 0, 0));
    for (int i = 3; i <= 11; ++i) {
        QCOMPARE(target.pixel(i, i), bright);
        QCOMPARE(target.pixel(14 - i, i), bright);
    }
    QCOMPARE(target.pixel(4, 3), medium); // flanks of the core at its upper-left end
    QCOMPARE(target.pixel(2, 3), medium);
    QCOMPARE(target.pixel(5, 3), dark);
    QCOMPARE(target.pixel(1, 3), dark);
    QCOMPARE(target.pixel(7, 3), qRgb(0, 0, 0)); // between the arms
    QCOMPARE(target.pixel(7, 1), qRgb(0, 0, 0));
    for (const QPoint &corner : {QPoint(1, 1), QPoint(13, 1), QPoint(1, 13), QPoint(13, 13)})
        QCOMPARE(target.pixel(corner), dark);
    QSet<QRgb> colours;
    for (int y = 0; y < 15; ++y) {
        for (int x = 0; x < 15; ++x)
            colours << target.pixel(x, y);
    }
    QCOMPARE(colours, QSet<QRgb>({qRgb(0, 0, 0), bright, medium, dark}));
}

void TstTiles::paletteGlyphFramesItsTile()
{
    for (int t = int(TTilePicture::Wall); t <= int(TTilePicture::Bramlek2); ++t) {
        const QImage glyph = PaletteGlyph(TTilePicture(t));
        QCOMPARE(glyph.size(), QSize(17, 17));
        QCOMPARE(glyph.copy(1, 1, 15, 15), TileImage(TTilePicture(t)));
        for (const QPoint &p : Outline(0, 16))
            QCOMPARE(glyph.pixel(p), qRgb(255, 255, 255));
        const QImage face = GlyphIcon(glyph).pixmap(17, 17).toImage();
        QCOMPARE(qAlpha(face.pixel(0, 16)), 0);
        QCOMPARE(qAlpha(face.pixel(8, 8)), 255);
    }

    // The bottom-left pixel alone names the see-through colour.
    QImage corners(2, 3, QImage::Format_RGB32);
    corners.fill(Qt::blue);
    corners.setPixel(0, 2, qRgb(255, 255, 255));
    corners.setPixel(1, 1, qRgb(255, 255, 255));
    const QImage face = GlyphIcon(corners).pixmap(2, 3).toImage();
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 2; ++x)
            QCOMPARE(qAlpha(face.pixel(x, y)),
                     corners.pixel(x, y) == qRgb(255, 255, 255) ? 0 : 255);
    }
}

void TstTiles::playGlyphs_data()
{
    QTest::addColumn<int>("glyph");
    QTest::addColumn<QStringList>("rows"); // the symbol on rows 4 to 12

    QTest::newRow("first") << int(TPlayGlyph::First)
                           << QStringList{"7-7 12-12", "6-7 11-12", "5-7 10-12", "4-7 9-12", "3-12",
                                          "4-7 9-12",  "5-7 10-12", "6-7 11-12", "7-7 12-12"};
    QTest::newRow("previous") << int(TPlayGlyph::Previous)
                              << QStringList{"9-9", "8-9", "7-9", "6-9", "5-9",
                                             "6-9", "7-9", "8-9", "9-9"};
    QTest::newRow("random") << int(TPlayGlyph::Random)
                            << QStringList{"8-8",  "7-9",  "6-10", "5-11", "4-12",
                                           "5-11", "6-10", "7-9",  "8-8"};
    QTest::newRow("next") << int(TPlayGlyph::Next)
                          << QStringList{"7-7",  "7-8", "7-9", "7-10", "7-11",
                                         "7-10", "7-9", "7-8", "7-7"};
    QTest::newRow("last") << int(TPlayGlyph::Last)
                          << QStringList{"4-4 9-9",  "4-5 9-10", "4-6 9-11", "4-7 9-12", "4-13",
                                         "4-7 9-12", "4-6 9-11", "4-5 9-10", "4-4 9-9"};
}

void TstTiles::playGlyphs()
{
    QFETCH(int, glyph);
    QFETCH(QStringList, rows);

    const QImage image = PlayGlyph(TPlayGlyph(glyph));
    QCOMPARE(image.size(), QSize(17, 17));
    for (const QPoint &p : Outline(0, 16))
        QCOMPARE(image.pixel(p), qRgb(255, 255, 255));
    for (const QPoint &p : Outline(1, 15))
        QCOMPARE(image.pixel(p), qRgb(0, 0, 0));
    for (int row = 2; row <= 14; ++row) {
        const QString expected = (row >= 4 && row <= 12) ? rows[row - 4] : QString();
        QCOMPARE(Spans(image, row), expected);
    }
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 17; ++x) {
            const QRgb c = image.pixel(x, y);
            QVERIFY(c == qRgb(0, 0, 0) || c == qRgb(255, 255, 255));
        }
    }
}

void TstTiles::editorGlyphs()
{
    const QRgb olive = qRgb(128, 128, 0);

    const struct {
        QImage image;
        QSet<QRgb> colours;
    } glyphs[] = {
        {TickGlyph(), {olive, qRgb(0, 128, 0), qRgb(0, 255, 0), qRgb(0, 0, 128)}},
        {CrossGlyph(), {olive, qRgb(128, 0, 0), qRgb(255, 0, 0), qRgb(128, 128, 128)}},
    };

    for (const auto &glyph : glyphs) {
        QCOMPARE(glyph.image.size(), QSize(18, 18));
        QCOMPARE(glyph.image.pixel(0, 17), olive);
        QSet<QRgb> used;
        for (int y = 0; y < 18; ++y) {
            for (int x = 0; x < 18; ++x)
                used << glyph.image.pixel(x, y);
        }
        QCOMPARE(used, glyph.colours);
    }
    // Light on the upper-left edges, shade on the lower-right ones.
    const QImage tick = TickGlyph();
    QCOMPARE(tick.pixel(13, 3), qRgb(0, 255, 0));
    QCOMPARE(tick.pixel(8, 14), qRgb(0, 0, 128));
    QCOMPARE(tick.pixel(8, 12), qRgb(0, 128, 0));
    const QImage cross = CrossGlyph();
    QCOMPARE(cross.pixel(2, 3), qRgb(255, 0, 0));
    QCOMPARE(cross.pixel(4, 4), qRgb(128, 0, 0));
    QCOMPARE(cross.pixel(15, 14), qRgb(128, 128, 128));
}

void TstTiles::icons_data()
{
    QTest::addColumn<QImage>("icon");
    QTest::addColumn<bool>("transparentRing");
    QTest::addColumn<TPixels>("pixels");

    const QRgb red = qRgb(255, 0, 0), yellow = qRgb(255, 255, 0);
    TPixels play = Paint(Outline(1, 14), red) + Paint(Outline(2, 13), yellow);
    play << Paint({{3, 3}, {12, 12}, {3, 8}}, red);
    play << Paint({{4, 4}, {11, 11}, {7, 7}, {8, 4}}, yellow);
    play << Paint({{5, 5}, {6, 6}, {9, 5}, {10, 6}, {5, 9}, {10, 10}, {7, 9}}, red);
    play << Paint({{7, 6}, {8, 6}, {5, 8}, {5, 11}}, yellow);
    QTest::newRow("play window") << PlayIconImage() << true << play;

    TPixels editor = Paint(Outline(1, 14), red) + Paint(Outline(2, 13), yellow);
    for (int line : {3, 6, 9, 12}) {
        for (int i = 3; i <= 12; ++i)
            editor << qMakePair(QPoint(i, line), red) << qMakePair(QPoint(line, i), red);
    }
    editor << Paint({{4, 4}, {5, 5}, {7, 4}, {8, 8}, {10, 10}, {11, 11}, {4, 11}}, yellow);
    QTest::newRow("editor window") << EditorIconImage() << true << editor;

    TPixels infos = Paint(Outline(1, 14), red);
    infos << Paint({{7, 3}, {8, 4}, {7, 6}, {8, 12}, {7, 9}}, red);
    infos << Paint({{7, 5}, {8, 5}, {7, 13}, {6, 8}, {9, 8}, {2, 2}, {13, 13}, {7, 2}}, yellow);
    QTest::newRow("information window") << InfosIconImage() << true << infos;

    const QRgb blue = qRgb(0, 0, 255), cyan = qRgb(0, 255, 255), navy = qRgb(0, 0, 128);
    TPixels application = Paint(Outline(0, 31), blue);
    application << Paint({{1, 1}, {2, 2}, {30, 30}, {15, 8}, {16, 8}, {8, 15}, {8, 16}, {20, 16}},
                         cyan);
    application << Paint({{3, 3}, {14, 14}, {17, 3}, {28, 14}, {3, 17}, {28, 28}, {15, 17}}, blue);
    application << Paint({{4, 4}, {13, 13}, {18, 4}, {27, 13}, {4, 18}, {27, 27}, {15, 20}}, navy);
    QTest::newRow("application") << ApplicationIconImage() << false << application;
}

void TstTiles::icons()
{
    QFETCH(QImage, icon);
    QFETCH(bool, transparentRing);
    QFETCH(TPixels, pixels);

    const int last = icon.width() - 1;
    for (const QPoint &p : Outline(0, last))
        QCOMPARE(qAlpha(icon.pixel(p)), transparentRing ? 0 : 255);
    for (const auto &[point, colour] : pixels)
        QVERIFY2(icon.pixel(point) == colour,
                 qPrintable(QStringLiteral("pixel %1,%2").arg(point.x()).arg(point.y())));
    for (int y = 1; y < last; ++y) {
        for (int x = 1; x < last; ++x)
            QCOMPARE(qAlpha(icon.pixel(x, y)), 255);
    }
    // No picture makes the null icon, whose pixmaps are null too, quietly.
    QVERIFY(!PixelArtIcon(icon).isNull());
    QTest::failOnWarning(QRegularExpression("."));
    const QIcon none = PixelArtIcon(QImage());
    QVERIFY(none.isNull());
    QVERIFY(none.pixmap(17, 17).isNull());
}

QTEST_MAIN(TstTiles)
#include "tst_tiles.moc"
