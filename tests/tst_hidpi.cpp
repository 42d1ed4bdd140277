// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// The frame as a 150 % or 200 % screen shows it: one grab of the whole frame,
// read back device pixel by device pixel. Pixel art must stay pixel art: every
// device pixel of a glyph, an icon or the board is one of the picture's own
// colours, never a blend of two.
//
// The ratio is fixed before the application exists, so each ratio is its own
// run: "tst_hidpi 1.5" (2 when none is given).
#include "fediteur.h"
#include "finfos.h"
#include "fmain.h"
#include "fplay2d.h"
#include "guitest.h"
#include "imageview.h"
#include "tileset.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolButton>

#include <cmath>

namespace
{

QMdiSubWindow *ChildOf(QWidget *content)
{
    return qobject_cast<QMdiSubWindow *>(content->parentWidget());
}

} // namespace

class TstHiDpi : public QObject
{
    Q_OBJECT

public:
    explicit TstHiDpi(qreal ratio) : myRatio(ratio) {}

private slots:
    void initTestCase();
    void cleanupTestCase();
    void glyphs_data();
    void glyphs();
    void boards();
    void titleBarIcons();

private:
    // The device pixels wholly inside a widget, in the frame's grab.
    QRect DevicePixels(const QWidget *widget) const;

    qreal myRatio;
    QImage myFrame;
};

void TstHiDpi::initTestCase()
{
    PrepareGuiTest();
    QCOMPARE(qApp->devicePixelRatio(), myRatio);
    CreateMainWindows();
    FRMMain->resize(800, 900);
    FRMMain->show();
    QVERIFY(QTest::qWaitForWindowExposed(FRMMain));
    Item("MNUAfficherEditeur")->trigger();
    Item("MNUAideInformations")->trigger();
    // One band each, so that nothing is hidden behind another window.
    FRMMain->MNUFenetreMosaiqueHorizontaleClick();
    myFrame = FRMMain->grab().toImage();
    QCOMPARE(myFrame.size(), (QSizeF(FRMMain->size()) * myRatio).toSize());
}

void TstHiDpi::cleanupTestCase()
{
    DestroyMainWindows();
}

QRect TstHiDpi::DevicePixels(const QWidget *widget) const
{
    const QRectF logical(widget->mapTo(FRMMain, QPoint(0, 0)), widget->size());
    const int left = int(std::ceil(logical.left() * myRatio));
    const int top = int(std::ceil(logical.top() * myRatio));
    const int right = int(std::floor(logical.right() * myRatio)); // first pixel past
    const int bottom = int(std::floor(logical.bottom() * myRatio));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void TstHiDpi::glyphs_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QImage>("glyph");
    QTest::newRow("first") << "BTNPremierNiveau" << PlayGlyph(TPlayGlyph::First);
    QTest::newRow("previous") << "BTNNiveauPrecedent" << PlayGlyph(TPlayGlyph::Previous);
    QTest::newRow("random") << "BTNNiveauAleatoire" << PlayGlyph(TPlayGlyph::Random);
    QTest::newRow("next") << "BTNNiveauSuivant" << PlayGlyph(TPlayGlyph::Next);
    QTest::newRow("last") << "BTNDernierNiveau" << PlayGlyph(TPlayGlyph::Last);
    QTest::newRow("wall") << "BTNWall" << PaletteGlyph(TTilePicture::Wall);
    QTest::newRow("target") << "BTNTarget" << PaletteGlyph(TTilePicture::Target);
    QTest::newRow("box") << "BTNBox1" << PaletteGlyph(TTilePicture::Box1);
    QTest::newRow("box on target") << "BTNBox2" << PaletteGlyph(TTilePicture::Box2);
    QTest::newRow("keeper") << "BTNBramlek1" << PaletteGlyph(TTilePicture::Bramlek1);
    QTest::newRow("keeper on target") << "BTNBramlek2" << PaletteGlyph(TTilePicture::Bramlek2);
    QTest::newRow("blank") << "BTNEmpty" << PaletteGlyph(TTilePicture::Empty);
    QTest::newRow("apply") << "BTNValider" << TickGlyph();
    QTest::newRow("cancel") << "BTNAnnuler" << CrossGlyph();
}

void TstHiDpi::glyphs()
{
    QFETCH(QString, button);
    QFETCH(QImage, glyph);
    const auto *widget = FRMMain->findChild<QToolButton *>(button);
    QVERIFY(widget);
    const QRect area = DevicePixels(widget);
    // The glyph stands centred, clear of the button's edges: the corner is the face.
    const QRgb face = myFrame.pixel(area.topLeft());

    const QRgb transparent = glyph.pixel(0, glyph.height() - 1);
    QSet<QRgb> own{face};
    int drawn = 0;
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            if (glyph.pixel(x, y) != transparent) {
                own << glyph.pixel(x, y);
                ++drawn;
            }
        }
    }

    int shown = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = myFrame.pixel(x, y);
            QVERIFY2(own.contains(pixel), qPrintable(QStringLiteral("#%1 at %2,%3")
                                                         .arg(pixel & 0xffffff, 6, 16, QChar('0'))
                                                         .arg(x - area.left())
                                                         .arg(y - area.top())));
            shown += pixel != face;
        }
    }
    // Each picture pixel covers between floor(ratio) and ceil(ratio) device
    // pixels each way: all of it is shown, enlarged, none left out.
    const int least = int(std::floor(myRatio)) * int(std::floor(myRatio));
    const int most = int(std::ceil(myRatio)) * int(std::ceil(myRatio));
    QVERIFY2(shown >= drawn * least && shown <= drawn * most,
             qPrintable(QStringLiteral("%1 device pixels for %2").arg(shown).arg(drawn)));
}

void TstHiDpi::boards()
{
    for (const TImageView *view : {FRMPlay2D->ImageBramlek(), FRMEditeur->ImageEditor()}) {
        const QImage &picture = view->Picture();
        QVERIFY(!picture.isNull());
        const QRect area = DevicePixels(view) & myFrame.rect();
        const QPointF origin = QPointF(view->mapTo(FRMMain, view->PictureOffset())) * myRatio;
        // Device pixel p shows the picture pixel it falls in; one straddling a
        // border between two picture pixels may take either, nothing else.
        const auto candidates = [&](int device, qreal from) {
            const qreal start = (device - from) / myRatio;
            const qreal end = (device + 1 - from) / myRatio;
            return std::make_pair(int(std::floor(start + 1e-9)), int(std::ceil(end - 1e-9)) - 1);
        };
        int compared = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const auto [row0, row1] = candidates(y, origin.y());
            if (row0 < 0 || row1 >= picture.height())
                continue;
            for (int x = area.left(); x <= area.right(); ++x) {
                const auto [column0, column1] = candidates(x, origin.x());
                if (column0 < 0 || column1 >= picture.width())
                    continue;
                const QRgb shown = myFrame.pixel(x, y);
                bool matches = false;
                for (int row = row0; row <= row1 && !matches; ++row) {
                    for (int column = column0; column <= column1 && !matches; ++column)
                        matches = picture.pixel(column, row) == shown;
                }
                QVERIFY2(matches, qPrintable(QStringLiteral("%1: device pixel %2,%3")
                                                 .arg(view->objectName())
                                                 .arg(x)
                                                 .arg(y)));
                ++compared;
            }
        }
        // The level 1 picture stands whole in its band: every picture pixel compared.
        QVERIFY(compared >= picture.width() * picture.height());

        // At a whole ratio the match is exact: each picture pixel a square of device pixels.
        if (myRatio == std::floor(myRatio) && origin == origin.toPoint()) {
            const QRect shown(origin.toPoint(), picture.size() * myRatio);
            const QRect visible = shown & area;
            const QImage enlarged = picture.scaled(picture.size() * myRatio, Qt::IgnoreAspectRatio,
                                                   Qt::FastTransformation);
            QImage device = myFrame.copy(visible).convertToFormat(QImage::Format_RGB32);
            device.setDevicePixelRatio(1);
            QCOMPARE(device, enlarged.copy(visible.translated(-shown.topLeft())));
        }
    }
}

void TstHiDpi::titleBarIcons()
{
    // Inside their transparent margin the three icons hold only red and yellow.
    const QSet<QRgb> own{qRgb(255, 0, 0), qRgb(255, 255, 0)};
    for (QWidget *content : std::initializer_list<QWidget *>{FRMPlay2D, FRMEditeur, FRMInfos}) {
        const QMdiSubWindow *child = ChildOf(content);
        QRect titleBar = DevicePixels(child);
        titleBar.setBottom(int(std::floor(content->mapTo(FRMMain, QPoint(0, 0)).y() * myRatio)));
        QRect icon;
        for (int y = titleBar.top(); y <= titleBar.bottom(); ++y) {
            for (int x = titleBar.left(); x <= titleBar.right(); ++x) {
                if (own.contains(myFrame.pixel(x, y)))
                    icon |= QRect(x, y, 1, 1);
            }
        }
        // The 14 x 14 inside of the icon, enlarged to the title bar's icon size.
        QVERIFY2(std::abs(icon.width() - icon.height()) <= 1 && icon.width() >= 14 * myRatio - 1,
                 qPrintable(content->windowTitle()));
        for (int y = icon.top(); y <= icon.bottom(); ++y) {
            for (int x = icon.left(); x <= icon.right(); ++x)
                QVERIFY2(own.contains(myFrame.pixel(x, y)), qPrintable(content->windowTitle()));
        }
    }
}

int main(int argc, char *argv[])
{
    QByteArray ratio("2");
    if (argc > 1 && argv[1][0] != '-') {
        ratio = argv[1];
        for (int i = 1; i + 1 < argc; ++i)
            argv[i] = argv[i + 1];
        --argc;
    }
    qputenv("QT_SCALE_FACTOR", ratio);
    QApplication application(argc, argv);
    TstHiDpi test(ratio.toDouble());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
