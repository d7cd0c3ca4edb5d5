#pragma once

#include "platform/WindowSystem.h"
#include "platform/x11/WindowActivation.h"
#include "platform/x11/WindowHints.h"

// The window system over X11 and EWMH (through XWayland on Wayland desktops, with sway's IPC).
class X11WindowSystem : public WindowSystem
{
public:
    void showOnAllDesktops(QWindow *window) override { WindowHints::showOnAllDesktops(window); }
    void skipTaskbarAndPager(QWindow *window) override { WindowHints::skipTaskbarAndPager(window); }
    bool lacksFrameExtents(QWindow *window) override
    {
        return WindowHints::lacksFrameExtents(window);
    }
    bool placeOnSway(QWindow *window, const QPoint &topLeft) override
    {
        return WindowHints::placeOnSway(window, topLeft);
    }
    void activate(QWindow *window, quint32 timestamp) override
    {
        WindowActivation::activate(window, timestamp);
    }
    quint32 startupTimestamp(const QByteArray &startupId) override
    {
        return WindowActivation::timestampFromStartupId(startupId);
    }
    void completeStartup(const QByteArray &startupId) override
    {
        WindowActivation::completeStartup(startupId);
    }
};
