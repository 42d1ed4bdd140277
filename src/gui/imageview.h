// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "global.h"

#include <QImage>
#include <QWidget>

// An image control: owns an off-screen picture and shows it centred at its own
// size, never scaled or scrolled. When the picture is larger than the control
// it is cropped equally on both sides; the offsets truncate toward zero.
class TImageView : public QWidget
{
    Q_OBJECT

public:
    explicit TImageView(QWidget *parent = nullptr);

    // Resizes the picture; its content is undefined until drawn.
    void SetPictureSize(int width, int height);
    QImage &Picture() { return myPicture; }
    const QImage &Picture() const { return myPicture; }

    // Where the picture's top-left pixel stands in the control; negative when cropped.
    QPoint PictureOffset() const;

    // Schedules the repaint of a rectangle given in picture pixels.
    void PictureChanged(const QRect &pictureRect);

    // Copies the tile of a cell character with its top-left corner at `at`,
    // opaque and unscaled, and schedules its repaint; nothing when it does not fit.
    void DrawTile(const QPoint &at, char cell);
    // Copies the tile of every cell of a grid, cell (x, y) with its top-left corner at
    // origin + pitch * (x, y), and schedules one repaint of the whole control; a tile
    // that does not fit is left out.
    void DrawTiles(const TTablo &tablo, int width, int height, const QPoint &origin, int pitch);

signals:
    // x and y relative to the control's top-left corner; the buttons held at that moment.
    void MouseDown(int x, int y, Qt::MouseButtons buttons);
    void MouseMove(int x, int y, Qt::MouseButtons buttons);
    void MouseUp(int x, int y, Qt::MouseButtons buttons);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // The pixels of a tile that fits, without scheduling a repaint.
    void CopyTile(const QPoint &at, char cell);

    QImage myPicture;
};
