#include "platform/xdg/DBusNotifications.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>

DBusNotifications::DBusNotifications(QDBusConnection connection) : bus(std::move(connection)) {}

void DBusNotifications::show(const QString &summary, const QString &body, QObject *context,
                             std::function<void(bool shown)> done)
{
    if (!bus.isConnected()) {
        // Answer from the event loop, as a server would.
        QTimer::singleShot(0, context, [done] { done(false); });
        return;
    }
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (-1: server's)
    notify << QStringLiteral("Trovia") << 0u << QStringLiteral("trovia") << summary << body
           << QStringList() << QVariantMap() << -1;
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(notify), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [done](QDBusPendingCallWatcher *finished) {
                         finished->deleteLater();
                         done(!QDBusPendingReply<uint>(*finished).isError());
                     });
}
