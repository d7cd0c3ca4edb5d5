#pragma once

#include <xcb/xcb.h>

// Small shared pieces for talking to the X server on Qt's own connection.
namespace X11
{

// Qt's xcb connection; null on other platforms (offscreen answers the X11 interface with none).
xcb_connection_t *qtConnection();
// XCB_ATOM_NONE when the server does not answer.
xcb_atom_t atom(xcb_connection_t *connection, const char *name);
// The root window of the screen holding window; XCB_WINDOW_NONE when unknown.
xcb_window_t rootOf(xcb_connection_t *connection, xcb_window_t window);

} // namespace X11
