#pragma once

#include <QByteArray>
#include <QtGlobal>

class QWindow;

// Bringing Trovia's window to the front with keyboard focus. On X11 the window manager must learn
// the time of the user's request (the hot key press, a second start), or a manager that prevents
// focus stealing maps the window without focus.
namespace WindowActivation
{

// Activates window (already shown) for a request made at the X server time timestamp; 0 asks the
// server for its current time. Off X11 the platform's own activation is used.
void activate(QWindow *window, quint32 timestamp);

// The X server time carried by a startup notification ID ("..._TIME<number>"), else 0.
quint32 timestampFromStartupId(const QByteArray &startupId);

// Tells the desktop that the startup notification startupId is complete (ends its busy cursor).
void completeStartup(const QByteArray &startupId);

} // namespace WindowActivation
