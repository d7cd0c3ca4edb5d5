#pragma once

#include <QDBusArgument>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

// One entry of the portal's a(sa{sv}) shortcut lists: what BindShortcuts takes and
// ListShortcuts answers.
struct PortalShortcut {
    QString id;
    QVariantMap properties;

    // Makes PortalShortcut and lists of them known to Qt D-Bus; once is enough, more is harmless.
    static void registerTypes();
};
Q_DECLARE_METATYPE(PortalShortcut)

QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcut &shortcut);
const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcut &shortcut);
