#include "platform/xdg/SystemdScope.h"

#include "core/Logging.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QRandomGenerator>

namespace
{

// One (sv) of StartTransientUnit's properties, and one (sa(sv)) auxiliary unit (none are sent).
struct UnitProperty {
    QString name;
    QDBusVariant value;
};
struct AuxiliaryUnit {
    QString name;
    QList<UnitProperty> properties;
};

} // namespace

Q_DECLARE_METATYPE(UnitProperty)
Q_DECLARE_METATYPE(AuxiliaryUnit)

namespace
{

QDBusArgument &operator<<(QDBusArgument &argument, const UnitProperty &property)
{
    argument.beginStructure();
    argument << property.name << property.value;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, UnitProperty &property)
{
    argument.beginStructure();
    argument >> property.name >> property.value;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const AuxiliaryUnit &unit)
{
    argument.beginStructure();
    argument << unit.name << unit.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, AuxiliaryUnit &unit)
{
    argument.beginStructure();
    argument >> unit.name >> unit.properties;
    argument.endStructure();
    return argument;
}

void registerTypes()
{
    static const bool registered = [] {
        qDBusRegisterMetaType<UnitProperty>();
        qDBusRegisterMetaType<QList<UnitProperty>>();
        qDBusRegisterMetaType<AuxiliaryUnit>();
        qDBusRegisterMetaType<QList<AuxiliaryUnit>>();
        return true;
    }();
    Q_UNUSED(registered);
}

bool keptInUnitName(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ':' ||
           c == '_' || c == '.';
}

} // namespace

QString SystemdScope::escapedApplicationId(const QByteArray &applicationId)
{
    QString escaped;
    for (const char c : applicationId) {
        if (keptInUnitName(c))
            escaped += QLatin1Char(c);
        else
            escaped += QStringLiteral("\\x%1").arg(uint(uchar(c)), 2, 16, QLatin1Char('0'));
    }
    return escaped;
}

QString SystemdScope::unitName(const QByteArray &applicationId)
{
    // Random, as two launches of one program each need a scope of their own.
    const quint64 random = QRandomGenerator::global()->generate64();
    return QStringLiteral("app-trovia-%1-%2.scope")
        .arg(escapedApplicationId(applicationId))
        .arg(random, 16, 16, QLatin1Char('0'));
}

QDBusPendingCallWatcher *SystemdScope::moveIntoOwnScope(qint64 pid, const QByteArray &applicationId,
                                                        const QString &description,
                                                        QDBusConnection bus)
{
    const QString unit = unitName(applicationId);
    if (!bus.isConnected()) {
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("%1 stays in Trovia's own unit: no session bus.").arg(description);
        return nullptr;
    }
    registerTypes();
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.systemd1"), QStringLiteral("/org/freedesktop/systemd1"),
        QStringLiteral("org.freedesktop.systemd1.Manager"), QStringLiteral("StartTransientUnit"));
    // A bus without systemd has nothing to start for it.
    call.setAutoStartService(false);
    const QList<UnitProperty> properties{
        {QStringLiteral("Description"), QDBusVariant(description)},
        {QStringLiteral("PIDs"), QDBusVariant(QVariant::fromValue(QList<uint>{uint(pid)}))},
        {QStringLiteral("Slice"), QDBusVariant(QStringLiteral("app.slice"))},
    };
    call << unit << QStringLiteral("fail") << QVariant::fromValue(properties)
         << QVariant::fromValue(QList<AuxiliaryUnit>());
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, unit, description] {
                         const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
                         if (reply.isError())
                             qCWarning(lcPlatform).noquote()
                                 << QStringLiteral("%1 stays in Trovia's own unit: no scope %2 "
                                                   "(%3).")
                                        .arg(description, unit, reply.error().message());
                         watcher->deleteLater();
                     });
    return watcher;
}
