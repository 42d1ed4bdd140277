// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"

#include "tileset.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>

void InitApplication()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));
    // The name of the installed menu entry: a Wayland compositor finds the
    // window's icon and name through it (the window's application id).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vorkade.vorkade2"));
    // The menus stay in the frame, with their accelerators and the hint routing,
    // even on desktops that gather menus in a panel. That also spares the frame
    // a D-Bus query for such a panel before its first show.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);

    static QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_fr"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
}

QFont TahomaFont(bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

void SetWindowColour(QWidget *window, const QColor &colour)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, colour);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void SetUpWindow(QWidget *window, const char *caption, const QImage &icon)
{
    window->setWindowTitle(QString::fromUtf8(caption));
    window->setWindowIcon(PixelArtIcon(icon));
    window->setFont(TahomaFont());
}
