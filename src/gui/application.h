// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

class QColor;
class QImage;
class QSize;
class QWidget;

// The application title: the caption of the frame and of every information box.
inline constexpr const char *ApplicationTitle = "Vorkade II";

// Names the running application, keeps menu bars inside their windows, gives
// every window, menu and box the windows' font and puts Qt's own texts (window
// menus, standard buttons) in French. Call once, after the QApplication exists
// and before the first window.
void InitApplication();

// The windows' font: Tahoma at 8 points (11 pixels); the system substitutes it where missing.
QFont TahomaFont(bool bold = false);

// The client size of the play window and the editor as they first open.
inline constexpr int ChildWidth = 472;
inline constexpr int ChildHeight = 333;

// What every window of the game sets first: its caption (UTF-8) and its pixel-art
// icon, kept crisp at every scale.
void SetUpWindow(QWidget *window, const char *caption, const QImage &icon);

// Centres a top-level window on its screen as a whole, title bar and borders
// included, from now on and again once a window manager has framed it: the
// frame's size is known only after the window is mapped. On Wayland a client
// cannot place its window; there the compositor chooses, and nothing is asked.
void CentreOnScreen(QWidget *window);

// Fills a window's background, behind its controls, with one colour.
void SetWindowColour(QWidget *window, const QColor &colour);
