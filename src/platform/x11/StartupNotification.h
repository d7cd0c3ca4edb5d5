#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <xcb/xcb.h>

// X startup notification: the desktop's busy cursor for a program Trovia starts, and the time of
// the user's request, which a window manager that prevents focus stealing needs to give the
// program's first window the focus. Sent on any connection to the display, as the launch helper
// has one of its own.
namespace StartupNotification
{

// What the desktop is told about a program about to start.
struct Details {
    QByteArray name;          // shown while it starts
    QByteArray binary;        // the program's executable
    QByteArray icon;          // an icon name or file; may be empty
    QByteArray applicationId; // the desktop entry's path; may be empty
};

// Starts one for a program launched at the X server time timestamp and returns its ID, which the
// program finds in DESKTOP_STARTUP_ID; empty when connection is null.
QByteArray begin(xcb_connection_t *connection, const Details &details, quint32 timestamp);

// Ends the startup startupId (ends its busy cursor); nothing when connection is null.
void complete(xcb_connection_t *connection, const QByteArray &startupId);

} // namespace StartupNotification
