#pragma once

#include <QByteArray>
#include <QPoint>
#include <QtGlobal>

class QWindow;

// What Trovia asks of the desktop about its own windows beyond Qt's API: hints that keep the
// launcher on every virtual desktop and out of taskbars, its place where the compositor decides,
// and activation with the time of the user's request, which a window manager that prevents focus
// stealing needs to give the window the focus.
class WindowSystem
{
public:
    virtual ~WindowSystem() = default;

    // Shows window on every virtual desktop. Call it before each showing: a window manager forgets
    // the hint when the window is hidden.
    virtual void showOnAllDesktops(QWindow *window) = 0;
    // Keeps window out of taskbars and pagers. Call it before the window is mapped.
    virtual void skipTaskbarAndPager(QWindow *window) = 0;
    // Whether the window manager gave window none of the frame extents that stacking managers
    // give even frameless windows (and so may have placed it off by a title bar).
    virtual bool lacksFrameExtents(QWindow *window) = 0;
    // Under sway, asks the compositor to put window's top-left corner at topLeft, as sway places
    // floating windows itself. True when it did; false elsewhere or before sway knows the window.
    virtual bool placeOnSway(QWindow *window, const QPoint &topLeft) = 0;

    // Activates window (already shown) for a request made at the X server time timestamp; 0 asks
    // for the time now.
    virtual void activate(QWindow *window, quint32 timestamp) = 0;
    // The time of the request a startup notification ID carries, else 0.
    virtual quint32 startupTimestamp(const QByteArray &startupId) = 0;
    // Tells the desktop that the startup notification startupId is complete.
    virtual void completeStartup(const QByteArray &startupId) = 0;
};
