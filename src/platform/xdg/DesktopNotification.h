#pragma once

#include <QDBusConnection>
#include <QString>
#include <functional>

class QObject;

// A desktop notification through org.freedesktop.Notifications.
namespace DesktopNotification
{

// Asks the notification server to show summary and body. done(true) follows once the server took
// the notification, done(false) when none answers; done is not called after context is destroyed.
void show(const QString &summary, const QString &body, QObject *context,
          std::function<void(bool shown)> done,
          QDBusConnection bus = QDBusConnection::sessionBus());

} // namespace DesktopNotification
