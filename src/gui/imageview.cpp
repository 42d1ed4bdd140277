// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "imageview.h"

#include "tileset.h"

#include <QMouseEvent>
#include <QPainter>

#include <cstring>

TImageView::TImageView(QWidget *parent) : QWidget(parent)
{
    // The picture covers itself; around it the parent's colour shows through.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    // Hidden while there is no level, the control still holds its place in the window.
    QSizePolicy keepPlace = sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    setSizePolicy(keepPlace);
}

void TImageView::SetPictureSize(int width, int height)
{
    if (width <= 0 || height <= 0) {
        myPicture = QImage();
    } else if (myPicture.width() != width || myPicture.height() != height) {
        myPicture = QImage(width, height, QImage::Format_RGB32);
    }
    update();
}

QPoint TImageView::PictureOffset() const
{
    // Integer division truncates toward zero, as the mouse mapping expects.
    return QPoint((width() - myPicture.width()) / 2, (height() - myPicture.height()) / 2);
}

void TImageView::PictureChanged(const QRect &pictureRect)
{
    update(pictureRect.translated(PictureOffset()));
}

void TImageView::DrawTile(const QPoint &at, char cell)
{
    const QRect place(at, QSize(TileSize, TileSize));
    if (!myPicture.rect().contains(place))
        return;
    CopyTile(at, cell);
    PictureChanged(place);
}

void TImageView::DrawTiles(const TTablo &tablo, int width, int height, const QPoint &origin,
                           int pitch)
{
    const QRect bounds = myPicture.rect();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QPoint at = origin + QPoint(pitch * x, pitch * y);
            if (bounds.contains(QRect(at, QSize(TileSize, TileSize))))
                CopyTile(at, tablo[x][y]);
        }
    }
    // One region for the whole board: a rectangle per tile would make the pending
    // repaint a region of hundreds of rectangles, merged one by one.
    update();
}

void TImageView::CopyTile(const QPoint &at, char cell)
{
    const QImage &tile = TileImage(TileOf(cell));
    // Both are 32 bits a pixel; the picture is detached once, not at every row.
    const qsizetype toStride = myPicture.bytesPerLine();
    const qsizetype fromStride = tile.bytesPerLine();
    uchar *to = myPicture.bits() + at.y() * toStride + at.x() * qsizetype(sizeof(QRgb));
    const uchar *from = tile.constBits();
    for (int row = 0; row < TileSize; ++row, to += toStride, from += fromStride)
        std::memcpy(to, from, TileSize * sizeof(QRgb));
}

void TImageView::paintEvent(QPaintEvent *event)
{
    if (myPicture.isNull())
        return;
    const QPoint offset = PictureOffset();
    const QRect target = event->rect() & QRect(offset, myPicture.size());
    if (target.isEmpty())
        return;
    QPainter painter(this);
    // At 150 % a picture pixel covers one or two device pixels: each takes the
    // colour of the one picture pixel it falls in, never a blend.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target.topLeft(), myPicture, target.translated(-offset));
}

void TImageView::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit MouseDown(at.x(), at.y(), event->buttons());
}

void TImageView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit MouseMove(at.x(), at.y(), event->buttons());
}

void TImageView::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit MouseUp(at.x(), at.y(), event->buttons());
}
