#include "platform/x11/X11WindowSystem.h"

#include "platform/x11/WindowActivation.h"
#include "platform/x11/WindowHints.h"

void X11WindowSystem::showOnAllDesktops(QWindow *window)
{
    WindowHints::showOnAllDesktops(window);
}

void X11WindowSystem::skipTaskbarAndPager(QWindow *window)
{
    WindowHints::skipTaskbarAndPager(window);
}

bool X11WindowSystem::lacksFrameExtents(QWindow *window)
{
    return WindowHints::lacksFrameExtents(window);
}

bool X11WindowSystem::placeOnSway(QWindow *window, const QPoint &topLeft)
{
    return WindowHints::placeOnSway(window, topLeft);
}

void X11WindowSystem::activate(QWindow *window, quint32 timestamp)
{
    WindowActivation::activate(window, timestamp);
}

quint32 X11WindowSystem::startupTimestamp(const QByteArray &startupId)
{
    return WindowActivation::timestampFromStartupId(startupId);
}

void X11WindowSystem::completeStartup(const QByteArray &startupId)
{
    WindowActivation::completeStartup(startupId);
}
