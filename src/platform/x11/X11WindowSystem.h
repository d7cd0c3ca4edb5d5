#pragma once

#include "platform/WindowSystem.h"

// The window system over X11 and EWMH (through XWayland on Wayland desktops, with sway's IPC).
class X11WindowSystem : public WindowSystem
{
public:
    void showOnAllDesktops(QWindow *window) override;
    void skipTaskbarAndPager(QWindow *window) override;
    bool lacksFrameExtents(QWindow *window) override;
    bool placeOnSway(QWindow *window, const QPoint &topLeft) override;
    void activate(QWindow *window, quint32 timestamp) override;
    quint32 startupTimestamp(const QByteArray &startupId) override;
    void completeStartup(const QByteArray &startupId) override;
};
