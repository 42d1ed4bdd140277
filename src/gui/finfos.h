// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QTextEdit;

// The information window: a fixed text about the program.
class TFRMInfos : public QWidget
{
    Q_OBJECT

public:
    explicit TFRMInfos(QWidget *parent = nullptr);
    ~TFRMInfos() override;

    QSize sizeHint() const override { return {312, 213}; }

private:
    void CreateMemo();
    void FillMemo();
    void CreateLayout();

    QTextEdit *MMOInfos;
};

// The single information window; null until it is first asked for.
extern TFRMInfos *FRMInfos;
