// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "application.h"
#include "global.h"

#include <QWidget>

#include <cstdint>

class QToolButton;
class TImageView;

// The play window: a working copy of the current level drawn in 15 x 15 tiles,
// played with the arrow keys. It never writes into the collection; the
// collection tells it to reload through LoadLevel.
class TFRMPlay2D : public QWidget
{
    Q_OBJECT

public:
    explicit TFRMPlay2D(QWidget *parent = nullptr);
    ~TFRMPlay2D() override;

    QSize sizeHint() const override { return {ChildWidth, ChildHeight}; }

    // Copies the current level into the working grid and draws it.
    void LoadLevel();
    void DrawBoard();
    // 0 <= x < myWidth, 0 <= y < myHeight. Drawing a keeper moves the player position to it.
    void DrawCell(std::int32_t x, std::int32_t y);

    // Outside the grid a cell reads as OutsideCell and writes are dropped.
    char GetCell(std::int32_t x, std::int32_t y) const;
    void SetCell(std::int32_t x, std::int32_t y, char c);

    // One press: (x0, y0) the keeper, (x1, y1) the next cell, (x2, y2) the cell beyond.
    void MovePlayer(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                    std::int32_t x2, std::int32_t y2);
    void MoveLeft();
    void MoveRight();
    void MoveUp();
    void MoveDown();
    bool IsSolved() const;

    const TTablo &Tablo() const { return myTablo; }
    std::int32_t BoardWidth() const { return myWidth; }
    std::int32_t BoardHeight() const { return myHeight; }
    std::int32_t PlayerX() const { return myX; }
    std::int32_t PlayerY() const { return myY; }
    TImageView *ImageBramlek() const { return myImageBramlek; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormCreate();
    void CreateButtonBar();
    void CreateBoard();
    // Runs the key's action; true when the key has one.
    bool FormKeyDown(int key);

    void BTNPremierNiveauClick();
    void BTNNiveauPrecedentClick();
    void BTNNiveauAleatoireClick();
    void BTNNiveauSuivantClick();
    void BTNDernierNiveauClick();

    TImageView *myImageBramlek = nullptr;
    QWidget *PNLBoutons = nullptr;
    QToolButton *BTNDernierNiveau = nullptr;
    QToolButton *BTNNiveauSuivant = nullptr;
    QToolButton *BTNNiveauAleatoire = nullptr;
    QToolButton *BTNNiveauPrecedent = nullptr;
    QToolButton *BTNPremierNiveau = nullptr;

    TTablo myTablo;
    std::int32_t myWidth = 0;
    std::int32_t myHeight = 0;
    std::int32_t myX = 0;
    std::int32_t myY = 0;
};

// The single play window; null until it is created.
extern TFRMPlay2D *FRMPlay2D;
