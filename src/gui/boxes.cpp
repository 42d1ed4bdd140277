// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "boxes.h"

#include "application.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>

namespace
{

// Qt lays a box's buttons out by the desktop's convention: GNOME puts "Non"
// left of "Oui". The game's boxes show "Oui" first on every desktop, as Windows
// lays them out.
class TYesFirstStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_DialogButtonLayout)
            return QDialogButtonBox::WinLayout;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// A box centred on the screen as a whole window, at the size it takes for its text.
class TCentredBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event); // sizes the box to its text and buttons
        CentreOnScreen(this);
    }
};

} // namespace

bool ConfirmationBox(const QString &question)
{
    TYesFirstStyle yesFirst; // made before the box, so that it outlives it
    TCentredBox box(QMessageBox::Question, QStringLiteral("Confirmation"), question);
    QPushButton *yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    // The button box reads its layout again when its style changes.
    if (auto *buttons = box.findChild<QDialogButtonBox *>())
        buttons->setStyle(&yesFirst);
    box.exec();
    return box.clickedButton() == yes;
}

void InformationBox(const QString &text)
{
    TCentredBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text);
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}
