#pragma once

#include "platform/Notifications.h"

#include <QDBusConnection>

// Desktop notifications through org.freedesktop.Notifications on bus.
class DBusNotifications : public Notifications
{
public:
    explicit DBusNotifications(QDBusConnection bus = QDBusConnection::sessionBus());

    void show(const QString &summary, const QString &body, QObject *context,
              std::function<void(bool shown)> done) override;

private:
    QDBusConnection bus;
};
