// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fmain.h"

#include "application.h"
#include "boxes.h"
#include "fediteur.h"
#include "finfos.h"
#include "fplay2d.h"
#include "hints.h"
#include "tileset.h"
#include "ulevels.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyleOptionTitleBar>

#include <set>

TFRMMain *FRMMain = nullptr;

namespace
{

const QColor FrameGrey(0x80, 0x80, 0x80);

// A child window of the frame: closing it only minimises it, contents kept.
class TMdiChild : public QMdiSubWindow
{
public:
    using QMdiSubWindow::QMdiSubWindow;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        event->ignore();
        showMinimized();
    }
};

template <class TWindow> void ShowOrCreate(TWindow *&reference)
{
    if (reference) {
        FRMMain->ShowChildWindow(reference);
        return;
    }
    auto *window = new TWindow();
    reference = window;
    FRMMain->AddChildWindow(window);
}

// The frame's window area less the row of icons of minimised children along its
// bottom, which the arrangements leave uncovered.
QRect AreaAboveIcons(const QMdiArea *frame)
{
    int iconRow = 0;
    for (const QMdiSubWindow *child : frame->subWindowList()) {
        if (child->isVisible() && child->isMinimized())
            iconRow = std::max(iconRow, child->height());
    }
    QRect area = frame->viewport()->rect();
    area.setHeight(std::max(area.height() - iconRow, 1));
    return area;
}

bool IsAcceleratorCharacter(QChar c)
{
    const QChar upper = c.toUpper();
    return (upper >= QLatin1Char('A') && upper <= QLatin1Char('Z')) ||
           (upper >= QLatin1Char('0') && upper <= QLatin1Char('9'));
}

} // namespace

QStringList WithAccelerators(const QStringList &captions)
{
    std::set<QChar> taken;
    QStringList marked;
    for (const QString &caption : captions) {
        QString result = caption;
        if (caption != QLatin1String("-")) {
            for (qsizetype i = 0; i < caption.size(); ++i) {
                const QChar upper = caption[i].toUpper();
                if (IsAcceleratorCharacter(caption[i]) && !taken.count(upper)) {
                    taken.insert(upper);
                    result.insert(i, QLatin1Char('&'));
                    break;
                }
            }
        }
        marked << result;
    }
    return marked;
}

TFRMMain::TFRMMain(QWidget *parent) : QMainWindow(parent), myMdiArea(new QMdiArea(this))
{
    setObjectName(QStringLiteral("FRMMain"));
    SetUpWindow(this, ApplicationTitle, ApplicationIconImage());
    myMdiArea->setObjectName(QStringLiteral("myMdiArea"));
    setCentralWidget(myMdiArea);

    CreateMenus();
    CreateStatusBar();
    CreateShortcuts();
    // 632 x 434 below the menu bar, the status bar included.
    resize(632, myMainMenu->sizeHint().height() + 434);
    FormCreate();
}

TFRMMain::~TFRMMain()
{
    UserInterface = {};
    if (FRMMain == this)
        FRMMain = nullptr;
}

void TFRMMain::CreateMenus()
{
    struct TItem {
        const char *Caption; // "-" for a separator
        const char *Name;
        void (TFRMMain::*Click)();
    };

    struct TMenu {
        const char *Caption;
        const char *Name;
        std::vector<TItem> Items;
    };

    const TMenu menus[] = {
        {"Fichier",
         "MNUFichier",
         {{"Nouveau", "MNUFichierNouveau", &TFRMMain::MNUFichierNouveauClick},
          {"-", "N3", nullptr},
          {"Quitter", "MNUFichierQuitter", &TFRMMain::MNUFichierQuitterClick}}},
        {"Niveau",
         "MNUNiveau",
         {{"Premier", "MNUNiveauPremier", &TFRMMain::MNUNiveauPremierClick},
          {"Précédent", "MNUNiveauPrecedent", &TFRMMain::MNUNiveauPrecedentClick},
          {"Suivant", "MNUNiveauSuivant", &TFRMMain::MNUNiveauSuivantClick},
          {"Dernier", "MNUNiveauDernier", &TFRMMain::MNUNiveauDernierClick},
          {"-", "N1", nullptr},
          {"Aléatoire", "MNUNiveauAleatoire", &TFRMMain::MNUNiveauAleatoireClick},
          {"-", "N2", nullptr},
          {"Recommencer", "MNUNiveauRecommencer", &TFRMMain::MNUNiveauRecommencerClick}}},
        {"Afficher",
         "MNUAfficher",
         {{"Ecran de Jeu", "MNUAfficherEcran2D", &TFRMMain::MNUAfficherEcran2DClick},
          {"Editeur de Niveaux", "MNUAfficherEditeur", &TFRMMain::MNUAfficherEditeurClick}}},
        {"Outils",
         "MNUOutils",
         {{"Supprimer tous les niveaux", "MNUOutilsSupprimerNiveaux",
           &TFRMMain::MNUOutilsSupprimerNiveauxClick},
          {"Recharger les 280 niveaux", "MNUOutilsRechargerNiveaux",
           &TFRMMain::MNUOutilsRechargerNiveauxClick}}},
        {"Fenêtre",
         "MNUFenetre",
         {{"Cascade", "MNUFenetreCascade", &TFRMMain::MNUFenetreCascadeClick},
          {"Mosaïque Horizontale", "MNUFenetreMosaiqueHorizontale",
           &TFRMMain::MNUFenetreMosaiqueHorizontaleClick},
          {"Mosaïque Verticale", "MNUFenetreMosaiqueVerticale",
           &TFRMMain::MNUFenetreMosaiqueVerticaleClick},
          {"Réorganiser", "MNUFenetreReorganiser", &TFRMMain::MNUFenetreReorganiserClick}}},
        {"Aide",
         "MNUAide",
         {{"Informations", "MNUAideInformations", &TFRMMain::MNUAideInformationsClick}}},
    };

    myMainMenu = menuBar();
    myMainMenu->setObjectName(QStringLiteral("myMainMenu"));
    QStringList titles;
    for (const TMenu &menu : menus)
        titles << QString::fromUtf8(menu.Caption);
    titles = WithAccelerators(titles);

    for (std::size_t m = 0; m < std::size(menus); ++m) {
        QMenu *dropDown = myMainMenu->addMenu(titles[int(m)]);
        dropDown->setObjectName(QString::fromLatin1(menus[m].Name));
        QStringList captions;
        for (const TItem &item : menus[m].Items)
            captions << QString::fromUtf8(item.Caption);
        captions = WithAccelerators(captions);
        for (std::size_t i = 0; i < menus[m].Items.size(); ++i) {
            const TItem &item = menus[m].Items[i];
            QAction *action =
                item.Click ? dropDown->addAction(captions[int(i)]) : dropDown->addSeparator();
            action->setObjectName(QString::fromLatin1(item.Name));
            if (item.Click)
                connect(action, &QAction::triggered, this, item.Click);
        }
    }
}

void TFRMMain::CreateShortcuts()
{
    // Closing the active child (which minimises it) is Ctrl+F4 on every
    // desktop, whatever Qt's key scheme for the desktop binds; AddChildWindow
    // leaves each child's own Close with Ctrl+W alone, so the two never clash.
    auto *closeChild = new QAction(this);
    closeChild->setObjectName(QStringLiteral("CloseChild"));
    closeChild->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    connect(closeChild, &QAction::triggered, this, [this] {
        if (QMdiSubWindow *active = myMdiArea->activeSubWindow())
            active->close();
    });
    addAction(closeChild);
}

void TFRMMain::CreateStatusBar()
{
    myStatusBar = new QStatusBar(this);
    myStatusBar->setObjectName(QStringLiteral("myStatusBar"));
    myStatusBar->setFixedHeight(19);
    myStatusBar->setSizeGripEnabled(true);
    myStatusText = new QLabel(myStatusBar);
    myStatusText->setObjectName(QStringLiteral("myStatusText"));
    myStatusText->setFont(TahomaFont(true));
    // A long hint is clipped; it never makes the frame wider.
    myStatusText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    myStatusBar->addWidget(myStatusText, 1);
    setStatusBar(myStatusBar);
}

void TFRMMain::FormCreate()
{
    myMdiArea->setBackground(FrameGrey);

    myHints = new THintTracker(this);
    connect(myHints, &THintTracker::HintChanged, this, [this] { ShowAppHint(qApp); });

    UserInterface.Confirm = [](const std::string &question) {
        return ConfirmationBox(QString::fromStdString(question));
    };
    UserInterface.ShowEditor = [] { ShowOrCreate(FRMEditeur); };

    Randomize();
    const std::string error = LoadLevels();
    if (!error.empty())
        InformationBox(QString::fromStdString(error));
}

QString TFRMMain::StatusText() const
{
    return myStatusText->text();
}

void TFRMMain::ShowAppHint(QObject *sender)
{
    Q_UNUSED(sender);
    myStatusText->setText(myHints->Hint());
}

void TFRMMain::closeEvent(QCloseEvent *event)
{
    bool CanClose = false;
    FormCloseQuery(this, CanClose);
    event->setAccepted(CanClose);
}

void TFRMMain::FormCloseQuery(QObject *sender, bool &CanClose)
{
    Q_UNUSED(sender);
    CanClose = ConfirmationBox(QStringLiteral("Voulez-vous réellement quitter la Vorkade II ?"));
}

QMdiSubWindow *TFRMMain::AddChildWindow(QWidget *content)
{
    auto *child = new TMdiChild();
    child->setWidget(content);
    // The child's Close item keeps Ctrl+W, which Qt binds on Linux; Ctrl+F4 is
    // the frame's, even where Qt's key scheme would give it to the child too.
    const QList<QKeySequence> platformClose = QKeySequence::keyBindings(QKeySequence::Close);
    for (QAction *item : child->systemMenu()->actions()) {
        if (!platformClose.isEmpty() && item->shortcuts() == platformClose)
            item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    }
    myMdiArea->addSubWindow(child);
    child->resize(child->sizeHint());
    child->show();
    myMdiArea->setActiveSubWindow(child);
    return child;
}

void TFRMMain::ShowChildWindow(QWidget *content)
{
    auto *child = qobject_cast<QMdiSubWindow *>(content->parentWidget());
    if (!child)
        return;
    child->showNormal();
    myMdiArea->setActiveSubWindow(child);
    child->raise();
}

void TFRMMain::TileChildren(Qt::Orientation bands)
{
    QList<QMdiSubWindow *> tiled;
    for (QMdiSubWindow *child : myMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (child->isVisible() && !child->isMinimized())
            tiled << child;
    }
    if (tiled.isEmpty())
        return;

    const QRect area = AreaAboveIcons(myMdiArea);
    const int count = int(tiled.size());
    const int length = bands == Qt::Horizontal ? area.height() : area.width();
    for (int i = 0; i < count; ++i) {
        const int from = length * i / count;
        const int to = length * (i + 1) / count;
        if (tiled[i]->isMaximized())
            tiled[i]->showNormal();
        if (bands == Qt::Horizontal)
            tiled[i]->setGeometry(area.left(), area.top() + from, area.width(), to - from);
        else
            tiled[i]->setGeometry(area.left() + from, area.top(), to - from, area.height());
    }
}

void TFRMMain::MNUFichierNouveauClick()
{
    NewLevel();
}

void TFRMMain::MNUFichierQuitterClick()
{
    close();
}

void TFRMMain::MNUNiveauPremierClick()
{
    FirstLevel();
}

void TFRMMain::MNUNiveauPrecedentClick()
{
    PreviousLevel();
}

void TFRMMain::MNUNiveauSuivantClick()
{
    NextLevel();
}

void TFRMMain::MNUNiveauDernierClick()
{
    LastLevel();
}

void TFRMMain::MNUNiveauAleatoireClick()
{
    RandomLevel();
}

void TFRMMain::MNUNiveauRecommencerClick()
{
    RestartLevel();
}

void TFRMMain::MNUAfficherEcran2DClick()
{
    ShowOrCreate(FRMPlay2D);
}

void TFRMMain::MNUAfficherEditeurClick()
{
    ShowOrCreate(FRMEditeur);
}

void TFRMMain::MNUAideInformationsClick()
{
    ShowOrCreate(FRMInfos);
}

void TFRMMain::MNUOutilsSupprimerNiveauxClick()
{
    if (ConfirmationBox(QStringLiteral("Voulez-vous réellement supprimer tous les niveaux ?")))
        DeleteAllLevels();
}

void TFRMMain::MNUOutilsRechargerNiveauxClick()
{
    if (!ConfirmationBox(QStringLiteral("Voulez-vous réellement recharger les 280 niveaux ?")))
        return;
    const std::string error = LoadLevels();
    if (!error.empty())
        InformationBox(QString::fromStdString(error));
}

void TFRMMain::MNUFenetreCascadeClick()
{
    // From the back to the front, the active child last, each one title bar
    // further right than the one behind it and one lower, back at the top when
    // the next window would not fit above the icons: every title bar shows.
    // (Qt's own cascade puts the active child first, over the others' titles.)
    QList<QMdiSubWindow *> cascaded;
    for (QMdiSubWindow *child : myMdiArea->subWindowList(QMdiArea::StackingOrder)) {
        if (child->isVisible() && !child->isMinimized())
            cascaded << child;
    }
    QMdiSubWindow *active = myMdiArea->activeSubWindow();
    if (cascaded.removeOne(active))
        cascaded << active;

    const QRect area = AreaAboveIcons(myMdiArea);
    QPoint place = area.topLeft();
    for (QMdiSubWindow *child : cascaded) {
        if (child->isMaximized())
            child->showNormal();
        QStyleOptionTitleBar titleBar;
        titleBar.initFrom(child);
        const int step = child->style()->pixelMetric(QStyle::PM_TitleBarHeight, &titleBar, child);
        const QSize smallest = child->minimumSizeHint().expandedTo(QSize(step, step));
        if (place.y() + smallest.height() > area.bottom() + 1)
            place.setY(area.top());
        if (place.x() + smallest.width() > area.right() + 1)
            place = area.topLeft();
        // Each at its own designed size, cut short where it would leave the area.
        const QSize room(area.right() + 1 - place.x(), area.bottom() + 1 - place.y());
        child->setGeometry(QRect(place, child->sizeHint().boundedTo(room)));
        child->raise();
        place += QPoint(step, step);
    }
    if (active)
        myMdiArea->setActiveSubWindow(active);
}

void TFRMMain::MNUFenetreMosaiqueHorizontaleClick()
{
    TileChildren(Qt::Horizontal);
}

void TFRMMain::MNUFenetreMosaiqueVerticaleClick()
{
    TileChildren(Qt::Vertical);
}

void TFRMMain::MNUFenetreReorganiserClick()
{
    // Icons from the bottom-left corner, left to right, then row by row upwards.
    const QRect area = myMdiArea->viewport()->rect();
    int x = area.left();
    int bottom = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow *child : myMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!child->isVisible() || !child->isMinimized())
            continue;
        if (x > area.left() && x + child->width() > area.right() + 1) {
            x = area.left();
            bottom -= rowHeight;
            rowHeight = 0;
        }
        child->move(x, bottom - child->height());
        x += child->width();
        rowHeight = std::max(rowHeight, child->height());
    }
}

void CreateMainWindows()
{
    FRMMain = new TFRMMain();
    FRMPlay2D = new TFRMPlay2D();
    FRMMain->AddChildWindow(FRMPlay2D);

    CentreOnScreen(FRMMain);
}

void DestroyMainWindows()
{
    delete FRMMain;
}
