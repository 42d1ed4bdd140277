// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "application.h"
#include "global.h"

#include <QWidget>

#include <cstdint>

class QLabel;
class QToolButton;
class TImageView;

// The level editor: a gridded private copy of the current level, painted with
// the mouse. Nothing it does reaches the collection; every reload discards it.
class TFRMEditeur : public QWidget
{
    Q_OBJECT

public:
    explicit TFRMEditeur(QWidget *parent = nullptr);
    ~TFRMEditeur() override;

    QSize sizeHint() const override { return {ChildWidth, ChildHeight}; }

    void LoadLevel();
    void DrawBoard();
    // 0 <= x < myWidth, 0 <= y < myHeight for the four below.
    void DrawCell(std::int32_t x, std::int32_t y);
    void PutTool(std::int32_t x, std::int32_t y);
    void PickTool(std::int32_t x, std::int32_t y);
    // x, y: the pointer relative to myImageEditor's top-left corner, any value.
    void TrackMouse(int x, int y, bool left, bool right);

    char Tool() const { return myTool; }
    const TTablo &Tablo() const { return myTablo; }
    std::int32_t BoardWidth() const { return myWidth; }
    std::int32_t BoardHeight() const { return myHeight; }
    TImageView *ImageEditor() const { return myImageEditor; }
    QString InfosText() const;

private:
    void FormCreate();
    void CreateButtonBar();
    void CreateBoard();
    void CreateStatusLine();

    void myImageEditorMouseDown(int x, int y, Qt::MouseButtons buttons);
    void myImageEditorMouseMove(int x, int y, Qt::MouseButtons buttons);
    void myImageEditorMouseUp(int x, int y, Qt::MouseButtons buttons);
    void BTNValiderClick();
    void BTNAnnulerClick();

    QWidget *PNLBoutons = nullptr;
    TImageView *myImageEditor = nullptr;
    QLabel *LBLInfos = nullptr;

    char myTool = 0;
    TTablo myTablo;
    std::int32_t myWidth = 0;
    std::int32_t myHeight = 0;
};

// The single editor; null until it is first asked for.
extern TFRMEditeur *FRMEditeur;
