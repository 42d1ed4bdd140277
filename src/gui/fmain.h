// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMainWindow>

class QCloseEvent;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenuBar;
class QStatusBar;
class THintTracker;

// Within one menu, each caption takes the first letter A to Z or digit (compared
// in upper case; accented letters never count) that no earlier caption took, and
// gets it marked with "&". Separators ("-") take none.
QStringList WithAccelerators(const QStringList &captions);

// The main frame: menus, a one-line status bar for hints, and the child windows.
class TFRMMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFRMMain(QWidget *parent = nullptr);
    ~TFRMMain() override;

    // Puts a window into the frame as a child, shown at once at the frame's next place.
    QMdiSubWindow *AddChildWindow(QWidget *content);
    // Returns a child to its normal state and brings it to the front.
    void ShowChildWindow(QWidget *content);

    QMdiArea *MdiArea() const { return myMdiArea; }
    QString StatusText() const;
    // Handlers of the "Fenêtre" menu, callable by the tests through the menu too.
    void MNUFenetreCascadeClick();
    void MNUFenetreMosaiqueHorizontaleClick();
    void MNUFenetreMosaiqueVerticaleClick();
    void MNUFenetreReorganiserClick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateMenus();
    void CreateShortcuts();
    void CreateStatusBar();
    void FormCreate();
    void FormCloseQuery(QObject *sender, bool &CanClose);
    void ShowAppHint(QObject *sender);
    void TileChildren(Qt::Orientation bands);

    void MNUFichierNouveauClick();
    void MNUFichierQuitterClick();
    void MNUNiveauPremierClick();
    void MNUNiveauPrecedentClick();
    void MNUNiveauSuivantClick();
    void MNUNiveauDernierClick();
    void MNUNiveauAleatoireClick();
    void MNUNiveauRecommencerClick();
    void MNUAfficherEcran2DClick();
    void MNUAfficherEditeurClick();
    void MNUOutilsSupprimerNiveauxClick();
    void MNUOutilsRechargerNiveauxClick();
    void MNUAideInformationsClick();

    QMdiArea *myMdiArea;
    QMenuBar *myMainMenu = nullptr;
    QStatusBar *myStatusBar = nullptr;
    QLabel *myStatusText = nullptr;
    THintTracker *myHints = nullptr;
};

// The main window; null until it is created.
extern TFRMMain *FRMMain;

// The start-up order after the application object exists: the frame (which
// loads the levels), then the play window inside it.
void CreateMainWindows();
// Deletes the frame as the application ends. The frame's own destructor runs first
// and unhooks the new-level command; the child windows go after it, with the frame's
// widgets, each unhooking its refresh and clearing its global as it goes.
void DestroyMainWindows();
