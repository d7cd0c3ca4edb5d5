#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QString>

class QDBusPendingCallWatcher;

// A launched program's own transient systemd scope in app.slice, as GNOME and KDE give the
// programs they start: stopping or restarting the unit Trovia runs in, or an out-of-memory kill of
// it, then leaves the program alone.
namespace SystemdScope
{

// The application id as a part of a unit name: ASCII letters, digits, ':', '_' and '.' stay,
// every other byte becomes \xNN.
QString escapedApplicationId(const QByteArray &applicationId);

// "app-trovia-<escaped id>-<random>.scope".
QString unitName(const QByteArray &applicationId);

// Asks the systemd user manager on bus to move the process pid into a new scope named for
// applicationId and described by description. Returns at once, with the call's watcher (null
// without a bus), which deletes itself once answered; a failure, or no user manager, is one log
// line.
QDBusPendingCallWatcher *moveIntoOwnScope(qint64 pid, const QByteArray &applicationId,
                                          const QString &description,
                                          QDBusConnection bus = QDBusConnection::sessionBus());

} // namespace SystemdScope
