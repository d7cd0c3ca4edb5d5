#include "platform/x11/X11Connection.h"

#include <QGuiApplication>
#include <QHash>
#include <cstdlib>
#include <cstring>

namespace X11
{

xcb_connection_t *qtConnection()
{
    const auto *x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    // The atoms of Qt's connection never change while it lives: each is asked for once, not at
    // every showing (a round trip to the server each time). Asked on the interface thread only;
    // never destroyed, as a window may still be shown while the program exits.
    static auto *qtConnectionAtoms = new QHash<QByteArray, xcb_atom_t>;
    static xcb_connection_t *atomsOf = nullptr;
    const bool cached = connection && connection == qtConnection();
    if (cached && connection != atomsOf) {
        qtConnectionAtoms->clear();
        atomsOf = connection;
    }
    if (cached) {
        if (const auto found = qtConnectionAtoms->constFind(name);
            found != qtConnectionAtoms->cend())
            return *found;
    }
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    if (cached && result != XCB_ATOM_NONE)
        qtConnectionAtoms->insert(name, result);
    return result;
}

xcb_window_t rootOf(xcb_connection_t *connection, xcb_window_t window)
{
    xcb_get_geometry_reply_t *reply =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    const xcb_window_t root = reply ? reply->root : xcb_window_t(XCB_WINDOW_NONE);
    std::free(reply);
    return root;
}

std::optional<QList<quint32>> property32(xcb_connection_t *connection, xcb_window_t window,
                                         xcb_atom_t property, xcb_atom_t type, uint32_t maxValues)
{
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, maxValues), nullptr);
    std::optional<QList<quint32>> result;
    if (reply && reply->type == type && reply->format == 32) {
        const auto *values = static_cast<const quint32 *>(xcb_get_property_value(reply));
        result = QList<quint32>(values, values + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return result;
}

} // namespace X11
