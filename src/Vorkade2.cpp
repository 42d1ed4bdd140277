// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// Vorkade II: a box-pushing puzzle game.
#include "application.h"
#include "fmain.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char *argv[])
{
    // The program takes no option: Qt sees only the program's name.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication application(qtArgc, argv);
    InitApplication();

    CreateMainWindows();
    FRMMain->show();
    const int status = QApplication::exec();
    DestroyMainWindows();
    // Nothing is saved and the system takes back the rest, so the program ends
    // with its windows. Tearing down Qt's Wayland connection as well can hang
    // for good (Qt 6.4's event thread waits on a read that never comes), after
    // the user has seen every window close.
    std::_Exit(status);
}
