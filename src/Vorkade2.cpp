// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// Vorkade II: a box-pushing puzzle game.
#include "application.h"
#include "fmain.h"

#include <QApplication>

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
    return status;
}
