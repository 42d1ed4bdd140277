// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fplay2d.h"

#include "application.h"
#include "boxes.h"
#include "buttonbar.h"
#include "imageview.h"
#include "tileset.h"
#include "ulevels.h"
#include "urules.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>

TFRMPlay2D *FRMPlay2D = nullptr;

namespace
{

struct TKeyAction {
    int Key;
    void (*Action)(TFRMPlay2D &window);
};

// Each key stands by itself; modifiers are not looked at.
constexpr TKeyAction KeyActions[] = {
    {Qt::Key_Left, [](TFRMPlay2D &window) { window.MoveLeft(); }},
    {Qt::Key_Up, [](TFRMPlay2D &window) { window.MoveUp(); }},
    {Qt::Key_Right, [](TFRMPlay2D &window) { window.MoveRight(); }},
    {Qt::Key_Down, [](TFRMPlay2D &window) { window.MoveDown(); }},
    {Qt::Key_Home, [](TFRMPlay2D &) { FirstLevel(); }},
    {Qt::Key_PageUp, [](TFRMPlay2D &) { PreviousLevel(); }},
    {Qt::Key_PageDown, [](TFRMPlay2D &) { NextLevel(); }},
    {Qt::Key_End, [](TFRMPlay2D &) { LastLevel(); }},
};

} // namespace

TFRMPlay2D::TFRMPlay2D(QWidget *parent) : QWidget(parent)
{
    SetUpWindow(this, "Jouer à Bramlek", PlayIconImage());
    setFocusPolicy(Qt::StrongFocus);

    CreateButtonBar();
    CreateBoard();
    resize(TFRMPlay2D::sizeHint()); // this class's own, during construction

    FormCreate();
    RefreshTargets.Play2D = [this] { LoadLevel(); };
}

TFRMPlay2D::~TFRMPlay2D()
{
    RefreshTargets.Play2D = nullptr;
    if (FRMPlay2D == this)
        FRMPlay2D = nullptr;
}

void TFRMPlay2D::CreateButtonBar()
{
    struct TButton {
        QToolButton *TFRMPlay2D::*Button;
        const char *Name;
        TPlayGlyph Glyph;
        const char *Hint;
        void (TFRMPlay2D::*Click)();
    };

    static const TButton buttons[] = {
        {&TFRMPlay2D::BTNPremierNiveau, "BTNPremierNiveau", TPlayGlyph::First,
         "Premier Niveau|Premier Niveau (HOME)", &TFRMPlay2D::BTNPremierNiveauClick},
        {&TFRMPlay2D::BTNNiveauPrecedent, "BTNNiveauPrecedent", TPlayGlyph::Previous,
         "Niveau Précédent|Niveau Précédent (PAGE UP)", &TFRMPlay2D::BTNNiveauPrecedentClick},
        {&TFRMPlay2D::BTNNiveauAleatoire, "BTNNiveauAleatoire", TPlayGlyph::Random,
         "Niveau Aléatoire", &TFRMPlay2D::BTNNiveauAleatoireClick},
        {&TFRMPlay2D::BTNNiveauSuivant, "BTNNiveauSuivant", TPlayGlyph::Next,
         "Niveau Suivant|Niveau Suivant (PAGE DOWN)", &TFRMPlay2D::BTNNiveauSuivantClick},
        {&TFRMPlay2D::BTNDernierNiveau, "BTNDernierNiveau", TPlayGlyph::Last,
         "Dernier Niveau|Dernier Niveau (END)", &TFRMPlay2D::BTNDernierNiveauClick},
    };

    auto *bar = new TButtonBar(this);
    bar->setObjectName(QStringLiteral("PNLBoutons"));
    for (const TButton &entry : buttons) {
        QToolButton *button = bar->AddButton(entry.Name, PlayGlyph(entry.Glyph), entry.Hint);
        connect(button, &QToolButton::clicked, this, entry.Click);
        this->*entry.Button = button;
    }
    PNLBoutons = bar;
}

void TFRMPlay2D::CreateBoard()
{
    myImageBramlek = new TImageView(this);
    myImageBramlek->setObjectName(QStringLiteral("myImageBramlek"));
    myImageBramlek->setFocusPolicy(Qt::NoFocus);
}

void TFRMPlay2D::FormCreate()
{
    SetWindowColour(this, Qt::black);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PNLBoutons);
    layout->addWidget(myImageBramlek, 1);

    LoadLevel();
}

void TFRMPlay2D::LoadLevel()
{
    if (CopyCurrentLevel(myTablo, myWidth, myHeight))
        DrawBoard();
    myImageBramlek->setVisible(HasCurrentLevel());
}

void TFRMPlay2D::DrawBoard()
{
    myImageBramlek->SetPictureSize(myWidth * TileSize, myHeight * TileSize);
    myImageBramlek->DrawTiles(myTablo, myWidth, myHeight, QPoint(0, 0), TileSize);
    FindKeeper(myTablo, myWidth, myHeight, myX, myY);
}

void TFRMPlay2D::DrawCell(std::int32_t x, std::int32_t y)
{
    const char cell = myTablo[x][y];
    myImageBramlek->DrawTile(QPoint(x * TileSize, y * TileSize), cell);
    if (IsKeeperCell(cell)) {
        myX = x;
        myY = y;
    }
}

char TFRMPlay2D::GetCell(std::int32_t x, std::int32_t y) const
{
    return ReadCell(myTablo, myWidth, myHeight, x, y);
}

void TFRMPlay2D::SetCell(std::int32_t x, std::int32_t y, char c)
{
    if (x < 0 || x >= myWidth || y < 0 || y >= myHeight)
        return;
    myTablo[x][y] = c;
    DrawCell(x, y);
}

void TFRMPlay2D::MovePlayer(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                            std::int32_t x2, std::int32_t y2)
{
    // With no current level the grid is hidden: a press must not play it.
    if (!HasCurrentLevel())
        return;

    const char c0 = GetCell(x0, y0);
    const char c1 = GetCell(x1, y1);
    const char c2 = GetCell(x2, y2);
    const std::array<char, 3> r = RewriteCells(c0, c1, c2);
    SetCell(x0, y0, r[0]);
    SetCell(x1, y1, r[1]);
    SetCell(x2, y2, r[2]);

    if (IsSolved()) {
        InformationBox(QString::fromUtf8("Félicitations ! Entrepôt rangé !"));
        NextLevel();
    }
}

void TFRMPlay2D::MoveLeft()
{
    MovePlayer(myX, myY, myX - 1, myY, myX - 2, myY);
}

void TFRMPlay2D::MoveRight()
{
    MovePlayer(myX, myY, myX + 1, myY, myX + 2, myY);
}

void TFRMPlay2D::MoveUp()
{
    MovePlayer(myX, myY, myX, myY - 1, myX, myY - 2);
}

void TFRMPlay2D::MoveDown()
{
    MovePlayer(myX, myY, myX, myY + 1, myX, myY + 2);
}

bool TFRMPlay2D::IsSolved() const
{
    return IsSolvedTablo(myTablo);
}

void TFRMPlay2D::keyPressEvent(QKeyEvent *event)
{
    // Handled keys stop here: the frame around must not scroll on them.
    event->setAccepted(FormKeyDown(event->key()));
}

bool TFRMPlay2D::FormKeyDown(int key)
{
    bool handled = false;
    for (const TKeyAction &entry : KeyActions) {
        if (entry.Key == key) {
            entry.Action(*this);
            handled = true;
        }
    }
    return handled;
}

void TFRMPlay2D::BTNPremierNiveauClick()
{
    FirstLevel();
}

void TFRMPlay2D::BTNNiveauPrecedentClick()
{
    PreviousLevel();
}

void TFRMPlay2D::BTNNiveauAleatoireClick()
{
    RandomLevel();
}

void TFRMPlay2D::BTNNiveauSuivantClick()
{
    NextLevel();
}

void TFRMPlay2D::BTNDernierNiveauClick()
{
    LastLevel();
}
