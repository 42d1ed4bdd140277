// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"

#include "tileset.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>
#include <QWidget>
#include <QWindow>

namespace
{

// The margins of the frame a window manager has put round the window; empty
// while it has none. Qt works them out from the frame's size, which for a
// moment, before the window manager has sized its frame, gives negative ones:
// those count as none.
QMargins FrameMargins(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    const QMargins margins = handle ? handle->frameMargins() : QMargins();
    const bool sized =
        margins.left() >= 0 && margins.top() >= 0 && margins.right() >= 0 && margins.bottom() >= 0;
    return sized ? margins : QMargins();
}

// Before a window is framed its margins are unknown; the program's other framed
// windows most likely get the same title bar and borders.
QMargins LikelyFrameMargins(const QWidget *window)
{
    const QMargins own = FrameMargins(window);
    if (!own.isNull())
        return own;
    for (const QWidget *other : QApplication::topLevelWidgets()) {
        const QMargins margins =
            other != window && other->isVisible() ? FrameMargins(other) : QMargins();
        if (!margins.isNull())
            return margins;
    }
    return {};
}

// A top-level window's position is that of its frame's top-left corner; outer
// is the size of the window with its frame.
void PlaceCentred(QWidget *window, const QSize &outer)
{
    const QRect screen = window->screen()->availableGeometry();
    const QPoint corner(screen.x() + (screen.width() - outer.width()) / 2,
                        screen.y() + (screen.height() - outer.height()) / 2);
    // Once the window exists, its native side knows the frame it stands in.
    if (QWindow *handle = window->windowHandle())
        handle->setFramePosition(corner);
    else
        window->move(corner);
}

// Places the window again whenever its size with the window manager's frame
// round it turns out otherwise than assumed, until the window is shown framed.
// It watches the window's native side, which learns of the frame as it is
// shown, and of its size before the widget does: the server may first report
// a size the window had before it was laid out. Without a window manager the
// margins stay empty and nothing moves, whatever the window does later.
class TFramedCentring : public QObject
{
public:
    TFramedCentring(QWidget *window, const QSize &assumed)
        : QObject(window), myWindow(window), myAssumed(assumed)
    {
        if (QWindow *handle = window->windowHandle())
            handle->installEventFilter(this);
        else
            window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == myWindow) {
            if (event->type() == QEvent::PlatformSurface && myWindow->windowHandle()) {
                myWindow->removeEventFilter(this);
                myWindow->windowHandle()->installEventFilter(this);
            }
            return false;
        }
        if (event->type() != QEvent::Expose && event->type() != QEvent::Move &&
            event->type() != QEvent::Resize)
            return false;
        const QMargins margins = FrameMargins(myWindow);
        if (margins.isNull())
            return false;
        const QSize outer = myWindow->windowHandle()->geometry().size().grownBy(margins);
        if (outer != myAssumed) {
            PlaceCentred(myWindow, outer);
            myAssumed = outer;
        }
        if (event->type() == QEvent::Expose) {
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QWidget *myWindow;
    QSize myAssumed;
};

} // namespace

void InitApplication()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));
    // The name of the installed menu entry: a Wayland compositor finds the
    // window's icon and name through it (the window's application id).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vorkade.vorkade2"));
    // The menus stay in the frame, with their accelerators and the hint routing,
    // even on desktops that gather menus in a panel. That also spares the frame
    // a D-Bus query for such a panel before its first show.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // The application's font, not each window's: menus and boxes are windows of
    // their own and would otherwise take the desktop's.
    QApplication::setFont(TahomaFont());

    static QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_fr"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
}

QFont TahomaFont(bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

void SetWindowColour(QWidget *window, const QColor &colour)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, colour);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

void SetUpWindow(QWidget *window, const char *caption, const QImage &icon)
{
    window->setWindowTitle(QString::fromUtf8(caption));
    window->setWindowIcon(PixelArtIcon(icon));
}

void CentreOnScreen(QWidget *window)
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    const QSize assumed = window->size().grownBy(LikelyFrameMargins(window));
    PlaceCentred(window, assumed);
    new TFramedCentring(window, assumed);
}
