#pragma once

#include <QPoint>
#include <QtGlobal>

class QWindow;

// Hints to the desktop about Trovia's windows that Qt has no API for.
namespace WindowHints
{

// Shows window on every virtual desktop (EWMH _NET_WM_DESKTOP 0xFFFFFFFF) on X11; elsewhere the
// desktop decides and this does nothing. Call it before each showing: a window manager forgets the
// hint when the window is hidden.
void showOnAllDesktops(QWindow *window);

// The desktop window is on (0xFFFFFFFF: all), as the X server holds it; -1 when unknown or off X11.
qint64 desktopOfWindow(QWindow *window);

// Whether window, on X11, lacks the frame extents (EWMH _NET_FRAME_EXTENTS) that stacking window
// managers give even frameless windows; false off X11.
bool lacksFrameExtents(QWindow *window);

// Keeps window out of taskbars and pagers (EWMH _NET_WM_STATE_SKIP_TASKBAR/SKIP_PAGER) on X11.
// Call it before the window is mapped: Qt keeps these states when it maps it.
void skipTaskbarAndPager(QWindow *window);

// Under sway, asks the compositor over its IPC socket ($SWAYSOCK) to put window's top-left corner
// at topLeft: sway places floating X11 windows itself and ignores where they ask to go. True when
// sway did; false off sway, or while sway does not know the window yet (just before it maps).
bool placeOnSway(QWindow *window, const QPoint &topLeft);

} // namespace WindowHints
