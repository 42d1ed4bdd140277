// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What every GUI test program shares.
#include "application.h"
#include "boxwatch.h"
#include "fmain.h"
#include "fplay2d.h"
#include "playfixture.h"

#include <QAction>
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

// A menu item of the frame, by its name.
inline QAction *Item(const char *name)
{
    return FRMMain->findChild<QAction *>(QString::fromLatin1(name));
}

// The play window's working grid, top row first.
inline QStringList PlayBoard()
{
    return RowsOf(FRMPlay2D->Tablo(), FRMPlay2D->BoardWidth(), FRMPlay2D->BoardHeight());
}
