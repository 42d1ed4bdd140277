// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QHBoxLayout;
class QImage;
class QToolButton;

// A 25-pixel bar in the button-face colour along the top of a window, holding
// flat 25 x 25 buttons from the left edge, one after another.
class TButtonBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int BarHeight = 25;

    explicit TButtonBar(QWidget *parent = nullptr);

    // A flat button with a hand cursor that never takes the keyboard focus; the
    // glyph's bottom-left colour is transparent. The hint is UTF-8 text.
    QToolButton *AddButton(const char *name, const QImage &glyph, const char *hint);
    void AddSpacer(int width);

private:
    QHBoxLayout *myLayout;
};
