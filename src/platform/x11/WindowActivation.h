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

// What the desktop is told about a program Trovia is about to start.
struct StartupDetails {
    QByteArray name;          // shown while it starts
    QByteArray binary;        // the program's executable
    QByteArray icon;          // an icon name or file; may be empty
    QByteArray applicationId; // the desktop entry's path; may be empty
};

// Starts an X startup notification for a program launched at the X server time timestamp and
// returns its ID, which the program finds in DESKTOP_STARTUP_ID; empty off X11. A window manager
// that prevents focus stealing gives the program's window the focus when timestamp is the time
// of the user's request. Sent on Trovia's connection, which lives on: desktops on XWayland forget
// a startup whose sender has gone.
QByteArray beginStartup(const StartupDetails &details, quint32 timestamp);

// Starts noting the time of the user's key presses and clicks on Trovia's windows.
void followUserTime();
// The X server time of the user's latest key press or click seen since followUserTime(); when none
// was seen, the server's time now. 0 off X11.
quint32 userTime();

} // namespace WindowActivation
