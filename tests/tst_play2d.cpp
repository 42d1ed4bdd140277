// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// The play window driven by real key presses and clicks; its board read back pixel by pixel.
#include "fplay2d.h"
#include "guitest.h"
#include "imageview.h"
#include "playfixture.h"
#include "tileset.h"

#include <QToolButton>

#include <memory>

namespace
{

const QMap<QChar, Qt::Key> Arrows{
    {'l', Qt::Key_Left}, {'r', Qt::Key_Right}, {'u', Qt::Key_Up}, {'d', Qt::Key_Down}};

const QString Congratulation = QString::fromUtf8("Félicitations ! Entrepôt rangé !");

} // namespace

class TstPlay2D : public QObject
{
    Q_OBJECT

private slots:

    void initTestCase() { PrepareGuiTest(); }

    void init();
    void cleanup();

    void moves_data();
    void moves();
    void positionRule_data();
    void positionRule();
    void levelWithoutKeeperKeepsPosition();
    void solvedTest_data();
    void solvedTest();
    void congratulationThenNextLevel_data();
    void congratulationThenNextLevel();
    void solvingTheLastLevelRestartsIt();
    void noCurrentLevelIgnoresArrows();
    void boardIsDrawnTileByTile();
    void boardIsCentred_data();
    void boardIsCentred();
    void moveRedrawsOnlyItsCells();
    void navigationKeysAndButtons_data();
    void navigationKeysAndButtons();
    void modifiersDoNotChangeAMove_data();
    void modifiersDoNotChangeAMove();
    void keysReachTheWindowAfterAClick();
    void buttonBar();

private:
    QStringList Board() const
    {
        return RowsOf(myWindow->Tablo(), myWindow->BoardWidth(), myWindow->BoardHeight());
    }

    void Press(const QString &keys)
    {
        for (const QChar key : keys)
            QTest::keyClick(myWindow.get(), Arrows.value(key));
    }

    QToolButton *Button(const char *name) const
    {
        return myWindow->findChild<QToolButton *>(QString::fromLatin1(name));
    }

    std::unique_ptr<TFRMPlay2D> myWindow;
    std::unique_ptr<TBoxWatch> myBoxes;
};

void TstPlay2D::init()
{
    UseLevels({});
    myWindow = std::make_unique<TFRMPlay2D>();
    FRMPlay2D = myWindow.get();
    myWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(myWindow.get()));
    myBoxes = std::make_unique<TBoxWatch>();
}

void TstPlay2D::cleanup()
{
    myBoxes.reset();
    myWindow.reset();
    QVERIFY(!FRMPlay2D);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TstPlay2D::moves_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QPoint>("player");

    // Steps.
    QTest::newRow("floor to floor")
        << QStringList{"#@ #"} << "r" << QStringList{"# @#"} << QPoint(2, 0);
    QTest::newRow("floor to target")
        << QStringList{"#@.#"} << "r" << QStringList{"# +#"} << QPoint(2, 0);
    QTest::newRow("target to floor")
        << QStringList{"#+ #"} << "r" << QStringList{"#.@#"} << QPoint(2, 0);
    QTest::newRow("target to target")
        << QStringList{"#+.#"} << "r" << QStringList{"#.+#"} << QPoint(2, 0);
    QTest::newRow("step to column 0, beyond is outside")
        << QStringList{" @#"} << "l" << QStringList{"@ #"} << QPoint(0, 0);
    QTest::newRow("step onto a target at column 0")
        << QStringList{".@#"} << "l" << QStringList{"+ #"} << QPoint(0, 0);

    // Pushes, one per row of the push table, in every direction.
    QTest::newRow("worked example")
        << QStringList{"#@$.#", "$"} << "r" << QStringList{"# @*#", "$    "} << QPoint(2, 0);
    QTest::newRow("box floor to floor")
        << QStringList{"#@$ #"} << "r" << QStringList{"# @$#"} << QPoint(2, 0);
    QTest::newRow("box floor to target")
        << QStringList{"#.$@#", "$"} << "l" << QStringList{"#*@ #", "$    "} << QPoint(2, 0);
    QTest::newRow("box off a target") << QStringList{"#", " ", "*", "@", "#"} << "u"
                                      << QStringList{"#", "$", "+", " ", "#"} << QPoint(0, 2);
    QTest::newRow("box target to target")
        << QStringList{"#", "@", "*", ".", "#$"} << "d" << QStringList{"# ", "  ", "+ ", "* ", "#$"}
        << QPoint(0, 2);
    QTest::newRow("from a target, box floor to floor")
        << QStringList{"#+$ #"} << "r" << QStringList{"#.@$#"} << QPoint(2, 0);
    QTest::newRow("from a target, box floor to target")
        << QStringList{"#.$+#"} << "l" << QStringList{"#*@.#"} << QPoint(2, 0);
    QTest::newRow("from a target, box off a target")
        << QStringList{"#", " ", "*", "+", "#"} << "u" << QStringList{"#", "$", "+", ".", "#"}
        << QPoint(0, 2);
    QTest::newRow("from a target, box target to target")
        << QStringList{"#", "+", "*", ".", "#"} << "d" << QStringList{"#", ".", "+", "*", "#"}
        << QPoint(0, 2);
    QTest::newRow("push off a target, then step off it")
        << QStringList{"# @*  #"} << "rr" << QStringList{"#  .@$#"} << QPoint(4, 0);
    QTest::newRow("second press of the worked example is blocked")
        << QStringList{"#@$.#", "$"} << "rr" << QStringList{"# @*#", "$    "} << QPoint(2, 0);

    // Blocked: nothing changes.
    const struct {
        const char *name;
        QStringList grid;
        const char *keys;
        QPoint player;
    } blocked[] = {
        {"wall ahead", {"#@#"}, "r", {1, 0}},
        {"blank ahead", {"#@-#"}, "r", {1, 0}},
        {"foreign letter ahead", {"#@x#"}, "r", {1, 0}},
        {"control byte ahead", {"#@\x01#"}, "r", {1, 0}},
        {"left edge", {"@ #"}, "l", {0, 0}},
        {"right edge", {"# @"}, "r", {2, 0}},
        {"top edge", {"@", " "}, "u", {0, 0}},
        {"bottom edge", {" ", "@"}, "d", {0, 1}},
        {"box then wall", {"#@$#"}, "r", {1, 0}},
        {"box then box", {"#@$$ #"}, "r", {1, 0}},
        {"box then placed box", {"#@$*.#"}, "r", {1, 0}},
        {"box then blank", {"#@$- #"}, "r", {1, 0}},
        {"box then foreign letter", {"#@$x #"}, "r", {1, 0}},
        {"box then right edge", {"#@$"}, "r", {1, 0}},
        {"box then left edge", {"$@#"}, "l", {1, 0}},
        {"box then top edge", {"$", "@"}, "u", {0, 1}},
        {"box then bottom edge", {"@", "$"}, "d", {0, 0}},
    };

    for (const auto &row : blocked)
        QTest::newRow(row.name) << row.grid << row.keys << row.grid << row.player;
}

void TstPlay2D::moves()
{
    QFETCH(QStringList, before);
    QFETCH(QString, keys);
    QFETCH(QStringList, after);
    QFETCH(QPoint, player);

    UseLevels({before});
    Press(keys);
    QCOMPARE(Board(), after);
    QCOMPARE(QPoint(myWindow->PlayerX(), myWindow->PlayerY()), player);
    QVERIFY(myBoxes->Seen.isEmpty());
}

void TstPlay2D::positionRule_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QPoint>("player");

    // Drawn row by row: the lowest row wins, though another keeper stands further right.
    QTest::newRow("after a load the last keeper drawn moves")
        << QStringList{"#@  #", "#  @#", "# @ #"} << "l" << QStringList{"#@  #", "#  @#", "#@  #"}
        << QPoint(1, 2);
    QTest::newRow("within a row the rightmost keeper moves")
        << QStringList{"# @ @ #"} << "r" << QStringList{"# @  @#"} << QPoint(5, 0);
    QTest::newRow("keeper ahead takes over")
        << QStringList{"# @@#"} << "l" << QStringList{"# @@#"} << QPoint(2, 0);
    QTest::newRow("keeper ahead, then it moves")
        << QStringList{"# @@#"} << "ll" << QStringList{"#@ @#"} << QPoint(1, 0);
    QTest::newRow("keeper beyond a step takes over")
        << QStringList{"#@ @ #"} << "l" << QStringList{"#@@  #"} << QPoint(1, 0);
    QTest::newRow("keeper beyond a wall takes over")
        << QStringList{"# +#@#"} << "l" << QStringList{"# +#@#"} << QPoint(2, 0);
    QTest::newRow("keeper beyond a wall, then it moves")
        << QStringList{"# +#@#"} << "ll" << QStringList{"#@.#@#"} << QPoint(1, 0);
}

void TstPlay2D::positionRule()
{
    moves();
}

void TstPlay2D::levelWithoutKeeperKeepsPosition()
{
    UseLevels({{"#####", "#   #", "#  @#", "#####"}, {"###", "#$#", "###"}});
    QCOMPARE(QPoint(myWindow->PlayerX(), myWindow->PlayerY()), QPoint(3, 2));
    QTest::keyClick(myWindow.get(), Qt::Key_PageDown);
    QCOMPARE(CurrentLevel, 2);
    QCOMPARE(QPoint(myWindow->PlayerX(), myWindow->PlayerY()), QPoint(3, 2));
    Press("lurd"); // every press reads outside or walls; the hidden cells are rewritten as they are
    QCOMPARE(Board(), QStringList({"###", "#$#", "###"}));
    QVERIFY(myBoxes->Seen.isEmpty());
}

void TstPlay2D::solvedTest_data()
{
    QTest::addColumn<QStringList>("grid");
    QTest::addColumn<bool>("solved");

    QTest::newRow("every box placed") << QStringList{"#**@#"} << true;
    QTest::newRow("no box at all") << QStringList{"# .@#"} << false;
    QTest::newRow("nothing but a keeper") << QStringList{"#@#"} << false;
    QTest::newRow("a box off its target") << QStringList{"#*$.@#"} << false;
    QTest::newRow("more boxes than targets") << QStringList{"#*$@#"} << false;
    QTest::newRow("spare target under the keeper") << QStringList{"#*+#"} << true;
    QTest::newRow("two spare targets") << QStringList{"#*+.#"} << false;
    QTest::newRow("one free target") << QStringList{"#*.@#"} << false;
}

void TstPlay2D::solvedTest()
{
    QFETCH(QStringList, grid);
    QFETCH(bool, solved);
    UseLevels({grid});
    QCOMPARE(myWindow->IsSolved(), solved);
}

void TstPlay2D::congratulationThenNextLevel_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("close button") << 0;
}

// A level solved when loaded: the first press, blocked or not, congratulates.
void TstPlay2D::congratulationThenNextLevel()
{
    QFETCH(int, answer);
    UseLevels({{"#*@#"}, {"#@$.#"}});
    myBoxes->Expect(answer);
    QTest::keyClick(myWindow.get(), Qt::Key_Right);

    QCOMPARE(myBoxes->Seen.size(), 1);
    const TBoxSeen box = myBoxes->Seen[0];
    QCOMPARE(box.Title, QString("Vorkade II"));
    QCOMPARE(box.Text, Congratulation);
    QCOMPARE(box.Icon, QMessageBox::NoIcon);
    QCOMPARE(box.Buttons, QStringList{"OK"});
    QVERIFY(box.Centred);
    QCOMPARE(CurrentLevel, 2);
    QCOMPARE(Board(), QStringList{"#@$.#"});
}

void TstPlay2D::solvingTheLastLevelRestartsIt()
{
    UseLevels({{"#@ #"}, {"#.$@$.#"}}, 2);
    myBoxes->Expect(Qt::Key_Return);
    Press("rl");
    QCOMPARE(Board(), QStringList{"#.$@ *#"});
    QVERIFY(myBoxes->Seen.isEmpty());
    Press("l"); // places the last box
    QCOMPARE(myBoxes->Seen.size(), 1);
    QCOMPARE(myBoxes->Seen[0].Text, Congratulation);
    QCOMPARE(CurrentLevel, 2);
    QCOMPARE(Board(), QStringList{"#.$@$.#"});
}

void TstPlay2D::noCurrentLevelIgnoresArrows()
{
    UseLevels({{"#*@ #"}});
    DeleteAllLevels();
    QVERIFY(!myWindow->ImageBramlek()->isVisible());
    Press("lrud");
    QCOMPARE(Board(), QStringList{"#*@ #"});
    QVERIFY(myBoxes->Seen.isEmpty());
    QTest::keyClick(myWindow.get(), Qt::Key_PageDown);
    QCOMPARE(CurrentLevel, 0);
}

void TstPlay2D::boardIsDrawnTileByTile()
{
    const QStringList rows{"#.$*@+ -x\x01"};
    UseLevels({rows, {" #", "#@"}});
    const QImage &picture = myWindow->ImageBramlek()->Picture();
    QCOMPARE(picture.size(), QSize(10 * TileSize, TileSize));
    const QByteArray cells = rows[0].toLatin1();
    for (int x = 0; x < cells.size(); ++x) {
        const QImage drawn = picture.copy(x * TileSize, 0, TileSize, TileSize);
        QCOMPARE(drawn, TileImage(TileOf(cells[x])));
    }
    QCOMPARE(TileOf('-'), TTilePicture::Empty);
    QCOMPARE(TileOf('x'), TTilePicture::Empty);

    QTest::keyClick(myWindow.get(), Qt::Key_PageDown); // a smaller level: the picture shrinks
    QCOMPARE(picture.size(), QSize(2 * TileSize, 2 * TileSize));
    QCOMPARE(picture.copy(TileSize, TileSize, TileSize, TileSize),
             TileImage(TTilePicture::Bramlek1));
    QCOMPARE(picture.copy(0, TileSize, TileSize, TileSize), TileImage(TTilePicture::Wall));
}

void TstPlay2D::boardIsCentred_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QPoint>("offset");

    // The area below the bar is 472 x 308.
    QTest::newRow("small: black all around") << 5 << 4 << QPoint((472 - 75) / 2, (308 - 60) / 2);
    QTest::newRow("exactly fits") << 31 << 20 << QPoint(3, 4);
    QTest::newRow("too wide, odd overflow truncates toward zero") << 33 << 4 << QPoint(-11, 124);
    QTest::newRow("too wide and too tall, odd overflow") << 36 << 27 << QPoint(-34, -48);
}

// The window as the screen shows it: the picture centred below the bar, cropped equally.
void TstPlay2D::boardIsCentred()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(QPoint, offset);

    QStringList grid;
    for (int y = 0; y < rows; ++y) {
        QString row;
        for (int x = 0; x < columns; ++x)
            row += QLatin1Char("#.$*@+ "[(x * 3 + y * 5) % 7]);
        grid << row;
    }
    UseLevels({grid});
    QCOMPARE(myWindow->size(), QSize(472, 333));
    QCOMPARE(myWindow->ImageBramlek()->geometry(), QRect(0, 25, 472, 308));

    const QImage shown = myWindow->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage &picture = myWindow->ImageBramlek()->Picture();
    for (int y = 25; y < 333; y += 3) {
        for (int x = 0; x < 472; x += 3) {
            const QPoint p = QPoint(x, y - 25) - offset;
            const QRgb expected = picture.rect().contains(p) ? picture.pixel(p) : qRgb(0, 0, 0);
            QCOMPARE(shown.pixel(x, y), expected);
        }
    }
}

// A move repaints its three tiles only: a mark elsewhere on the picture survives it.
void TstPlay2D::moveRedrawsOnlyItsCells()
{
    UseLevels({{"#####", "#@$ #", "# . #", "#####"}});
    QImage &picture = myWindow->ImageBramlek()->Picture();
    picture.setPixel(70, 50, qRgb(255, 0, 255));
    QTest::keyClick(myWindow.get(), Qt::Key_Right);
    QCOMPARE(Board()[1], QString("# @$#"));
    QCOMPARE(picture.pixel(70, 50), qRgb(255, 0, 255));
    QCOMPARE(picture.copy(1 * 15, 15, 15, 15), TileImage(TTilePicture::Empty));
    QCOMPARE(picture.copy(2 * 15, 15, 15, 15), TileImage(TTilePicture::Bramlek1));
    QCOMPARE(picture.copy(3 * 15, 15, 15, 15), TileImage(TTilePicture::Box1));
    QTest::keyClick(myWindow.get(), Qt::Key_Home); // a load draws everything again
    QCOMPARE(picture.pixel(70, 50), TileImage(TTilePicture::Wall).pixel(10, 5));
}

void TstPlay2D::navigationKeysAndButtons_data()
{
    QTest::addColumn<QString>("control"); // a key name or a button name
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");

    QTest::newRow("Home on level 1 restarts") << "Home" << 1 << 1;
    QTest::newRow("Home") << "Home" << 3 << 1;
    QTest::newRow("Page Up on level 1 restarts") << "PgUp" << 1 << 1;
    QTest::newRow("Page Up") << "PgUp" << 3 << 2;
    QTest::newRow("Page Down") << "PgDown" << 1 << 2;
    QTest::newRow("Page Down on the last restarts") << "PgDown" << 3 << 3;
    QTest::newRow("End") << "End" << 1 << 3;
    QTest::newRow("End on the last restarts") << "End" << 3 << 3;
    QTest::newRow("first button on level 1") << "BTNPremierNiveau" << 1 << 1;
    QTest::newRow("first button") << "BTNPremierNiveau" << 2 << 1;
    QTest::newRow("previous button") << "BTNNiveauPrecedent" << 2 << 1;
    QTest::newRow("previous button on level 1") << "BTNNiveauPrecedent" << 1 << 1;
    QTest::newRow("next button") << "BTNNiveauSuivant" << 2 << 3;
    QTest::newRow("next button on the last") << "BTNNiveauSuivant" << 3 << 3;
    QTest::newRow("last button") << "BTNDernierNiveau" << 1 << 3;
    QTest::newRow("last button on the last") << "BTNDernierNiveau" << 3 << 3;
}

void TstPlay2D::navigationKeysAndButtons()
{
    QFETCH(QString, control);
    QFETCH(int, from);
    QFETCH(int, to);

    const QList<QStringList> levels{{"#@ $.#"}, {"#@  $.#"}, {"#@   $.#"}};
    UseLevels(levels, from);
    Press("r"); // a move to be undone by the reload
    QVERIFY(Board() != levels[from - 1]);

    const QMap<QString, Qt::Key> keys{{"Home", Qt::Key_Home},
                                      {"PgUp", Qt::Key_PageUp},
                                      {"PgDown", Qt::Key_PageDown},
                                      {"End", Qt::Key_End}};
    if (keys.contains(control))
        QTest::keyClick(myWindow.get(), keys[control]);
    else
        QTest::mouseClick(Button(qPrintable(control)), Qt::LeftButton);
    QCOMPARE(CurrentLevel, to);
    QCOMPARE(Board(), levels[to - 1]);
}

void TstPlay2D::modifiersDoNotChangeAMove_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Shift") << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl") << int(Qt::ControlModifier);
    QTest::newRow("Alt") << int(Qt::AltModifier);
    QTest::newRow("keypad") << int(Qt::KeypadModifier);
}

void TstPlay2D::modifiersDoNotChangeAMove()
{
    QFETCH(int, modifiers);
    UseLevels({{"#@$ .#"}, {"#@#"}});
    QTest::keyClick(myWindow.get(), Qt::Key_Right, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(Board(), QStringList{"# @$.#"});
    QTest::keyClick(myWindow.get(), Qt::Key_PageDown, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(CurrentLevel, 2);
}

void TstPlay2D::keysReachTheWindowAfterAClick()
{
    UseLevels({{"#@  #"}});
    QTest::keyClick(myWindow.get(), Qt::Key_Right);
    QCOMPARE(Board(), QStringList{"# @ #"});
    QTest::mouseClick(Button("BTNNiveauAleatoire"), Qt::LeftButton); // one level: restarts it
    QCOMPARE(CurrentLevel, 1);
    QCOMPARE(Board(), QStringList{"#@  #"});
    // The window keeps the keyboard: the button took none, and the key goes
    // where the keyboard is.
    QTRY_COMPARE(QApplication::focusWidget(), myWindow.get());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(Board(), QStringList{"# @ #"});
    // A held key repeats its move.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(myWindow.get(), &repeat);
    QCOMPARE(Board(), QStringList{"#  @#"});
    // A key the window takes stops there, so that the frame around does not scroll
    // on it; any other goes on.
    QVERIFY(repeat.isAccepted());
    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(myWindow.get(), &other);
    QVERIFY(!other.isAccepted());
}

void TstPlay2D::buttonBar()
{
    const struct {
        const char *name;
        int left;
        const char *tooltip;
        const char *hint;
    } buttons[] = {
        {"BTNPremierNiveau", 0, "Premier Niveau", "Premier Niveau|Premier Niveau (HOME)"},
        {"BTNNiveauPrecedent", 25, "Niveau Précédent",
         "Niveau Précédent|Niveau Précédent (PAGE UP)"},
        {"BTNNiveauAleatoire", 50, "Niveau Aléatoire", "Niveau Aléatoire"},
        {"BTNNiveauSuivant", 75, "Niveau Suivant", "Niveau Suivant|Niveau Suivant (PAGE DOWN)"},
        {"BTNDernierNiveau", 100, "Dernier Niveau", "Dernier Niveau|Dernier Niveau (END)"},
    };

    QWidget *bar = myWindow->findChild<QWidget *>("PNLBoutons");
    QVERIFY(bar);
    QCOMPARE(bar->geometry(), QRect(0, 0, 472, 25));
    QCOMPARE(myWindow->minimumSizeHint().width(), 5 * 25); // as narrow as its buttons
    QCOMPARE(myWindow->windowTitle(), QString::fromUtf8("Jouer à Bramlek"));
    for (const auto &expected : buttons) {
        QToolButton *button = Button(expected.name);
        QVERIFY2(button, expected.name);
        QCOMPARE(button->geometry(), QRect(expected.left, 0, 25, 25));
        QVERIFY(button->autoRaise());
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QCOMPARE(button->toolTip(), QString::fromUtf8(expected.tooltip));
        QCOMPARE(button->property("vorkadeHint").toString(), QString::fromUtf8(expected.hint));
        QCOMPARE(button->iconSize(), QSize(17, 17));
        const QImage face = button->icon().pixmap(17, 17).toImage();
        QCOMPARE(qAlpha(face.pixel(0, 16)), 0);   // the white ring is see-through
        QCOMPARE(qAlpha(face.pixel(8, 8)), 0xff); // the black symbol is not
        QCOMPARE(face.pixel(1, 1), qRgb(0, 0, 0));
    }

    // Held down, a button shows a sunken panel round its glyph, clear of its top rows.
    QToolButton *first = Button("BTNPremierNiveau");
    const QImage raised = first->grab().toImage().copy(0, 0, 25, 3);
    QTest::mousePress(first, Qt::LeftButton);
    const QImage sunken = first->grab().toImage().copy(0, 0, 25, 3);
    QTest::mouseRelease(first, Qt::LeftButton);
    QVERIFY(sunken != raised);
}

QTEST_MAIN(TstPlay2D)
#include "tst_play2d.moc"
