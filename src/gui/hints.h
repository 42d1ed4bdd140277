// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>

class QWidget;

// A hint is "short|long": the short part is the tooltip, the long part goes to
// the status bar. A hint without "|" serves as both.
QString ShortHint(const QString &hint);
QString LongHint(const QString &hint);

void SetHint(QWidget *control, const QString &hint);

// The long hint of the control or of the nearest enclosing control that has a
// hint; empty when none has.
QString LongHintAt(const QWidget *control);

// The application's hint: the long hint of the control under the pointer (or
// of its nearest enclosing control that has one), empty over no control of
// the program or while a menu is open. It is worked out again whenever the
// application is about to wait for events and right after pointer events;
// HintChanged is emitted only when it changes.
class THintTracker : public QObject
{
    Q_OBJECT

public:
    explicit THintTracker(QObject *parent = nullptr);

    QString Hint() const { return myHint; }

signals:
    void HintChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Update();

    QString myHint;
    QPoint myPointer;
    bool myInside = false;
    QTimer myPending;
};
