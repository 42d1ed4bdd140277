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
#include <array>
#include <charconv>
#include <cstddef>
#include <string_view>
#include <system_error>

TFRMEditeur *FRMEditeur = nullptr;

namespace
{

constexpr int Pitch = 16;
const QColor LatticeGrey(128, 128, 128);

const char *const UnderConstruction = "En construction... désolé !!";

// The status line is rewritten at every mouse move: written into a buffer and made
// text once, where QString::arg allocated a string for every number and every join.
class TStatusLine
{
public:
    void Append(std::string_view part)
    {
        const std::size_t length = std::min(part.size(), myText.size() - myLength);
        std::copy_n(part.begin(), length, myText.begin() + myLength);
        myLength += length;
    }
    void Append(int number)
    {
        char *const end = myText.data() + myText.size();
        const std::to_chars_result written = std::to_chars(myText.data() + myLength, end, number);
        if (written.ec == std::errc())
            myLength = static_cast<std::size_t>(written.ptr - myText.data());
    }
    QString ToString() const
    {
        return QString::fromLatin1(myText.data(), static_cast<qsizetype>(myLength));
    }

private:
    // Four numbers of at most 11 characters and the words around them.
    std::array<char, 96> myText{};
    std::size_t myLength = 0;
};

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
        TTile Tile;
        char Tool;
    };

    static const TPaletteButton palette[] = {
        {"BTNWall", "Mur", TTile::Wall, '#'},
        {"BTNTarget", "Emplacement", TTile::Target, '.'},
        {"BTNBox1", "Caisse", TTile::Box1, '$'},
        {"BTNBox2", "Caisse sur Emplacement", TTile::Box2, '*'},
        {"BTNBramlek1", "Bramlek", TTile::Bramlek1, '@'},
        {"BTNBramlek2", "Bramlek sur Emplacement", TTile::Bramlek2, '+'},
        {"BTNEmpty", "Vide", TTile::Empty, '-'},
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
    const auto handler = [this](void (TFRMEditeur::*event)(int, int, Qt::MouseButtons)) {
        return [this, event](int x, int y, Qt::MouseButtons buttons) {
            (this->*event)(x, y, buttons);
        };
    };
    myImageEditor->OnMouseDown = handler(&TFRMEditeur::myImageEditorMouseDown);
    myImageEditor->OnMouseMove = handler(&TFRMEditeur::myImageEditorMouseMove);
    myImageEditor->OnMouseUp = handler(&TFRMEditeur::myImageEditorMouseUp);
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
    // Every pixel off the tiles lies on a lattice line: grey all over, then the tiles,
    // draws the same picture as lines on black in a fraction of the time.
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
    TStatusLine text;
    text.Append("X1=");
    text.Append(x);
    text.Append(", Y1=");
    text.Append(y);

    const int pictureWidth = Pitch * myWidth + 1;
    const int pictureHeight = Pitch * myHeight + 1;
    const QPoint offset = myImageEditor->PictureOffset();
    const int bx = x - offset.x();
    const int by = y - offset.y();

    // A level without cells has no cell to pick or paint.
    const bool inside = myWidth > 0 && myHeight > 0 && bx >= 0 && bx < pictureWidth && by >= 0 &&
                        by < pictureHeight;
    const int cx = std::min(std::max(bx / Pitch + 1, 1), myWidth);
    const int cy = std::min(std::max(by / Pitch + 1, 1), myHeight);

    if (inside) {
        text.Append(", X2=");
        text.Append(cx);
        text.Append(", Y2=");
        text.Append(cy);
    }
    if (right) {
        text.Append(", Copier");
        if (inside)
            PickTool(cx - 1, cy - 1);
    }
    if (left) {
        text.Append(", Coller");
        if (inside)
            PutTool(cx - 1, cy - 1);
    }
    LBLInfos->setText(text.ToString());
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
