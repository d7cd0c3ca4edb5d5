#include "platform/x11/WindowHints.h"

#include "platform/x11/X11Connection.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QScopeGuard>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace
{

constexpr quint32 allDesktops = 0xFFFFFFFF;

// One sway command over its i3-compatible IPC socket: "i3-ipc", the payload's length and the
// message type (0, run command) in native byte order, then the command. True when sway answers
// that every part of it succeeded.
bool runSwayCommand(const QByteArray &socketPath, const QByteArray &command)
{
    sockaddr_un address{};
    if (socketPath.isEmpty() || size_t(socketPath.size()) >= sizeof(address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.constData(), size_t(socketPath.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return false;
    const auto close = qScopeGuard([socket] { ::close(socket); });
    // A compositor that stopped answering must not hold up the interface for long.
    const timeval timeout{0, 200000};
    setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    if (::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return false;

    const quint32 header[2] = {quint32(command.size()), 0};
    QByteArray message = QByteArrayLiteral("i3-ipc");
    message.append(reinterpret_cast<const char *>(header), sizeof header);
    message.append(command);
    if (::send(socket, message.constData(), size_t(message.size()), MSG_NOSIGNAL) != message.size())
        return false;

    QByteArray reply;
    char buffer[4096];
    for (;;) {
        const ssize_t read = ::recv(socket, buffer, sizeof buffer, 0);
        if (read <= 0)
            break;
        reply.append(buffer, read);
        if (reply.size() >= 14) {
            quint32 length = 0;
            std::memcpy(&length, reply.constData() + 6, sizeof length);
            if (quint64(reply.size()) >= 14 + quint64(length))
                break;
        }
    }
    if (reply.size() < 14 || !reply.startsWith("i3-ipc"))
        return false;
    const QJsonArray results = QJsonDocument::fromJson(reply.mid(14)).array();
    if (results.isEmpty())
        return false;
    for (const QJsonValue &result : results) {
        if (!result.toObject().value(QLatin1String("success")).toBool())
            return false;
    }
    return true;
}

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
    const std::optional<QList<quint32>> desktop =
        X11::property32(connection, static_cast<xcb_window_t>(window->winId()),
                        X11::atom(connection, "_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL, 1);
    return desktop && desktop->size() == 1 ? qint64(desktop->first()) : -1;
}

bool lacksFrameExtents(QWindow *window)
{
    xcb_connection_t *connection = X11::qtConnection();
    if (!connection || !window)
        return false;
    return !X11::property32(connection, static_cast<xcb_window_t>(window->winId()),
                            X11::atom(connection, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 4);
}

void skipTaskbarAndPager(QWindow *window)
{
    xcb_connection_t *connection = X11::qtConnection();
    if (!connection || !window)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = X11::atom(connection, "_NET_WM_STATE");
    // Added to the states already there, once.
    QList<quint32> states =
        X11::property32(connection, id, state, XCB_ATOM_ATOM, 64).value_or(QList<quint32>());
    for (const char *skip : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
        const xcb_atom_t atom = X11::atom(connection, skip);
        if (!states.contains(atom))
            states.append(atom);
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                        uint32_t(states.size()), states.constData());
    xcb_flush(connection);
}

bool placeOnSway(QWindow *window, const QPoint &topLeft)
{
    const QByteArray socketPath = qgetenv("SWAYSOCK");
    if (socketPath.isEmpty() || !window || !X11::qtConnection())
        return false;
    return runSwayCommand(socketPath,
                          QByteArrayLiteral("[id=") + QByteArray::number(window->winId()) +
                              "] move absolute position " + QByteArray::number(topLeft.x()) + ' ' +
                              QByteArray::number(topLeft.y()));
}

} // namespace WindowHints
