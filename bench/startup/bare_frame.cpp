// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// The yardstick of the start-up benchmark: the least a Qt multiple-document
// frame costs, a main window with a document area and one empty child, the
// size of the game's frame. Nothing else is loaded, so the game's extra start-up
// time and memory are measured against Qt's own.
//
// With "--text" it also shows what the game's frame shows as text before any
// of the game's own work: a menu bar of six menus holding seventeen items, a status
// bar with a bold label, and a caption on the child. The three programs side by
// side tell what showing text costs from what the game adds.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

#include <cstring>

namespace
{

void AddText(QMainWindow &frame, QWidget &child)
{
    const struct {
        const char *Title;
        int Items;
    } menus[] = {{"Fichier", 2}, {"Niveau", 6},  {"Afficher", 2},
                 {"Outils", 2},  {"Fenêtre", 4}, {"Aide", 1}};
    for (const auto &menu : menus) {
        QMenu *dropDown = frame.menuBar()->addMenu(QString::fromUtf8(menu.Title));
        for (int i = 0; i < menu.Items; ++i)
            dropDown->addAction(QStringLiteral("Article %1").arg(i + 1));
    }
    auto *status = new QLabel();
    QFont bold = status->font();
    bold.setBold(true);
    status->setFont(bold);
    frame.statusBar()->addWidget(status, 1);
    child.setWindowTitle(QStringLiteral("Document"));
}

} // namespace

int main(int argc, char *argv[])
{
    const bool text = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    QApplication application(argc, argv);

    QMainWindow frame;
    frame.setWindowTitle(text ? QStringLiteral("Bare Qt frame with text")
                              : QStringLiteral("Bare Qt frame"));
    auto *area = new QMdiArea(&frame);
    frame.setCentralWidget(area);
    auto *child = new QWidget();
    if (text)
        AddText(frame, *child);
    area->addSubWindow(child)->show();
    frame.resize(632, 456);
    frame.show();
    return QApplication::exec();
}
