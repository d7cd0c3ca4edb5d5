#include "platform/x11/WindowActivation.h"

#include "platform/x11/X11Connection.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSysInfo>
#include <QWindow>
#include <atomic>
#include <cstring>
#include <unistd.h>
#include <xcb/xcb.h>

namespace
{

xcb_window_t windowProperty(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property)
{
    const std::optional<QList<quint32>> value =
        X11::property32(connection, window, property, XCB_ATOM_WINDOW, 1);
    return value && value->size() == 1 ? value->first() : xcb_window_t(XCB_WINDOW_NONE);
}

// The server's current time: a property change on a private window reports it.
quint32 serverTime(xcb_window_t root)
{
    // A connection of its own, so that no event of Qt's connection is taken from it.
    xcb_connection_t *own = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(own)) {
        xcb_disconnect(own);
        return XCB_CURRENT_TIME;
    }
    const xcb_window_t window = xcb_generate_id(own);
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(own, XCB_COPY_FROM_PARENT, window, root, -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    xcb_change_property(own, XCB_PROP_MODE_APPEND, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0,
                        nullptr);
    xcb_flush(own);
    quint32 time = XCB_CURRENT_TIME;
    while (xcb_generic_event_t *event = xcb_wait_for_event(own)) {
        const bool found = (event->response_type & ~0x80) == XCB_PROPERTY_NOTIFY;
        if (found)
            time = reinterpret_cast<xcb_property_notify_event_t *>(event)->time;
        free(event);
        if (found)
            break;
    }
    xcb_disconnect(own);
    return time;
}

// Sends a startup notification message to every client watching the root window, in pieces of
// 20 bytes, the last padded with zeros.
void sendStartupMessage(xcb_connection_t *connection, QByteArray text)
{
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return;
    text.append('\0');
    const xcb_atom_t begin = X11::atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = X11::atom(connection, "_NET_STARTUP_INFO");
    const xcb_window_t sender = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, sender, screen->root, -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    for (int offset = 0; offset < text.size(); offset += 20) {
        xcb_client_message_event_t message = {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 8;
        message.window = sender;
        message.type = offset == 0 ? begin : more;
        std::memcpy(message.data.data8, text.constData() + offset,
                    size_t(qMin(20, int(text.size()) - offset)));
        xcb_send_event(connection, 0, screen->root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char *>(&message));
    }
    xcb_destroy_window(connection, sender);
    xcb_flush(connection);
}

// A value in a startup notification message: quoted, with quotes and backslashes escaped.
QByteArray quoted(QByteArray value)
{
    value.replace('\\', "\\\\").replace('"', "\\\"");
    return '"' + value + '"';
}

// Notes the time of the user's input events on Qt's connection, before Qt handles them.
class UserTimeFilter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        switch (event->response_type & 0x7f) {
        case XCB_KEY_PRESS:
        case XCB_BUTTON_PRESS:
            // Key and button presses share the layout of the time field.
            time = reinterpret_cast<const xcb_key_press_event_t *>(event)->time;
            break;
        default:
            break;
        }
        return false;
    }
    quint32 time = XCB_CURRENT_TIME;
};

UserTimeFilter *userTimeFilter = nullptr;

} // namespace

namespace WindowActivation
{

void activate(QWindow *window, quint32 timestamp)
{
    xcb_connection_t *connection = X11::qtConnection();
    if (!connection || !window) {
        if (window)
            window->requestActivate();
        return;
    }
    const auto id = xcb_window_t(window->winId());
    const xcb_window_t root = X11::rootOf(connection, id);
    if (timestamp == XCB_CURRENT_TIME)
        timestamp = serverTime(root);

    // The user time decides whether the manager gives the newly mapped window focus; Qt keeps it
    // on a window of its own named by _NET_WM_USER_TIME_WINDOW.
    xcb_window_t userTimeWindow =
        windowProperty(connection, id, X11::atom(connection, "_NET_WM_USER_TIME_WINDOW"));
    if (userTimeWindow == XCB_WINDOW_NONE)
        userTimeWindow = id;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, userTimeWindow,
                        X11::atom(connection, "_NET_WM_USER_TIME"), XCB_ATOM_CARDINAL, 32, 1,
                        &timestamp);

    const xcb_window_t manager =
        windowProperty(connection, root, X11::atom(connection, "_NET_SUPPORTING_WM_CHECK"));
    if (manager != XCB_WINDOW_NONE) {
        xcb_client_message_event_t message = {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = id;
        message.type = X11::atom(connection, "_NET_ACTIVE_WINDOW");
        message.data.data32[0] = 1; // the request comes from an application
        message.data.data32[1] = timestamp;
        message.data.data32[2] = XCB_WINDOW_NONE;
        xcb_send_event(connection, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&message));
    } else {
        // No manager: focus is Trovia's own to set.
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(connection, id, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, id, timestamp);
    }
    xcb_flush(connection);
}

quint32 timestampFromStartupId(const QByteArray &startupId)
{
    const int at = startupId.lastIndexOf("_TIME");
    if (at < 0)
        return 0;
    bool ok = false;
    const quint32 time = startupId.mid(at + 5).toUInt(&ok);
    return ok ? time : 0;
}

void completeStartup(const QByteArray &startupId)
{
    xcb_connection_t *connection = X11::qtConnection();
    if (!connection || startupId.isEmpty())
        return;
    sendStartupMessage(connection, "remove: ID=" + quoted(startupId));
}

QByteArray beginStartup(const StartupDetails &details, quint32 timestamp)
{
    xcb_connection_t *connection = X11::qtConnection();
    if (!connection)
        return {};
    // Unique on the display: the host, Trovia's process and a count; the time at the end is
    // where window managers look for it.
    static std::atomic<int> sequence{0};
    QByteArray host = QSysInfo::machineHostName().toUtf8();
    QByteArray program = details.binary.mid(details.binary.lastIndexOf('/') + 1);
    for (QByteArray *word : {&host, &program}) {
        for (char &c : *word) {
            if (!QChar::isLetterOrNumber(uchar(c)) && c != '.' && c != '_')
                c = '_';
        }
    }
    const QByteArray id = "trovia-" + QByteArray::number(getpid()) + '-' + host + '-' + program +
                          '-' + QByteArray::number(sequence++) + "_TIME" +
                          QByteArray::number(timestamp);
    QByteArray text = "new: ID=" + quoted(id) + " NAME=" + quoted(details.name) +
                      " SCREEN=0 BIN=" + quoted(details.binary) +
                      " TIMESTAMP=" + QByteArray::number(timestamp);
    if (!details.icon.isEmpty())
        text += " ICON=" + quoted(details.icon);
    if (!details.applicationId.isEmpty())
        text += " APPLICATION_ID=" + quoted(details.applicationId);
    sendStartupMessage(connection, text);
    return id;
}

void followUserTime()
{
    if (userTimeFilter || !QCoreApplication::instance())
        return;
    userTimeFilter = new UserTimeFilter;
    QCoreApplication::instance()->installNativeEventFilter(userTimeFilter);
}

quint32 userTime()
{
    xcb_connection_t *connection = X11::qtConnection();
    if (!connection)
        return 0;
    if (userTimeFilter && userTimeFilter->time != XCB_CURRENT_TIME)
        return userTimeFilter->time;
    return serverTime(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root);
}

} // namespace WindowActivation
