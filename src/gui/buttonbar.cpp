#include "buttonbar.h"

#include "hints.h"
#include "tileset.h"

#include <QHBoxLayout>
#include <QToolButton>

TButtonBar::TButtonBar(QWidget *parent) : QWidget(parent), myLayout(new QHBoxLayout(this))
{
    setFixedHeight(BarHeight);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    myLayout->setContentsMargins(0, 0, 0, 0);
    myLayout->setSpacing(0);
    myLayout->addStretch(1);
}

QToolButton *TButtonBar::AddButton(const QString &name, const QImage &glyph, const QString &hint)
{
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setFixedSize(BarHeight, BarHeight);
    button->setIcon(GlyphIcon(glyph));
    button->setIconSize(glyph.size());
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    SetHint(button, hint);
    myLayout->insertWidget(myLayout->count() - 1, button);
    return button;
}

void TButtonBar::AddSpacer(int width)
{
    myLayout->insertSpacing(myLayout->count() - 1, width);
}
