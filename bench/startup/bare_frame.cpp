// The yardstick of the start-up benchmark: the least a Qt multiple-document
// frame costs, a main window with a document area and one empty child, the
// size of the game's frame. Nothing else is loaded, so the game's extra start-up
// time and memory are measured against Qt's own.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);

    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("Bare Qt frame"));
    auto *area = new QMdiArea(&frame);
    frame.setCentralWidget(area);
    area->addSubWindow(new QWidget())->show();
    frame.resize(632, 456);
    frame.show();
    return QApplication::exec();
}
