#include "platform/x11/StartupNotification.h"

#include <QString>
#include <QSysInfo>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <utility>

namespace
{

// The message's two atoms, asked for once per connection: Trovia and its helper each use one.
struct MessageAtoms {
    xcb_atom_t begin = XCB_ATOM_NONE;
    xcb_atom_t more = XCB_ATOM_NONE;
};

MessageAtoms messageAtoms(xcb_connection_t *connection)
{
    static xcb_connection_t *askedOn = nullptr;
    static MessageAtoms atoms;
    if (connection == askedOn)
        return atoms;
    const auto ask = [connection](const char *name) {
        return xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    };
    const xcb_intern_atom_cookie_t begin = ask("_NET_STARTUP_INFO_BEGIN");
    const xcb_intern_atom_cookie_t more = ask("_NET_STARTUP_INFO");
    for (auto [cookie, atom] : {std::pair{begin, &atoms.begin}, std::pair{more, &atoms.more}}) {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        *atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
    }
    askedOn = connection;
    return atoms;
}

// Sends a startup notification message to every client watching the root window, in pieces of
// 20 bytes, the last padded with zeros.
void send(xcb_connection_t *connection, QByteArray text)
{
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return;
    text.append('\0');
    const MessageAtoms atoms = messageAtoms(connection);
    const xcb_window_t sender = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, sender, screen->root, -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    for (int offset = 0; offset < text.size(); offset += 20) {
        xcb_client_message_event_t message = {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 8;
        message.window = sender;
        message.type = offset == 0 ? atoms.begin : atoms.more;
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

} // namespace

namespace StartupNotification
{

QByteArray begin(xcb_connection_t *connection, const Details &details, quint32 timestamp)
{
    if (!connection)
        return {};
    // Unique on the display: the host, the sending process and a count; the time at the end is
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
    send(connection, text);
    return id;
}

void complete(xcb_connection_t *connection, const QByteArray &startupId)
{
    if (connection && !startupId.isEmpty())
        send(connection, "remove: ID=" + quoted(startupId));
}

} // namespace StartupNotification
