// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fediteur.h"

#include "application.h"
#include "boxes.h"
#include "buttonbar.h"
#include "imageview.h"
#include "tileset.h"
#include "ulevels.h"

#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

TFRMEditeur *FRMEditeur = nullptr;

namespace
{

constexpr int Pitch = 16;
const QColor LatticeGrey(128, 128, 128);

const char *const UnderConstruction = "En construction... désolé !!";

} // namespace

TFRMEditeur::TFRMEditeur(QWidget *parent) : QWidget(parent)
{
    SetUpWindow(this, "Editeur de Niveaux", EditorIconImage());

    CreateButtonBar();
    CreateBoard();
    CreateStatusLine();
    resize(TFRMEditeur::sizeHint()); // this class's own, during construction

    FormCreate();
    RefreshTargets.Editeur = [this] { LoadLevel(); };
}

TFRMEditeur::~TFRMEditeur()
{
    RefreshTargets.Editeur = nullptr;
    if (FRMEditeur == this)
        FRMEditeur = nullptr;
}

void TFRMEditeur::CreateButtonBar()
{
    struct TPaletteButton {
        const char *Name;
        const char *Hint;
        TTilePicture Tile;
        char Tool;
    };

    static const TPaletteButton palette[] = {
        {"BTNWall", "Mur", TTilePicture::Wall, '#'},
        {"BTNTarget", "Emplacement", TTilePicture::Target, '.'},
        {"BTNBox1", "Caisse", TTilePicture::Box1, '$'},
        {"BTNBox2", "Caisse sur Emplacement", TTilePicture::Box2, '*'},
        {"BTNBramlek1", "Bramlek", TTilePicture::Bramlek1, '@'},
        {"BTNBramlek2", "Bramlek sur Emplacement", TTilePicture::Bramlek2, '+'},
        {"BTNEmpty", "Vide", TTilePicture::Empty, '-'},
    };

    auto *bar = new TButtonBar(this);
    bar->setObjectName(QStringLiteral("PNLBoutons"));
    for (const TPaletteButton &entry : palette) {
        QToolButton *button = bar->AddButton(entry.Name, PaletteGlyph(entry.Tile), entry.Hint);
        const char tool = entry.Tool;
        connect(button, &QToolButton::clicked, this, [this, tool] { myTool = tool; });
    }
    bar->AddSpacer(TButtonBar::BarHeight);
    QToolButton *apply = bar->AddButton("BTNValider", TickGlyph(), "Appliquer les Modifications");
    connect(apply, &QToolButton::clicked, this, &TFRMEditeur::BTNValiderClick);
    QToolButton *cancel = bar->AddButton("BTNAnnuler", CrossGlyph(), "Annuler les Modifications");
    connect(cancel, &QToolButton::clicked, this, &TFRMEditeur::BTNAnnulerClick);
    PNLBoutons = bar;
}

void TFRMEditeur::CreateBoard()
{
    myImageEditor = new TImageView(this);
    myImageEditor->setObjectName(QStringLiteral("myImageEditor"));
    myImageEditor->setCursor(Qt::CrossCursor);
    myImageEditor->setMouseTracking(true);
    connect(myImageEditor, &TImageView::MouseDown, this, &TFRMEditeur::myImageEditorMouseDown);
    connect(myImageEditor, &TImageView::MouseMove, this, &TFRMEditeur::myImageEditorMouseMove);
    connect(myImageEditor, &TImageView::MouseUp, this, &TFRMEditeur::myImageEditorMouseUp);
}

void TFRMEditeur::CreateStatusLine()
{
    LBLInfos = new QLabel(QStringLiteral("LBLInfos"), this);
    LBLInfos->setObjectName(QStringLiteral("LBLInfos"));
    LBLInfos->setFixedHeight(13);
    LBLInfos->setAlignment(Qt::AlignCenter);
    LBLInfos->setFont(TahomaFont());
    QPalette white = LBLInfos->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    LBLInfos->setPalette(white);
}

void TFRMEditeur::FormCreate()
{
    SetWindowColour(this, Qt::black);
    LBLInfos->clear();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PNLBoutons);
    layout->addWidget(myImageEditor, 1);
    layout->addWidget(LBLInfos);

    myTool = '#';
    LoadLevel();
}

QString TFRMEditeur::InfosText() const
{
    return LBLInfos->text();
}

void TFRMEditeur::LoadLevel()
{
    if (CopyCurrentLevel(myTablo, myWidth, myHeight))
        DrawBoard();
    myImageEditor->setVisible(HasCurrentLevel());
}

void TFRMEditeur::DrawBoard()
{
    // A level without cells has nothing to show, not even its frame.
    if (myWidth <= 0 || myHeight <= 0) {
        myImageEditor->SetPictureSize(0, 0);
        return;
    }
    myImageEditor->SetPictureSize(Pitch * myWidth + 1, Pitch * myHeight + 1);
    QImage &picture = myImageEditor->Picture();
    if (picture.isNull())
        return;
    // Every pixel off the tiles lies on a lattice line, so grey all over and then the
    // tiles is the lattice picture, with no line to draw.
    picture.fill(LatticeGrey);
    myImageEditor->DrawTiles(myTablo, myWidth, myHeight, QPoint(1, 1), Pitch);
}

void TFRMEditeur::DrawCell(std::int32_t x, std::int32_t y)
{
    myImageEditor->DrawTile(QPoint(Pitch * x + 1, Pitch * y + 1), myTablo[x][y]);
}

void TFRMEditeur::PutTool(std::int32_t x, std::int32_t y)
{
    myTablo[x][y] = myTool;
    DrawCell(x, y);
}

void TFRMEditeur::PickTool(std::int32_t x, std::int32_t y)
{
    myTool = myTablo[x][y];
}

void TFRMEditeur::TrackMouse(int x, int y, bool left, bool right)
{
    QString text = QStringLiteral("X1=%1, Y1=%2").arg(QString::number(x), QString::number(y));

    const QPoint offset = myImageEditor->PictureOffset();
    const int bx = x - offset.x();
    const int by = y - offset.y();

    // A level without cells has no picture, so no cell to pick or paint.
    const QSize picture = myImageEditor->Picture().size();
    const bool inside = bx >= 0 && bx < picture.width() && by >= 0 && by < picture.height();
    const int cx = std::min(std::max(bx / Pitch + 1, 1), myWidth);
    const int cy = std::min(std::max(by / Pitch + 1, 1), myHeight);

    if (inside)
        text += QStringLiteral(", X2=%1, Y2=%2").arg(QString::number(cx), QString::number(cy));
    if (right) {
        text += QStringLiteral(", Copier");
        if (inside)
            PickTool(cx - 1, cy - 1);
    }
    if (left) {
        text += QStringLiteral(", Coller");
        if (inside)
            PutTool(cx - 1, cy - 1);
    }
    LBLInfos->setText(text);
}

void TFRMEditeur::myImageEditorMouseDown(int x, int y, Qt::MouseButtons buttons)
{
    TrackMouse(x, y, buttons & Qt::LeftButton, buttons & Qt::RightButton);
}

void TFRMEditeur::myImageEditorMouseMove(int x, int y, Qt::MouseButtons buttons)
{
    TrackMouse(x, y, buttons & Qt::LeftButton, buttons & Qt::RightButton);
}

void TFRMEditeur::myImageEditorMouseUp(int x, int y, Qt::MouseButtons buttons)
{
    TrackMouse(x, y, buttons & Qt::LeftButton, buttons & Qt::RightButton);
}

void TFRMEditeur::BTNValiderClick()
{
    InformationBox(QString::fromUtf8(UnderConstruction));
}

void TFRMEditeur::BTNAnnulerClick()
{
    InformationBox(QString::fromUtf8(UnderConstruction));
}
