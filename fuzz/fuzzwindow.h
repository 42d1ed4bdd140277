// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the window targets share: one application on the windowless platform,
// started once and kept until the process ends.
#include "fuzzcheck.h"

#include <QApplication>

#include <cstdio>

inline void StartOffscreenApplication()
{
    // The game takes no option; the harness picks the windowless platform itself.
    static int argc = 3;
    static char name[] = "vorkade-fuzz";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char *argv[] = {name, platformOption, platform, nullptr};
    // Offscreen cannot honour some window hints and says so on every show.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &message) {
        if (!message.startsWith(QLatin1String("This plugin does not support")))
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    // Never destroyed: the windows on it live until the process ends too.
    static QApplication *application = new QApplication(argc, argv);
    Require(application == qApp, "one application for the whole run");
}
