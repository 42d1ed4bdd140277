// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// The frame as the game starts it: menus, confirmations, hints and child windows.
#include "fediteur.h"
#include "finfos.h"
#include "fmain.h"
#include "fplay2d.h"
#include "guitest.h"
#include "hints.h"
#include "imageview.h"
#include "playfixture.h"

#include <QAbstractEventDispatcher>
#include <QAccessible>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyleOptionTitleBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

namespace
{

QMdiSubWindow *ChildOf(QWidget *content)
{
    return qobject_cast<QMdiSubWindow *>(content->parentWidget());
}

// A level of our own to make moves in: the keeper walks right along the row.
void UseWalkingLevel()
{
    UseLevels({{"#@   $.#"}, {"#@ $.#"}});
}

// The application style as a desktop's platform theme makes it: only the
// order of a dialog's buttons changes.
class TDesktopButtonOrder : public QProxyStyle
{
public:
    explicit TDesktopButtonOrder(int layout) : myLayout(layout) {}

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        return hint == SH_DialogButtonLayout
                   ? myLayout
                   : QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    int myLayout;
};

// The topmost child window at a point of the frame's window area.
QMdiSubWindow *ChildAt(QPoint at)
{
    for (QWidget *w = FRMMain->MdiArea()->viewport()->childAt(at); w; w = w->parentWidget()) {
        if (auto *child = qobject_cast<QMdiSubWindow *>(w))
            return child;
    }
    return nullptr;
}

// The middle of one of a child's title bar buttons.
QPoint TitleBarButton(QMdiSubWindow *child, QStyle::SubControl button)
{
    QStyleOptionTitleBar titleBar;
    titleBar.initFrom(child);
    titleBar.titleBarFlags = child->windowFlags();
    titleBar.titleBarState = int(child->windowState());
    titleBar.rect = QRect(0, 0, child->width(), child->widget()->y());
    return child->style()->subControlRect(QStyle::CC_TitleBar, &titleBar, button, child).center();
}

// Runs the event loop until it next gets ready to wait for events: the hint
// tracker works the hint out at that moment, before this returns.
void UntilTheLoopWaits()
{
    QEventLoop loop;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &loop, &QEventLoop::quit);
    loop.exec();
}

const QString QuitQuestion = QString::fromUtf8("Voulez-vous réellement quitter la Vorkade II ?");

} // namespace

class TstMain : public QObject
{
    Q_OBJECT

private slots:

    void initTestCase() { PrepareGuiTest(); }

    void init();
    void cleanup();

    void startUp();
    void acceleratorRule_data();
    void acceleratorRule();
    void menus();
    void levelItems_data();
    void levelItems();
    void menuFromTheKeyboard();
    void restartUndoesMoves();
    void deleteAndReload_data();
    void deleteAndReload();
    void quitting_data();
    void quitting();
    void yesLeftOfNoOnEveryDesktop_data();
    void yesLeftOfNoOnEveryDesktop();
    void hints();
    void longHintNeverWidensTheFrame();
    void accessibleNames();
    void qtTextsInFrench();
    void information();
    void closingMinimisesAndMenuRestores();
    void tiling();
    void arrangementsKeepTitlesAndIcons_data();
    void arrangementsKeepTitlesAndIcons();
    void arrangeIcons();

private:
    std::unique_ptr<TBoxWatch> myBoxes;
};

void TstMain::init()
{
    CreateMainWindows();
    FRMMain->show();
    QVERIFY(QTest::qWaitForWindowExposed(FRMMain));
    myBoxes = std::make_unique<TBoxWatch>();
}

void TstMain::cleanup()
{
    myBoxes.reset();
    DestroyMainWindows();
    QVERIFY(!FRMMain && !FRMPlay2D && !FRMEditeur && !FRMInfos);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TstMain::startUp()
{
    QCOMPARE(FRMMain->windowTitle(), QString("Vorkade II"));
    QVERIFY(FRMPlay2D);
    QCOMPARE(FRMMain->MdiArea()->subWindowList().size(), 1);
    QCOMPARE(FRMMain->MdiArea()->subWindowList()[0]->widget(), FRMPlay2D);
    QVERIFY(!FRMEditeur);
    QVERIFY(!FRMInfos);
    UntilTheLoopWaits();
    QCOMPARE(FRMMain->StatusText(), QString());
    QVERIFY(LevelCount > 0);
    QCOMPARE(CurrentLevel, 1);
    QCOMPARE(FRMPlay2D->Tablo(), Levels[0].Tablo);
    QVERIFY(FRMPlay2D->ImageBramlek()->isVisible());

    // 632 x 434 below the menu bar, the status bar included.
    const QStatusBar *status = FRMMain->statusBar();
    QCOMPARE(FRMMain->MdiArea()->width(), 632);
    QCOMPARE(FRMMain->MdiArea()->height() + status->height(), 434);
    QCOMPARE(status->height(), 19);
    QVERIFY(status->isSizeGripEnabled());
    // One font on every widget, the menus' windows included, as the windows
    // are designed with; only the status bar's text is bold.
    for (const QWidget *widget : QApplication::allWidgets()) {
        const QFont font = widget->font();
        const QString name = QString::fromLatin1(widget->metaObject()->className());
        QVERIFY2(font.family() == "Tahoma" && font.pixelSize() == 11, qPrintable(name));
        QCOMPARE(font.bold(), widget->objectName() == "myStatusText");
    }

    // The frame's grey shows where no child stands.
    const QImage frame = FRMMain->MdiArea()->grab().toImage();
    QCOMPARE(frame.pixel(frame.width() - 5, frame.height() - 5), qRgb(128, 128, 128));
}

void TstMain::acceleratorRule_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("marked");

    QTest::newRow("first free letter") << QStringList{"Premier", "Précédent", "Recommencer"}
                                       << QStringList{"&Premier", "P&récédent", "R&ecommencer"};
    QTest::newRow("accented letters never count")
        << QStringList{"Ecran", "Éditer"} << QStringList{"&Ecran", "É&diter"};
    QTest::newRow("digits count") << QStringList{"Recharger", "280 niveaux"}
                                  << QStringList{"&Recharger", "&280 niveaux"};
    QTest::newRow("case does not matter")
        << QStringList{"abc", "Abc"} << QStringList{"&abc", "A&bc"};
    QTest::newRow("separators take none")
        << QStringList{"Nouveau", "-", "Quitter"} << QStringList{"&Nouveau", "-", "&Quitter"};
    QTest::newRow("nothing left") << QStringList{"ab", "ba", "a"} << QStringList{"&ab", "&ba", "a"};
}

void TstMain::acceleratorRule()
{
    QFETCH(QStringList, captions);
    QFETCH(QStringList, marked);
    QCOMPARE(WithAccelerators(captions), marked);
}

void TstMain::menus()
{
    const QMap<QString, QStringList> expected{
        {"&Fichier", {"&Nouveau", "", "&Quitter"}},
        {"&Niveau",
         {"&Premier", "P&récédent", "&Suivant", "&Dernier", "", "&Aléatoire", "", "R&ecommencer"}},
        {"&Afficher", {"&Ecran de Jeu", "E&diteur de Niveaux"}},
        {"&Outils", {"&Supprimer tous les niveaux", "&Recharger les 280 niveaux"}},
        {"F&enêtre", {"&Cascade", "&Mosaïque Horizontale", "M&osaïque Verticale", "&Réorganiser"}},
        {"A&ide", {"&Informations"}},
    };
    const QStringList order{"&Fichier", "&Niveau", "&Afficher", "&Outils", "F&enêtre", "A&ide"};
    const QStringList names{"MNUFichier", "MNUNiveau",  "MNUAfficher",
                            "MNUOutils",  "MNUFenetre", "MNUAide"};
    const QList<QAction *> bar = FRMMain->menuBar()->actions();
    QCOMPARE(bar.size(), 6);
    for (int m = 0; m < 6; ++m) {
        QCOMPARE(bar[m]->text(), order[m]);
        QCOMPARE(bar[m]->menu()->objectName(), names[m]);
        QStringList items;
        for (QAction *action : bar[m]->menu()->actions()) {
            items << action->text();
            QVERIFY(action->isEnabled());
            QVERIFY(action->shortcut().isEmpty());
            QVERIFY(!action->isCheckable());
        }
        QCOMPARE(items, expected[order[m]]);
    }
    const char *const components[] = {"MNUFichierNouveau",
                                      "N3",
                                      "MNUFichierQuitter",
                                      "MNUNiveauPremier",
                                      "MNUNiveauPrecedent",
                                      "MNUNiveauSuivant",
                                      "MNUNiveauDernier",
                                      "N1",
                                      "MNUNiveauAleatoire",
                                      "N2",
                                      "MNUNiveauRecommencer",
                                      "MNUAfficherEcran2D",
                                      "MNUAfficherEditeur",
                                      "MNUOutilsSupprimerNiveaux",
                                      "MNUOutilsRechargerNiveaux",
                                      "MNUFenetreCascade",
                                      "MNUFenetreMosaiqueHorizontale",
                                      "MNUFenetreMosaiqueVerticale",
                                      "MNUFenetreReorganiser",
                                      "MNUAideInformations"};
    for (const char *name : components)
        QVERIFY2(Item(name), name);
    QVERIFY(Item("N1")->isSeparator());
}

void TstMain::levelItems_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");

    QTest::newRow("Premier") << "MNUNiveauPremier" << 3 << 1;
    QTest::newRow("Précédent") << "MNUNiveauPrecedent" << 3 << 2;
    QTest::newRow("Précédent on level 1") << "MNUNiveauPrecedent" << 1 << 1;
    QTest::newRow("Suivant") << "MNUNiveauSuivant" << 3 << 4;
    QTest::newRow("Suivant on the last") << "MNUNiveauSuivant" << -1 << -1;
    QTest::newRow("Dernier") << "MNUNiveauDernier" << 3 << -1;
    QTest::newRow("Recommencer") << "MNUNiveauRecommencer" << 3 << 3;
}

void TstMain::levelItems()
{
    QFETCH(QString, item);
    QFETCH(int, from);
    QFETCH(int, to);
    QVERIFY(LevelCount >= 4);
    CurrentLevel = from < 0 ? LevelCount : from;
    RefreshWindows();
    Item(qPrintable(item))->trigger();
    QCOMPARE(CurrentLevel, to < 0 ? LevelCount : to);
    QCOMPARE(FRMPlay2D->Tablo(), Levels[CurrentLevel - 1].Tablo);
    QVERIFY(myBoxes->Seen.isEmpty());
}

// Alt and the menu's letter open it; the item's letter runs it.
void TstMain::menuFromTheKeyboard()
{
    QTest::keyClick(FRMMain, Qt::Key_N, Qt::AltModifier);
    QMenu *menu = FRMMain->findChild<QMenu *>("MNUNiveau");
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_S);
    QTRY_COMPARE(CurrentLevel, 2);
    QVERIFY(!menu->isVisible());

    QTest::keyClick(FRMMain, Qt::Key_N, Qt::AltModifier);
    QTRY_VERIFY(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_R); // "Précédent" took R, its second letter
    QTRY_COMPARE(CurrentLevel, 1);
}

void TstMain::restartUndoesMoves()
{
    UseWalkingLevel();
    const QStringList start = PlayBoard();
    QTest::keyClick(FRMPlay2D, Qt::Key_Right);
    QVERIFY(PlayBoard() != start);
    Item("MNUNiveauRecommencer")->trigger();
    QCOMPARE(PlayBoard(), start);
    QCOMPARE(CurrentLevel, 1);
}

void TstMain::deleteAndReload_data()
{
    QTest::addColumn<int>("answer"); // a key, or 0 for the close button
    QTest::addColumn<bool>("yes");
    QTest::newRow("Oui by Enter") << int(Qt::Key_Return) << true;
    QTest::newRow("Oui by its letter") << int(Qt::Key_O) << true;
    QTest::newRow("Non by its letter") << int(Qt::Key_N) << false;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    QTest::newRow("closed") << 0 << false;
}

void TstMain::deleteAndReload()
{
    QFETCH(int, answer);
    QFETCH(bool, yes);
    const int builtIn = LevelCount;
    UseWalkingLevel(); // two levels of our own, which only a reload replaces
    Item("MNUNiveauSuivant")->trigger();

    myBoxes->Expect(answer);
    Item("MNUOutilsSupprimerNiveaux")->trigger();
    QCOMPARE(myBoxes->Seen.size(), 1);
    const TBoxSeen box = myBoxes->Seen[0];
    QCOMPARE(box.Title, QString("Confirmation"));
    QCOMPARE(box.Text, QString::fromUtf8("Voulez-vous réellement supprimer tous les niveaux ?"));
    QCOMPARE(box.Icon, QMessageBox::Question);
    QCOMPARE(box.Buttons, QStringList({"&Oui", "&Non"}));
    QVERIFY(box.Centred);
    QCOMPARE(box.Font, TahomaFont());
    QCOMPARE(LevelCount, yes ? 0 : 2);
    QCOMPARE(CurrentLevel, yes ? 0 : 2);
    QCOMPARE(FRMPlay2D->ImageBramlek()->isVisible(), !yes);

    myBoxes->Expect(answer);
    Item("MNUOutilsRechargerNiveaux")->trigger();
    QCOMPARE(myBoxes->Seen.size(), 2);
    QCOMPARE(myBoxes->Seen[1].Text,
             QString::fromUtf8("Voulez-vous réellement recharger les 280 niveaux ?"));
    QCOMPARE(LevelCount, yes ? builtIn : 2);
    QCOMPARE(CurrentLevel, yes ? 1 : 2);
    QVERIFY(FRMPlay2D->ImageBramlek()->isVisible());
    QCOMPARE(FRMPlay2D->Tablo(), Levels[CurrentLevel - 1].Tablo);
}

void TstMain::quitting_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Quitter, Non") << true << int(Qt::Key_N) << false;
    QTest::newRow("Quitter, Escape") << true << int(Qt::Key_Escape) << false;
    QTest::newRow("Quitter, box closed") << true << 0 << false;
    QTest::newRow("Quitter, Oui") << true << int(Qt::Key_Return) << true;
    QTest::newRow("close button, Non") << false << int(Qt::Key_Escape) << false;
    QTest::newRow("close button, Oui") << false << int(Qt::Key_O) << true;
}

void TstMain::quitting()
{
    QFETCH(bool, fromMenu);
    QFETCH(int, answer);
    QFETCH(bool, closes);

    Item("MNUAideInformations")->trigger();
    UseWalkingLevel();
    QTest::keyClick(FRMPlay2D, Qt::Key_Right);
    const QStringList moved = PlayBoard();

    myBoxes->Expect(answer);
    if (fromMenu)
        Item("MNUFichierQuitter")->trigger();
    else
        FRMMain->close(); // what the title bar's close button and Alt+F4 ask for
    QCOMPARE(myBoxes->Seen.size(), 1);
    QCOMPARE(myBoxes->Seen[0].Title, QString("Confirmation"));
    QCOMPARE(myBoxes->Seen[0].Text, QuitQuestion);
    QCOMPARE(FRMMain->isVisible(), !closes);
    QCOMPARE(FRMMain->MdiArea()->subWindowList().size(), 2);
    QCOMPARE(PlayBoard(), moved);
    QCOMPARE(CurrentLevel, 1);
}

void TstMain::yesLeftOfNoOnEveryDesktop_data()
{
    QTest::addColumn<int>("layout");
    QTest::newRow("Windows") << int(QDialogButtonBox::WinLayout);
    QTest::newRow("GNOME") << int(QDialogButtonBox::GnomeLayout);
    QTest::newRow("KDE") << int(QDialogButtonBox::KdeLayout);
    QTest::newRow("macOS") << int(QDialogButtonBox::MacLayout);
}

// Whatever order the desktop gives a box's buttons, "&Oui" stands left of
// "&Non", Escape answers "&Non" and Enter "&Oui".
void TstMain::yesLeftOfNoOnEveryDesktop()
{
    QFETCH(int, layout);
    QStyle *desktop = new TDesktopButtonOrder(layout);
    QApplication::setStyle(desktop);
    myBoxes->Expect(Qt::Key_Escape);
    Item("MNUFichierQuitter")->trigger();
    QVERIFY(FRMMain->isVisible());
    myBoxes->Expect(Qt::Key_Return);
    Item("MNUFichierQuitter")->trigger();
    QApplication::setStyle(QStringLiteral("Fusion"));
    QVERIFY(!FRMMain->isVisible());
    QCOMPARE(myBoxes->Seen.size(), 2);
    for (const TBoxSeen &box : std::as_const(myBoxes->Seen))
        QCOMPARE(box.Buttons, QStringList({"&Oui", "&Non"}));
}

void TstMain::hints()
{
    const auto move = [](QWidget *where, QPoint at = QPoint(12, 12)) {
        QTest::mouseMove(where, at);
    };

    // A hint with no short part: the status bar shows what follows the bar.
    QCOMPARE(LongHint("|Seulement long"), QString("Seulement long"));

    QToolButton *next = FRMPlay2D->findChild<QToolButton *>("BTNNiveauSuivant");
    QSignalSpy changes(FRMMain->findChild<THintTracker *>(), &THintTracker::HintChanged);
    move(next);
    QTRY_COMPARE(FRMMain->StatusText(), QString("Niveau Suivant (PAGE DOWN)"));
    move(next, QPoint(5, 5)); // the same hint: no change to announce
    move(FRMPlay2D->findChild<QToolButton *>("BTNPremierNiveau"));
    QTRY_COMPARE(FRMMain->StatusText(), QString("Premier Niveau (HOME)"));
    QCOMPARE(changes.size(), 2);
    move(FRMPlay2D->findChild<QToolButton *>("BTNNiveauAleatoire"));
    QTRY_COMPARE(FRMMain->StatusText(), QString::fromUtf8("Niveau Aléatoire"));
    move(FRMPlay2D->ImageBramlek(), FRMPlay2D->ImageBramlek()->rect().center());
    QTRY_COMPARE(FRMMain->StatusText(), QString());

    // A disabled control still shows its hint.
    next->setEnabled(false);
    move(next, QPoint(5, 5));
    QTRY_COMPARE(FRMMain->StatusText(), QString("Niveau Suivant (PAGE DOWN)"));
    next->setEnabled(true);
    move(FRMMain->MdiArea(),
         QPoint(FRMMain->MdiArea()->width() - 5, FRMMain->MdiArea()->height() - 5));
    QTRY_COMPARE(FRMMain->StatusText(), QString());

    // Out of the program: the pointer leaves the frame's window.
    move(next);
    QTRY_COMPARE(FRMMain->StatusText(), QString("Niveau Suivant (PAGE DOWN)"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(FRMMain->windowHandle(), &leave);
    QTRY_COMPARE(FRMMain->StatusText(), QString());

    // While a menu is open the hint is the item's, and no item has one; a control
    // outside the open menu gives none either.
    move(next, QPoint(8, 9));
    QTRY_COMPARE(FRMMain->StatusText(), QString("Niveau Suivant (PAGE DOWN)"));
    QMenu *menu = FRMMain->findChild<QMenu *>("MNUNiveau");
    menu->popup(FRMMain->mapToGlobal(QPoint(300, 150)));
    QTRY_VERIFY(menu->isVisible());
    move(menu, QPoint(10, 10));
    QTRY_COMPARE(FRMMain->StatusText(), QString());
    move(next, QPoint(8, 9));
    UntilTheLoopWaits();
    QCOMPARE(FRMMain->StatusText(), QString());
    menu->close();
    QTRY_COMPARE(FRMMain->StatusText(), QString("Niveau Suivant (PAGE DOWN)"));
}

// What would widen the frame is what its status bar asks for: its text asks for
// nothing, so the longest hint is clipped rather than widening a narrow frame.
void TstMain::longHintNeverWidensTheFrame()
{
    const QString hint = QString::fromUtf8("Niveau Précédent (PAGE UP)"); // the longest
    const int narrowest = FRMMain->minimumSizeHint().width();
    QTest::mouseMove(FRMPlay2D->findChild<QToolButton *>("BTNNiveauPrecedent"), QPoint(12, 12));
    QTRY_COMPARE(FRMMain->StatusText(), hint);
    const int text = QFontMetrics(TahomaFont(true)).horizontalAdvance(hint);
    QVERIFY(FRMMain->statusBar()->minimumSizeHint().width() < text);
    QCOMPARE(FRMMain->minimumSizeHint().width(), narrowest);
}

void TstMain::accessibleNames()
{
    Item("MNUAfficherEditeur")->trigger();
    Item("MNUAideInformations")->trigger();
    const auto name = [](QObject *object) {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
        return face ? face->text(QAccessible::Name) : QString("(none)");
    };
    QCOMPARE(name(FRMMain), QString("Vorkade II"));
    QCOMPARE(name(ChildOf(FRMPlay2D)), QString::fromUtf8("Jouer à Bramlek"));
    QCOMPARE(name(ChildOf(FRMEditeur)), QString("Editeur de Niveaux"));
    QCOMPARE(name(ChildOf(FRMInfos)), QString("Informations"));
    // Each button by its tooltip, the short part of its hint.
    QCOMPARE(name(FRMPlay2D->findChild<QToolButton *>("BTNNiveauSuivant")),
             QString("Niveau Suivant"));
    QCOMPARE(name(FRMEditeur->findChild<QToolButton *>("BTNBox2")),
             QString("Caisse sur Emplacement"));
    const QList<QToolButton *> buttons =
        FRMMain->findChildren<QToolButton *>(QRegularExpression("^BTN"));
    QCOMPARE(buttons.size(), 5 + 9);
    for (QToolButton *button : buttons)
        QCOMPARE(name(button), button->toolTip());
}

void TstMain::qtTextsInFrench()
{
    QCOMPARE(QCoreApplication::translate("QMdiSubWindow", "Close"), QString("Fermer"));
    QCOMPARE(QCoreApplication::translate("QMdiSubWindow", "Mi&nimize"),
             QString::fromUtf8("Réd&uire"));
}

void TstMain::information()
{
    Item("MNUAideInformations")->trigger();
    QVERIFY(FRMInfos);
    TFRMInfos *first = FRMInfos;
    QCOMPARE(FRMMain->MdiArea()->subWindowList().size(), 2);
    QCOMPARE(ChildOf(FRMInfos)->windowTitle(), QString("Informations"));
    QCOMPARE(FRMInfos->size(), QSize(312, 213));

    auto *memo = FRMInfos->findChild<QTextEdit *>("MMOInfos");
    QCOMPARE(memo->geometry(), FRMInfos->rect());
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(memo->lineWrapMode(), QTextEdit::WidgetWidth);
    QVERIFY(!(memo->focusPolicy() & Qt::TabFocus));
    const QStringList lines = memo->toPlainText().split('\n');
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines[2], QString("Vorkade 2"));
    QVERIFY(lines[4].startsWith("Auteur : "));
    QCOMPARE(lines[5], QString("Version : " VORKADE_VERSION));
    QCOMPARE(lines[6], QString("Date : 2009-02-20"));
    QVERIFY(lines[10].startsWith("Mail : "));
    QVERIFY(lines[11].startsWith("ICQ : "));
    QVERIFY(lines[12].startsWith("MSN : "));
    for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next())
        QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    // Read-only: no caret, even with the focus. Its first two lines are
    // empty, so anything drawn at their height would be the caret.
    memo->setFocus();
    QTRY_VERIFY(memo->hasFocus());
    const QImage top = memo->viewport()->grab(QRect(0, 0, memo->viewport()->width(), 20)).toImage();
    const QRgb paper = top.pixel(0, 0);
    for (int y = 0; y < top.height(); ++y) {
        for (int x = 0; x < top.width(); ++x)
            QVERIFY2(top.pixel(x, y) == paper, qPrintable(QString("caret at %1,%2").arg(x).arg(y)));
    }
    // Still selectable with the mouse, and copied.
    QTextCursor from(memo->document()->findBlockByNumber(2));
    QTextCursor to(from);
    to.movePosition(QTextCursor::EndOfBlock);
    QTest::mousePress(memo->viewport(), Qt::LeftButton, {}, memo->cursorRect(from).center());
    QTest::mouseMove(memo->viewport(), memo->cursorRect(to).center());
    QTest::mouseRelease(memo->viewport(), Qt::LeftButton, {}, memo->cursorRect(to).center());
    QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("Vorkade 2"));

    const QString text = memo->toPlainText();
    QTest::keyClicks(memo, "abc");
    QTest::keyClick(memo, Qt::Key_Delete);
    QCOMPARE(memo->toPlainText(), text);

    ChildOf(FRMInfos)->close();
    QVERIFY(ChildOf(FRMInfos)->isMinimized());
    Item("MNUAideInformations")->trigger();
    QCOMPARE(FRMInfos, first);
    QVERIFY(!ChildOf(FRMInfos)->isMinimized());
    QCOMPARE(FRMMain->MdiArea()->activeSubWindow(), ChildOf(FRMInfos));
    QCOMPARE(FRMMain->MdiArea()->subWindowList().size(), 2);
}

void TstMain::closingMinimisesAndMenuRestores()
{
    UseWalkingLevel();
    QTest::keyClick(FRMPlay2D, Qt::Key_Right);
    const QStringList moved = PlayBoard();
    QMdiSubWindow *play = ChildOf(FRMPlay2D);
    play->close();
    QVERIFY(play->isMinimized());
    QVERIFY(play->isVisible());
    Item("MNUAfficherEcran2D")->trigger();
    QVERIFY(!play->isMinimized());
    QCOMPARE(PlayBoard(), moved);

    play->showMaximized();
    Item("MNUAfficherEcran2D")->trigger();
    QVERIFY(!play->isMaximized());

    // Ctrl+F4 closes the active child on every desktop, and so does Ctrl+W.
    for (const QKeyCombination key : {Qt::CTRL | Qt::Key_F4, Qt::CTRL | Qt::Key_W}) {
        Item("MNUAfficherEcran2D")->trigger();
        QVERIFY(!play->isMinimized());
        QTest::keyClick(FRMPlay2D, key.key(), key.keyboardModifiers());
        QVERIFY2(play->isMinimized(), qPrintable(QKeySequence(key).toString()));
    }
    QCOMPARE(PlayBoard(), moved);
    QCOMPARE(FRMMain->MdiArea()->subWindowList().size(), 1);

    // Open, but behind the editor: its item brings it to the front, makes it
    // active and gives it the keyboard, so that the next arrow key plays.
    Item("MNUAfficherEcran2D")->trigger();
    Item("MNUAfficherEditeur")->trigger();
    QMdiSubWindow *editor = ChildOf(FRMEditeur);
    const QPoint both = (play->geometry() & editor->geometry()).center();
    QCOMPARE(ChildAt(both), editor);
    QVERIFY(!play->isMinimized());
    Item("MNUAfficherEcran2D")->trigger();
    QCOMPARE(ChildAt(both), play);
    QCOMPARE(FRMMain->MdiArea()->activeSubWindow(), play);
    QTest::keyClick(FRMMain->windowHandle(), Qt::Key_Right); // to wherever the keyboard is
    QCOMPARE(PlayBoard(), QStringList{"#  @ $.#"});
}

void TstMain::tiling()
{
    Item("MNUAideInformations")->trigger();
    QMdiSubWindow *play = ChildOf(FRMPlay2D);
    QMdiSubWindow *infos = ChildOf(FRMInfos);
    const QRect area = FRMMain->MdiArea()->viewport()->rect();

    Item("MNUFenetreMosaiqueHorizontale")->trigger();
    QCOMPARE(play->geometry().width(), area.width());
    QCOMPARE(infos->geometry().width(), area.width());
    QCOMPARE(play->geometry().left(), 0);
    QCOMPARE(play->geometry().top(), 0);
    QCOMPARE(infos->geometry().top(), play->geometry().bottom() + 1);
    QCOMPARE(infos->geometry().bottom(), area.bottom());

    Item("MNUFenetreMosaiqueVerticale")->trigger();
    QCOMPARE(play->geometry().height(), area.height());
    QCOMPARE(infos->geometry().height(), area.height());
    QCOMPARE(infos->geometry().left(), play->geometry().right() + 1);
    QCOMPARE(infos->geometry().right(), area.right());

    // Cascade with the play window active, from side by side: back to front,
    // each a title bar lower and further right, the active one in front and
    // no title bar covered.
    Item("MNUAfficherEditeur")->trigger();
    Item("MNUFenetreMosaiqueVerticale")->trigger();
    FRMMain->MdiArea()->setActiveSubWindow(play);
    Item("MNUFenetreCascade")->trigger();
    const QList<QMdiSubWindow *> stack = FRMMain->MdiArea()->subWindowList(QMdiArea::StackingOrder);
    QCOMPARE(stack.size(), 3);
    QCOMPARE(stack.last(), play);
    QCOMPARE(FRMMain->MdiArea()->activeSubWindow(), play);
    const int step = stack[1]->y() - stack[0]->y();
    QVERIFY(step > 0);
    for (int i = 0; i < stack.size(); ++i) {
        QCOMPARE(stack[i]->pos(), area.topLeft() + QPoint(step, step) * i);
        QVERIFY(!stack[i]->isMinimized());
        const QPoint titleBar = stack[i]->pos() + QPoint(step / 2, step / 2);
        QVERIFY2(ChildAt(titleBar) == stack[i], qPrintable(stack[i]->windowTitle()));
        QVERIFY(stack[i]->widget()->y() <= step); // the title bar is one step high
    }

    // Just wide and high enough for the front window at its smallest, two steps in.
    QMdiSubWindow *editor = ChildOf(FRMEditeur);
    FRMMain->MdiArea()->setActiveSubWindow(editor);
    const QSize wanted =
        QSize(2 * step, 2 * step) + editor->minimumSizeHint().expandedTo(QSize(step, step));
    FRMMain->resize(FRMMain->size() + wanted - area.size());
    QCOMPARE(FRMMain->MdiArea()->viewport()->size(), wanted);
    Item("MNUFenetreCascade")->trigger();
    QCOMPARE(editor->pos(), area.topLeft() + QPoint(step, step) * 2);
}

void TstMain::arrangementsKeepTitlesAndIcons_data()
{
    QTest::addColumn<QStringList>("items"); // menu items chosen in turn
    QTest::addColumn<bool>("maximised");    // the editor maximised first
    QTest::addColumn<bool>("iconised");     // the information window minimised
    QTest::addColumn<int>("frameHeight");   // 0: the frame as it opens
    QTest::addColumn<bool>("wraps");        // too short for the steps of the cascade

    const QString cascade = "MNUFenetreCascade";
    const QString horizontal = "MNUFenetreMosaiqueHorizontale";
    const QString vertical = "MNUFenetreMosaiqueVerticale";
    // Too short for the designed sizes too: the windows must give way to the icons.
    QTest::newRow("Cascade from full-height columns, an icon")
        << QStringList{vertical, cascade} << false << true << 400 << false;
    QTest::newRow("Cascade, a child maximised, an icon")
        << QStringList{cascade} << true << true << 0 << false;
    QTest::newRow("Mosaïque Horizontale, a child maximised, an icon")
        << QStringList{horizontal} << true << true << 0 << false;
    QTest::newRow("Mosaïque Verticale, a child maximised, an icon")
        << QStringList{vertical} << true << true << 0 << false;
    QTest::newRow("all three in turn, an icon")
        << QStringList{cascade, vertical, horizontal} << false << true << 0 << false;
    QTest::newRow("Cascade in a frame too short for its steps")
        << QStringList{cascade} << false << false << 150 << true;
}

// Every child that is not minimised ends in its normal state, wholly above the
// icons, its title bar in sight; every icon stays where it was, in sight.
void TstMain::arrangementsKeepTitlesAndIcons()
{
    QFETCH(QStringList, items);
    QFETCH(bool, maximised);
    QFETCH(bool, iconised);
    QFETCH(int, frameHeight);
    QFETCH(bool, wraps);

    if (frameHeight)
        FRMMain->resize(FRMMain->width(), frameHeight);
    Item("MNUAideInformations")->trigger();
    QMdiSubWindow *infos = ChildOf(FRMInfos);
    if (iconised)
        infos->close();
    Item("MNUAfficherEditeur")->trigger();
    QMdiSubWindow *editor = ChildOf(FRMEditeur);
    if (maximised) {
        // The title bar's buttons answer the pointer that came over them.
        const QPoint button = TitleBarButton(editor, QStyle::SC_TitleBarMaxButton);
        QTest::mouseMove(editor, QPoint(editor->width() / 2, editor->height() / 2));
        QTest::mouseMove(editor, button);
        QTest::mouseClick(editor, Qt::LeftButton, {}, button);
        QVERIFY(editor->isMaximized());
    }
    const QRect icon = infos->geometry();

    for (const QString &item : items)
        Item(qPrintable(item))->trigger();

    const QRect area = FRMMain->MdiArea()->viewport()->rect();
    int above = area.bottom();
    if (iconised) {
        QVERIFY(infos->isMinimized());
        QCOMPARE(infos->geometry(), icon);
        QCOMPARE(ChildAt(icon.center()), infos);
        above = icon.top() - 1;
    }
    int atTheTop = 0;
    int lowest = area.top();
    for (QMdiSubWindow *child : FRMMain->MdiArea()->subWindowList()) {
        if (child->isMinimized())
            continue;
        const QRect place = child->geometry();
        const int title = child->widget()->y(); // the title bar's height
        QVERIFY2(!child->isMaximized(), qPrintable(child->windowTitle()));
        QVERIFY2(area.contains(place) && place.bottom() <= above, qPrintable(child->windowTitle()));
        QVERIFY2(place.height() >= child->minimumSizeHint().height(), // never squeezed
                 qPrintable(child->windowTitle()));
        QVERIFY2(ChildAt(place.topLeft() + QPoint(title / 2, title / 2)) == child,
                 qPrintable(child->windowTitle()));
        atTheTop += place.top() == area.top();
        lowest = std::max(lowest, place.bottom());
    }
    if (!maximised && items.last() != "MNUFenetreCascade")
        QCOMPARE(lowest, above); // the tiles reach down to the icons
    if (wraps)
        QVERIFY(atTheTop >= 2);
}

void TstMain::arrangeIcons()
{
    Item("MNUAideInformations")->trigger();
    Item("MNUAfficherEditeur")->trigger();
    QMdiSubWindow *play = ChildOf(FRMPlay2D);
    QMdiSubWindow *infos = ChildOf(FRMInfos);
    QMdiSubWindow *editor = ChildOf(FRMEditeur);
    infos->close();
    editor->close();
    play->move(40, 30);
    infos->move(200, 100); // icons dragged about
    editor->move(10, 10);

    Item("MNUFenetreReorganiser")->trigger();
    const QRect area = FRMMain->MdiArea()->viewport()->rect();
    QCOMPARE(play->pos(), QPoint(40, 30));
    QCOMPARE(infos->geometry().bottom(), area.bottom());
    QCOMPARE(editor->geometry().bottom(), area.bottom());
    QCOMPARE(infos->geometry().left(), 0);
    QCOMPARE(editor->geometry().left(), infos->geometry().right() + 1);
    QVERIFY(infos->isMinimized() && editor->isMinimized());

    // As narrow as the frame goes, three icons take more than one row: the
    // further rows go upwards from the bottom, and every icon stays in sight.
    play->close();
    FRMMain->resize(100, FRMMain->height());
    Item("MNUFenetreReorganiser")->trigger();
    const QRect narrow = FRMMain->MdiArea()->viewport()->rect();
    const QList<QMdiSubWindow *> icons{play, infos, editor};
    QCOMPARE(play->geometry().bottom(), narrow.bottom());
    QCOMPARE(editor->geometry().bottom() + 1, infos->geometry().top()); // a row further up
    for (QMdiSubWindow *icon : icons) {
        QVERIFY2(narrow.contains(icon->geometry()), qPrintable(icon->windowTitle()));
        QCOMPARE(ChildAt(icon->geometry().center()), icon);
    }

    // Two icons fill a row exactly; a pixel less, and the second goes a row up.
    const int iconWidth = infos->width();
    for (const int spare : {0, -1}) {
        const int wanted = 2 * iconWidth + spare;
        FRMMain->resize(FRMMain->width() + wanted - FRMMain->MdiArea()->viewport()->width(),
                        FRMMain->height());
        QCOMPARE(FRMMain->MdiArea()->viewport()->width(), wanted);
        Item("MNUFenetreReorganiser")->trigger();
        QCOMPARE(infos->pos(),
                 QPoint(spare ? 0 : iconWidth, play->y() - (spare ? play->height() : 0)));
    }
}

QTEST_MAIN(TstMain)
#include "tst_main.moc"
