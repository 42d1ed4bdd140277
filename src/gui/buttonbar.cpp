// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "buttonbar.h"

#include "hints.h"
#include "tileset.h"

#include <QHBoxLayout>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QToolButton>

namespace
{

// The style draws the flat panel; the glyph is painted by its own icon, which
// keeps it nearest-neighbour at every device pixel ratio. Left to the style,
// the icon would go through a pixmap that Qt smooths at 125 % or 150 %.
class TGlyphButton : public QToolButton
{
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter painter(this);
        QStyleOptionToolButton option;
        initStyleOption(&option);
        option.icon = QIcon();
        painter.drawComplexControl(QStyle::CC_ToolButton, option);

        QRect glyph = QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, iconSize(), rect());
        if (isDown()) {
            glyph.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                            style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
        }
        icon().paint(&painter, glyph);
    }
};

} // namespace

TButtonBar::TButtonBar(QWidget *parent) : QWidget(parent), myLayout(new QHBoxLayout(this))
{
    setFixedHeight(BarHeight);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    myLayout->setContentsMargins(0, 0, 0, 0);
    myLayout->setSpacing(0);
    myLayout->addStretch(1);
}

QToolButton *TButtonBar::AddButton(const char *name, const QImage &glyph, const char *hint)
{
    auto *button = new TGlyphButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setFixedSize(BarHeight, BarHeight);
    button->setIcon(GlyphIcon(glyph));
    button->setIconSize(glyph.size());
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    SetHint(button, QString::fromUtf8(hint));
    myLayout->insertWidget(myLayout->count() - 1, button);
    return button;
}

void TButtonBar::AddSpacer(int width)
{
    myLayout->insertSpacing(myLayout->count() - 1, width);
}
