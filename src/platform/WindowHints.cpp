#include "WindowHints.h"

#include "X11Connection.h"

#include <QGuiApplication>
#include <QWindow>
#include <cstdlib>
#include <xcb/xcb.h>

namespace
{

constexpr quint32 allDesktops = 0xFFFFFFFF;

} // namespace

namespace WindowHints
{

void showOnAllDesktops(QWindow *window)
{
    xcb_connection_t *connection = X11::qtConnection();
    if (!connection || !window)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t desktop = X11::atom(connection, "_NET_WM_DESKTOP");
    if (desktop == XCB_ATOM_NONE)
        return;

    // An unmapped window carries the hint itself; a mapped one asks the window manager.
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, desktop, XCB_ATOM_CARDINAL, 32, 1,
                        &allDesktops);
    if (window->isVisible()) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = id;
        message.type = desktop;
        message.data.data32[0] = allDesktops;
        message.data.data32[1] = 1; // a normal application
        xcb_send_event(connection, 0, X11::rootOf(connection, id),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&message));
    }
    xcb_flush(connection);
}

qint64 desktopOfWindow(QWindow *window)
{
    xcb_connection_t *connection = X11::qtConnection();
    if (!connection || !window)
        return -1;
    const xcb_atom_t desktop = X11::atom(connection, "_NET_WM_DESKTOP");
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, static_cast<xcb_window_t>(window->winId()), desktop,
                         XCB_ATOM_CARDINAL, 0, 1);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    qint64 result = -1;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4)
        result = *static_cast<const quint32 *>(xcb_get_property_value(reply));
    free(reply);
    return result;
}

bool lacksFrameExtents(QWindow *window)
{
    xcb_connection_t *connection = X11::qtConnection();
    if (!connection || !window)
        return false;
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, static_cast<xcb_window_t>(window->winId()),
                         X11::atom(connection, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 0, 4),
        nullptr);
    const bool told = reply && reply->type == XCB_ATOM_CARDINAL;
    free(reply);
    return !told;
}

} // namespace WindowHints
