// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// The level editor inside the frame, driven by real mouse events; and the new-level command.
#include "fediteur.h"
#include "fmain.h"
#include "fplay2d.h"
#include "guitest.h"
#include "imageview.h"
#include "playfixture.h"
#include "tileset.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolButton>

#include <memory>

namespace
{

QMdiSubWindow *EditorChild()
{
    return qobject_cast<QMdiSubWindow *>(FRMEditeur->parentWidget());
}

TImageView *View()
{
    return FRMEditeur->ImageEditor();
}

QStringList EditorBoard()
{
    return RowsOf(FRMEditeur->Tablo(), FRMEditeur->BoardWidth(), FRMEditeur->BoardHeight());
}

QStringList Blank(int columns, int rows, QChar fill = '-')
{
    return QStringList(rows, QString(columns, fill));
}

// A 16 x 12 level of walls with a keeper, a box and a target in its first row.
QStringList Walled()
{
    QStringList rows = Blank(16, 12, '#');
    rows[0] = "#@$.  *+       #";
    return rows;
}

void Click(const char *button)
{
    QTest::mouseClick(FRMEditeur->findChild<QToolButton *>(QString::fromLatin1(button)),
                      Qt::LeftButton);
}

const QString UnderConstruction = QString::fromUtf8("En construction... désolé !!");

} // namespace

class TstEditeur : public QObject
{
    Q_OBJECT

private slots:

    void initTestCase() { PrepareGuiTest(); }

    void init();
    void cleanup();

    void opensWithACopyOfTheLevel();
    void boardPicture();
    void workedExample();
    void pressesMapToCells_data();
    void pressesMapToCells();
    void leftDragPaintsEachMove();
    void rightDragPicksTheLastCell();
    void bothButtonsPickThenPut();
    void palette_data();
    void palette();
    void pickingFloorGivesASpace();
    void wideLevelIsCroppedAndMapped();
    void resizingRecentresTheMapping();
    void dragOutsideKeepsPainting();
    void commandsDiscardEdits_data();
    void commandsDiscardEdits();
    void applyAndCancelChangeNothing_data();
    void applyAndCancelChangeNothing();
    void levelWithoutCells();
    void menuShowsTheSameEditor();
    void newLevelDeclined_data();
    void newLevelDeclined();
    void newLevelAfterDeleteAll();
    void newLevelTwiceWithEditorMinimised();
    void newLevelOnTheBuiltInSet();

private:
    void OpenEditorOn(const QList<QStringList> &levels, int current = 1)
    {
        UseLevels(levels, current);
        if (!FRMEditeur)
            Item("MNUAfficherEditeur")->trigger();
        QVERIFY(FRMEditeur);
    }

    // Bitmap pixel (bx, by) as the control's own coordinates at the design size.
    static QPoint At(int bx, int by) { return QPoint(bx + 107, by + 51); }

    std::unique_ptr<TBoxWatch> myBoxes;
};

void TstEditeur::init()
{
    CreateMainWindows();
    FRMMain->show();
    QVERIFY(QTest::qWaitForWindowExposed(FRMMain));
    myBoxes = std::make_unique<TBoxWatch>();
}

void TstEditeur::cleanup()
{
    myBoxes.reset();
    DestroyMainWindows();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TstEditeur::opensWithACopyOfTheLevel()
{
    QVERIFY(!FRMEditeur);
    Item("MNUAfficherEditeur")->trigger();
    QVERIFY(FRMEditeur);
    QCOMPARE(EditorChild()->windowTitle(), QString("Editeur de Niveaux"));
    QCOMPARE(FRMEditeur->size(), QSize(472, 333));
    QCOMPARE(View()->geometry(), QRect(0, 25, 472, 295));
    QCOMPARE(View()->cursor().shape(), Qt::CrossCursor);
    auto *infos = FRMEditeur->findChild<QLabel *>("LBLInfos");
    QCOMPARE(infos->geometry(), QRect(0, 320, 472, 13));
    QCOMPARE(infos->text(), QString());
    QCOMPARE(infos->alignment(), Qt::AlignCenter);
    QCOMPARE(infos->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(FRMEditeur->Tool(), '#');
    QCOMPARE(FRMEditeur->Tablo(), Levels[0].Tablo);

    const struct {
        const char *name;
        int left;
        const char *hint;
        QSize glyph;
    } buttons[] = {
        {"BTNWall", 0, "Mur", {17, 17}},
        {"BTNTarget", 25, "Emplacement", {17, 17}},
        {"BTNBox1", 50, "Caisse", {17, 17}},
        {"BTNBox2", 75, "Caisse sur Emplacement", {17, 17}},
        {"BTNBramlek1", 100, "Bramlek", {17, 17}},
        {"BTNBramlek2", 125, "Bramlek sur Emplacement", {17, 17}},
        {"BTNEmpty", 150, "Vide", {17, 17}},
        {"BTNValider", 200, "Appliquer les Modifications", {18, 18}},
        {"BTNAnnuler", 225, "Annuler les Modifications", {18, 18}},
    };

    for (const auto &expected : buttons) {
        auto *button = FRMEditeur->findChild<QToolButton *>(expected.name);
        QVERIFY2(button, expected.name);
        QCOMPARE(button->geometry(), QRect(expected.left, 0, 25, 25));
        QCOMPARE(button->toolTip(), QString(expected.hint));
        QCOMPARE(button->iconSize(), expected.glyph);
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(button->autoRaise());
    }
}

void TstEditeur::boardPicture()
{
    OpenEditorOn({{"#.$", "*@+", " -x"}});
    const QImage &picture = View()->Picture();
    QCOMPARE(picture.size(), QSize(49, 49));
    const QRgb grey = qRgb(128, 128, 128);
    for (int i = 0; i < 49; ++i) {
        for (int line : {0, 16, 32, 48}) {
            QCOMPARE(picture.pixel(line, i), grey);
            QCOMPARE(picture.pixel(i, line), grey);
        }
    }
    const QByteArray cells = "#.$*@+ -x";
    for (int i = 0; i < 9; ++i) {
        const int x = i % 3, y = i / 3;
        QCOMPARE(picture.copy(16 * x + 1, 16 * y + 1, 15, 15), TileImage(TileOf(cells[i])));
    }
}

void TstEditeur::workedExample()
{
    OpenEditorOn({Blank(16, 12)});
    QCOMPARE(View()->Picture().size(), QSize(257, 193));
    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(150, 80));
    QCOMPARE(FRMEditeur->InfosText(), QString("X1=150, Y1=80, X2=3, Y2=2, Coller"));
    QCOMPARE(FRMEditeur->Tablo()[2][1], '#');
    QCOMPARE(View()->Picture().copy(16 * 2 + 1, 16 + 1, 15, 15), TileImage(TTilePicture::Wall));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(150, 80));
    QCOMPARE(FRMEditeur->InfosText(), QString("X1=150, Y1=80, X2=3, Y2=2"));
}

void TstEditeur::pressesMapToCells_data()
{
    QTest::addColumn<QPoint>("bitmap");
    QTest::addColumn<QString>("cell"); // ", X2=.., Y2=.." or empty when outside

    QTest::newRow("top-left corner of the frame") << QPoint(0, 0) << ", X2=1, Y2=1";
    QTest::newRow("vertical line acts on the cell to its right") << QPoint(16, 5) << ", X2=2, Y2=1";
    QTest::newRow("horizontal line acts on the cell below") << QPoint(5, 32) << ", X2=1, Y2=3";
    QTest::newRow("last pixel of a cell") << QPoint(15, 15) << ", X2=1, Y2=1";
    QTest::newRow("right frame acts on the last column") << QPoint(256, 40) << ", X2=16, Y2=3";
    QTest::newRow("bottom frame acts on the last row") << QPoint(40, 192) << ", X2=3, Y2=12";
    QTest::newRow("bottom-right corner") << QPoint(256, 192) << ", X2=16, Y2=12";
    QTest::newRow("just left") << QPoint(-1, 40) << "";
    QTest::newRow("just above") << QPoint(40, -1) << "";
    QTest::newRow("just right") << QPoint(257, 40) << "";
    QTest::newRow("just below") << QPoint(40, 193) << "";
}

void TstEditeur::pressesMapToCells()
{
    QFETCH(QPoint, bitmap);
    QFETCH(QString, cell);
    OpenEditorOn({Blank(16, 12)});
    const QPoint at = At(bitmap.x(), bitmap.y());
    const QString where = QStringLiteral("X1=%1, Y1=%2").arg(at.x()).arg(at.y()) + cell;

    QTest::mousePress(View(), Qt::RightButton, {}, at);
    QCOMPARE(FRMEditeur->InfosText(), where + ", Copier");
    QCOMPARE(FRMEditeur->Tool(), cell.isEmpty() ? '#' : '-');
    QTest::mouseRelease(View(), Qt::RightButton, {}, at);

    Click("BTNBox1");
    QTest::mousePress(View(), Qt::LeftButton, {}, at);
    QCOMPARE(FRMEditeur->InfosText(), where + ", Coller");
    QTest::mouseRelease(View(), Qt::LeftButton, {}, at);

    QStringList expected = Blank(16, 12);
    if (!cell.isEmpty()) {
        const QStringList parts = cell.mid(2).split(", ");
        const int column = parts[0].mid(3).toInt(), row = parts[1].mid(3).toInt();
        expected[row - 1][column - 1] = '$';
    }
    QCOMPARE(EditorBoard(), expected);
}

void TstEditeur::leftDragPaintsEachMove()
{
    OpenEditorOn({Blank(16, 12)});
    Click("BTNTarget");
    QTest::mousePress(View(), Qt::LeftButton, {}, At(8, 8));    // cell 1, 1
    QTest::mouseMove(View(), At(24, 8));                        // cell 2, 1
    QTest::mouseMove(View(), At(72, 8));                        // cell 5, 1: 3 and 4 skipped
    QTest::mouseRelease(View(), Qt::LeftButton, {}, At(88, 8)); // cell 6, 1: released, not painted
    QCOMPARE(EditorBoard()[0], QString("..--.-----------"));
    QCOMPARE(FRMEditeur->InfosText(), QStringLiteral("X1=%1, Y1=59, X2=6, Y2=1").arg(88 + 107));

    QTest::mouseMove(View(), At(104, 8)); // no button: only the status line changes
    QCOMPARE(EditorBoard()[0], QString("..--.-----------"));
    QCOMPARE(FRMEditeur->InfosText(), QStringLiteral("X1=%1, Y1=59, X2=7, Y2=1").arg(104 + 107));
}

void TstEditeur::rightDragPicksTheLastCell()
{
    OpenEditorOn({Walled()});
    QTest::mousePress(View(), Qt::RightButton, {}, At(24, 8)); // '@'
    QCOMPARE(FRMEditeur->Tool(), '@');
    QTest::mouseMove(View(), At(40, 8));  // '$'
    QTest::mouseMove(View(), At(120, 8)); // '+'
    QCOMPARE(FRMEditeur->InfosText(), QStringLiteral("X1=227, Y1=59, X2=8, Y2=1, Copier"));
    QTest::mouseRelease(View(), Qt::RightButton, {}, At(8, 8));
    QCOMPARE(FRMEditeur->Tool(), '+');
    QCOMPARE(EditorBoard(), Walled());
}

void TstEditeur::bothButtonsPickThenPut()
{
    OpenEditorOn({Walled()});
    QTest::mousePress(View(), Qt::RightButton, {}, At(40, 8));
    QTest::mousePress(View(), Qt::LeftButton, {}, At(56, 8)); // both held over the target
    QCOMPARE(FRMEditeur->InfosText(), QStringLiteral("X1=163, Y1=59, X2=4, Y2=1, Copier, Coller"));
    QCOMPARE(FRMEditeur->Tool(), '.');
    QCOMPARE(EditorBoard(), Walled());
    // The left button let go over the placed box while the right one is held:
    // what the right button does and says stays.
    QTest::mouseRelease(View(), Qt::LeftButton, {}, At(104, 8));
    QCOMPARE(FRMEditeur->InfosText(), QStringLiteral("X1=211, Y1=59, X2=7, Y2=1, Copier"));
    QCOMPARE(FRMEditeur->Tool(), '*');
    QTest::mouseRelease(View(), Qt::RightButton, {}, At(104, 8));
    QCOMPARE(FRMEditeur->InfosText(), QStringLiteral("X1=211, Y1=59, X2=7, Y2=1"));
    QCOMPARE(EditorBoard(), Walled());
}

void TstEditeur::palette_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<char>("tool");
    QTest::newRow("Mur") << "BTNWall" << '#';
    QTest::newRow("Emplacement") << "BTNTarget" << '.';
    QTest::newRow("Caisse") << "BTNBox1" << '$';
    QTest::newRow("Caisse sur Emplacement") << "BTNBox2" << '*';
    QTest::newRow("Bramlek") << "BTNBramlek1" << '@';
    QTest::newRow("Bramlek sur Emplacement") << "BTNBramlek2" << '+';
    QTest::newRow("Vide") << "BTNEmpty" << '-';
}

void TstEditeur::palette()
{
    QFETCH(QString, button);
    QFETCH(char, tool);
    OpenEditorOn({Walled()});
    const QImage before = View()->Picture();
    QTest::mouseMove(View(), At(8, 8));
    const QString status = FRMEditeur->InfosText();
    auto *palette = FRMEditeur->findChild<QToolButton *>(button);
    // Pressed and let go elsewhere: no choice. Pressed and let go on it: chosen
    // as it is let go.
    QTest::mousePress(palette, Qt::LeftButton);
    QTest::mouseMove(palette, QPoint(-30, 40));
    QTest::mouseRelease(palette, Qt::LeftButton, {}, QPoint(-30, 40));
    QCOMPARE(FRMEditeur->Tool(), '#');
    QTest::mousePress(palette, Qt::LeftButton);
    QCOMPARE(FRMEditeur->Tool(), '#');
    QTest::mouseRelease(palette, Qt::LeftButton);
    QCOMPARE(FRMEditeur->Tool(), tool);
    QCOMPARE(View()->Picture(), before); // a palette click redraws nothing
    QCOMPARE(FRMEditeur->InfosText(), status);
    QTest::mouseClick(View(), Qt::LeftButton, {}, At(200, 100));
    QCOMPARE(FRMEditeur->Tablo()[12][6], tool);
}

void TstEditeur::pickingFloorGivesASpace()
{
    OpenEditorOn({Walled()});
    QTest::mouseClick(View(), Qt::RightButton, {}, At(72, 8)); // floor at column 4
    QCOMPARE(FRMEditeur->Tool(), ' ');
    QTest::mouseClick(View(), Qt::LeftButton, {}, At(8, 40));
    QCOMPARE(FRMEditeur->Tablo()[0][2], ' ');
}

void TstEditeur::wideLevelIsCroppedAndMapped()
{
    OpenEditorOn({Blank(36, 9)});
    QCOMPARE(View()->width(), 472);
    QTest::mouseClick(View(), Qt::LeftButton, {}, QPoint(11, 100));
    // offX = (472 - 577) / 2 = -52, not -53: X = 11 is bitmap pixel 63, the last of column 4.
    // offY = (295 - 145) / 2 = 75: Y = 100 is bitmap row 25, in row 2.
    QCOMPARE(FRMEditeur->InfosText(), QString("X1=11, Y1=100, X2=4, Y2=2"));
    QCOMPARE(FRMEditeur->Tablo()[3][1], '#');

    const QImage shown = View()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage &picture = View()->Picture();
    for (int x = 0; x < 472; x += 7)
        QCOMPARE(shown.pixel(x, 100), picture.pixel(x + 52, 25));
}

void TstEditeur::resizingRecentresTheMapping()
{
    OpenEditorOn({Blank(16, 22)});
    EditorChild()->resize(EditorChild()->width() + 100, EditorChild()->height() + 41);
    QCOMPARE(View()->size(), QSize(572, 336));
    // offX = (572 - 257) / 2 = 157; offY = (336 - 353) / 2 = -8, not -9: Y = 7 is bitmap row 15.
    QTest::mouseClick(View(), Qt::LeftButton, {}, QPoint(157, 7));
    QCOMPARE(FRMEditeur->InfosText(), QString("X1=157, Y1=7, X2=1, Y2=1"));
    QCOMPARE(FRMEditeur->Tablo()[0][0], '#');
}

void TstEditeur::dragOutsideKeepsPainting()
{
    OpenEditorOn({Blank(36, 26)});
    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(View(), QPoint(-10, -20)); // outside the control, still held
    // offX = (472 - 577) / 2 = -52, offY = (295 - 417) / 2 = -61: bitmap (42, 41).
    QCOMPARE(FRMEditeur->InfosText(), QString("X1=-10, Y1=-20, X2=3, Y2=3, Coller"));
    QCOMPARE(FRMEditeur->Tablo()[2][2], '#');
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(-10, -20));
}

void TstEditeur::commandsDiscardEdits_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("next") << "MNUNiveauSuivant" << 1 << 2;
    QTest::newRow("next on the last") << "MNUNiveauSuivant" << 2 << 2;
    QTest::newRow("previous on the first") << "MNUNiveauPrecedent" << 1 << 1;
    QTest::newRow("restart") << "MNUNiveauRecommencer" << 2 << 2;
    QTest::newRow("first") << "MNUNiveauPremier" << 2 << 1;
    QTest::newRow("last") << "MNUNiveauDernier" << 2 << 2;
}

void TstEditeur::commandsDiscardEdits()
{
    QFETCH(QString, item);
    QFETCH(int, from);
    QFETCH(int, to);
    const QList<QStringList> levels{Walled(), Blank(5, 4)};
    OpenEditorOn(levels, from);
    Click("BTNBox1");
    QTest::mouseClick(View(), Qt::LeftButton, {}, View()->rect().center());
    QVERIFY(EditorBoard() != levels[from - 1]);
    const QString status = FRMEditeur->InfosText();
    QCOMPARE(PlayBoard(), levels[from - 1]);

    Item(qPrintable(item))->trigger();
    QCOMPARE(CurrentLevel, to);
    QCOMPARE(EditorBoard(), levels[to - 1]);
    QCOMPARE(FRMEditeur->Tool(), '$'); // a reload keeps the tool and the status line
    QCOMPARE(FRMEditeur->InfosText(), status);
}

void TstEditeur::applyAndCancelChangeNothing_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("apply") << "BTNValider";
    QTest::newRow("cancel") << "BTNAnnuler";
}

void TstEditeur::applyAndCancelChangeNothing()
{
    QFETCH(QString, button);
    OpenEditorOn({Walled()});
    QTest::mouseClick(View(), Qt::LeftButton, {}, At(8, 8));
    const QStringList edited = EditorBoard();
    myBoxes->Expect(Qt::Key_Return);
    Click(qPrintable(button));
    QCOMPARE(myBoxes->Seen.size(), 1);
    QCOMPARE(myBoxes->Seen[0].Title, QString("Vorkade II"));
    QCOMPARE(myBoxes->Seen[0].Text, UnderConstruction);
    QCOMPARE(myBoxes->Seen[0].Icon, QMessageBox::NoIcon);
    QCOMPARE(myBoxes->Seen[0].Buttons, QStringList{"OK"});
    QCOMPARE(EditorBoard(), edited);
    QCOMPARE(RowsOf(Levels[0]), Walled());
}

void TstEditeur::levelWithoutCells()
{
    OpenEditorOn({Walled()});
    Levels.push_back(TLevel{}); // as a lone "[/LEVEL]" would give
    LevelCount = 2;
    Item("MNUNiveauSuivant")->trigger();
    QCOMPARE(FRMEditeur->BoardWidth(), 0);
    QVERIFY(View()->isVisible());
    QVERIFY(View()->Picture().isNull());
    QTest::mouseClick(View(), Qt::RightButton, {}, QPoint(236, 147));
    QTest::mousePress(View(), Qt::LeftButton, {}, QPoint(236, 147));
    QCOMPARE(FRMEditeur->InfosText(), QString("X1=236, Y1=147, Coller"));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(236, 147));
    QCOMPARE(FRMEditeur->Tool(), '#');
}

void TstEditeur::menuShowsTheSameEditor()
{
    OpenEditorOn({Walled()});
    TFRMEditeur *first = FRMEditeur;
    QTest::mouseClick(View(), Qt::LeftButton, {}, At(8, 8));
    const QStringList edited = EditorBoard();
    EditorChild()->close();
    QVERIFY(EditorChild()->isMinimized());
    Item("MNUAfficherEditeur")->trigger();
    QCOMPARE(FRMEditeur, first);
    QVERIFY(!EditorChild()->isMinimized());
    QCOMPARE(EditorBoard(), edited); // restored, not reloaded
    QCOMPARE(FRMMain->MdiArea()->subWindowList().size(), 2);
    QCOMPARE(FRMMain->MdiArea()->activeSubWindow(), EditorChild());
}

void TstEditeur::newLevelDeclined_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("editing"); // an edit made, then the editor minimised
    QTest::newRow("Non") << int(Qt::Key_N) << false;
    QTest::newRow("Non while editing") << int(Qt::Key_N) << true;
    QTest::newRow("Escape while editing") << int(Qt::Key_Escape) << true;
    QTest::newRow("closed") << 0 << false;
}

// Nothing is reloaded: the moves and the edits made so far stay.
void TstEditeur::newLevelDeclined()
{
    QFETCH(int, answer);
    QFETCH(bool, editing);
    UseLevels({Walled(), {"#@  #"}});
    QTest::keyClick(FRMPlay2D, Qt::Key_PageDown);
    QTest::keyClick(FRMPlay2D, Qt::Key_Right);
    QStringList edited;
    if (editing) {
        Item("MNUAfficherEditeur")->trigger();
        Click("BTNBox1");
        QTest::mouseClick(View(), Qt::LeftButton, {}, View()->rect().center());
        edited = EditorBoard();
        QCOMPARE(edited, QStringList{"#@$ #"});
        EditorChild()->close();
    }
    myBoxes->Expect(answer);
    Item("MNUFichierNouveau")->trigger();
    QCOMPARE(myBoxes->Seen.size(), 1);
    QCOMPARE(myBoxes->Seen[0].Title, QString("Confirmation"));
    QCOMPARE(myBoxes->Seen[0].Text,
             QString::fromUtf8("Voulez-vous réellement créer un nouveau niveau ?"));
    QCOMPARE(LevelCount, 2);
    QCOMPARE(CurrentLevel, 2);
    QCOMPARE(PlayBoard(), QStringList{"# @ #"});
    QCOMPARE(FRMEditeur != nullptr, editing);
    if (editing) {
        QCOMPARE(EditorBoard(), edited);
        QVERIFY(EditorChild()->isMinimized());
    }
    QCOMPARE(FRMMain->MdiArea()->subWindowList().size(), editing ? 2 : 1);
}

void TstEditeur::newLevelAfterDeleteAll()
{
    Item("MNUAfficherEditeur")->trigger();
    myBoxes->Expect(Qt::Key_Return);
    Item("MNUOutilsSupprimerNiveaux")->trigger();
    QCOMPARE(LevelCount, 0);
    // No level: the picture is hidden, and a click where it stood reaches no handler.
    QVERIFY(!View()->isVisible());
    QTest::mouseClick(FRMMain->windowHandle(), Qt::LeftButton, {},
                      View()->mapTo(FRMMain, View()->rect().center()));
    QCOMPARE(FRMEditeur->InfosText(), QString());
    myBoxes->Expect(Qt::Key_Return);
    Item("MNUFichierNouveau")->trigger();
    QCOMPARE(LevelCount, 1);
    QCOMPARE(CurrentLevel, 1);
    const TLevel &level = Levels[0];
    QCOMPARE(level.Tablo, TTablo(16, std::vector<char>(12, '-'))); // no cell more
    for (const std::string *text : {&level.Author, &level.Title, &level.Collection,
                                    &level.AuthorMail, &level.AuthorPage, &level.Date})
        QVERIFY(text->empty());
    QVERIFY(View()->isVisible());
    QCOMPARE(EditorBoard(), Blank(16, 12));
    QCOMPARE(PlayBoard(), Blank(16, 12));
    QVERIFY(FRMPlay2D->ImageBramlek()->isVisible());
    QCOMPARE(FRMMain->MdiArea()->activeSubWindow(), EditorChild());
}

void TstEditeur::newLevelTwiceWithEditorMinimised()
{
    const int count = LevelCount;
    myBoxes->Expect(Qt::Key_Return);
    Item("MNUFichierNouveau")->trigger();
    TFRMEditeur *editor = FRMEditeur;
    QTest::mouseClick(View(), Qt::LeftButton, {}, At(8, 8));
    EditorChild()->close();
    QVERIFY(EditorChild()->isMinimized());

    myBoxes->Expect(Qt::Key_Return);
    Item("MNUFichierNouveau")->trigger();
    QCOMPARE(FRMEditeur, editor);
    QVERIFY(!EditorChild()->isMinimized());
    QCOMPARE(LevelCount, count + 2);
    QCOMPARE(CurrentLevel, count + 2);
    QCOMPARE(EditorBoard(), Blank(16, 12)); // the edit went with the reload
    QCOMPARE(FRMMain->MdiArea()->subWindowList().size(), 2);
}

void TstEditeur::newLevelOnTheBuiltInSet()
{
    const int builtIn = LevelCount;
    myBoxes->Expect(Qt::Key_Return);
    Item("MNUFichierNouveau")->trigger();
    QCOMPARE(CurrentLevel, builtIn + 1);
    QTest::keyClick(FRMPlay2D, Qt::Key_PageDown);
    QCOMPARE(CurrentLevel, builtIn + 1);
    QTest::keyClick(FRMPlay2D, Qt::Key_PageUp);
    QCOMPARE(CurrentLevel, builtIn);

    myBoxes->Expect(Qt::Key_Return);
    Item("MNUOutilsRechargerNiveaux")->trigger();
    QCOMPARE(LevelCount, builtIn);
    QCOMPARE(CurrentLevel, 1);
    QCOMPARE(FRMEditeur->Tablo(), Levels[0].Tablo);
}

QTEST_MAIN(TstEditeur)
#include "tst_editeur.moc"
