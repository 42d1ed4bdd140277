// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What every GUI test program shares.
#include "application.h"
#include "boxwatch.h"

#include <QtGlobal>

// The offscreen platform warns about window hints it cannot pass on; that is
// no finding of ours. Every other message goes through.
inline void PrepareGuiTest()
{
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (message.startsWith(QLatin1String("This plugin does not support")))
                return;
            previous(type, context, message);
        });
    InitApplication();
}
