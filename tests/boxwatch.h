// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Answers the modal boxes a GUI test makes the game open, and records them.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>

struct TBoxSeen {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;
    QFont Font;
    bool Centred = false;
    bool Expected = false;
};

// While it lives, every modal message box that opens is recorded and answered:
// with the next key queued by Expect, or with Escape when none was queued (an
// unexpected box then shows in Seen with Expected false instead of hanging the test).
class TBoxWatch
{
public:
    TBoxWatch()
    {
        myTimer.setInterval(2);
        QObject::connect(&myTimer, &QTimer::timeout, [this] { Poll(); });
        myTimer.start();
    }

    // How the next box is answered: a key, or 0 to close it with its close button.
    void Expect(int key) { myAnswers << key; }

    QList<TBoxSeen> Seen;

private:
    void Poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        // A box answered by a button's letter closes only once the click is shown.
        if (!box || !box->isVisible() || box == myAnswered)
            return;
        myAnswered = box;
        TBoxSeen seen;
        seen.Title = box->windowTitle();
        seen.Text = box->text();
        seen.Icon = box->icon();
        // In the order the user sees them, left to right, not the order of their roles.
        QList<QAbstractButton *> buttons = box->buttons();
        std::sort(buttons.begin(), buttons.end(), [box](QAbstractButton *a, QAbstractButton *b) {
            return a->mapTo(box, QPoint(0, 0)).x() < b->mapTo(box, QPoint(0, 0)).x();
        });
        for (QAbstractButton *button : buttons)
            seen.Buttons << button->text();
        seen.Font = box->font();
        const QRect screen = box->screen()->availableGeometry();
        seen.Centred = (box->frameGeometry().center() - screen.center()).manhattanLength() <= 2;
        seen.Expected = !myAnswers.isEmpty();
        const int key = seen.Expected ? myAnswers.takeFirst() : int(Qt::Key_Escape);
        Seen << seen;
        if (key == 0)
            box->close();
        else
            QTest::keyClick(box, Qt::Key(key));
    }

    QTimer myTimer;
    QPointer<QMessageBox> myAnswered;
    QList<int> myAnswers;
};
