// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hints.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace
{
constexpr const char *HintProperty = "vorkadeHint";
}

QString ShortHint(const QString &hint)
{
    return hint.section(QLatin1Char('|'), 0, 0);
}

QString LongHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void SetHint(QWidget *control, const QString &hint)
{
    control->setProperty(HintProperty, hint);
    control->setToolTip(ShortHint(hint));
    // A screen reader names a glyph-only button by what its tooltip says.
    control->setAccessibleName(ShortHint(hint));
}

QString LongHintAt(const QWidget *control)
{
    for (const QWidget *w = control; w; w = w->parentWidget()) {
        const QString hint = w->property(HintProperty).toString();
        if (!hint.isEmpty())
            return LongHint(hint);
    }
    return {};
}

THintTracker::THintTracker(QObject *parent) : QObject(parent)
{
    myPending.setSingleShot(true);
    myPending.setInterval(0);
    connect(&myPending, &QTimer::timeout, this, &THintTracker::Update);
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &THintTracker::Update);
    qApp->installEventFilter(this);
}

bool THintTracker::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        myPointer = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        myInside = true;
        myPending.start();
        break;
    case QEvent::Enter:
        myPointer = static_cast<QEnterEvent *>(event)->globalPosition().toPoint();
        myInside = true;
        myPending.start();
        break;
    case QEvent::Leave:
        // Leaving a top-level window: outside the program until the next window is entered.
        if (qobject_cast<QWindow *>(watched)) {
            myInside = false;
            myPending.start();
        }
        break;
    default:
        break;
    }
    return false;
}

void THintTracker::Update()
{
    QString hint;
    if (myInside && !QApplication::activePopupWidget())
        hint = LongHintAt(QApplication::widgetAt(myPointer));
    if (hint == myHint)
        return;
    myHint = hint;
    emit HintChanged();
}
