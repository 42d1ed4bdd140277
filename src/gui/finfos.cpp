// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "finfos.h"

#include "application.h"
#include "tileset.h"

#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

TFRMInfos *FRMInfos = nullptr;

namespace
{

const char *const InfoLines[] = {
    "",
    "",
    "Vorkade 2",
    "",
    "Auteur : Équipe Vorkade",
    ("Version : " VORKADE_VERSION), // one line, the version joined to its label
    "Date : 2009-02-20",
    "",
    "https://www.example.org/vorkade",
    "",
    "Mail : equipe@example.org",
    "ICQ : 000-000-000",
    "MSN : equipe.vorkade@example.org",
};

} // namespace

TFRMInfos::TFRMInfos(QWidget *parent) : QWidget(parent), MMOInfos(new QTextEdit(this))
{
    SetUpWindow(this, "Informations", InfosIconImage());

    CreateMemo();
    FillMemo();
    CreateLayout();
    resize(TFRMInfos::sizeHint()); // this class's own, during construction
}

void TFRMInfos::CreateMemo()
{
    MMOInfos->setObjectName(QStringLiteral("MMOInfos"));
    MMOInfos->setReadOnly(true);
    // Selectable with the mouse and copied with Ctrl+C or the context menu; not
    // selectable from the keyboard, which would draw a blinking caret in a text
    // that cannot be edited.
    MMOInfos->setTextInteractionFlags(Qt::TextSelectableByMouse);
    MMOInfos->setFocusPolicy(Qt::ClickFocus); // selectable, but Tab passes it by
    MMOInfos->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MMOInfos->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MMOInfos->setLineWrapMode(QTextEdit::WidgetWidth);
    MMOInfos->setAcceptRichText(false);
}

void TFRMInfos::FillMemo()
{
    QStringList lines;
    for (const char *line : InfoLines)
        lines << QString::fromUtf8(line);
    MMOInfos->setPlainText(lines.join(QLatin1Char('\n')));
    QTextCursor everything(MMOInfos->document());
    everything.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    everything.mergeBlockFormat(centred);
}

void TFRMInfos::CreateLayout()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MMOInfos);
}

TFRMInfos::~TFRMInfos()
{
    if (FRMInfos == this)
        FRMInfos = nullptr;
}
