#pragma once

#include <QList>
#include <optional>
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
// A window's property of 32-bit values of the given type, at most maxValues of them; nothing when
// the window lacks it or it has another type.
std::optional<QList<quint32>> property32(xcb_connection_t *connection, xcb_window_t window,
                                         xcb_atom_t property, xcb_atom_t type, uint32_t maxValues);

} // namespace X11
