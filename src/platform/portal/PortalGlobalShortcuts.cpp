#include "platform/portal/PortalGlobalShortcuts.h"

#include "core/ApplicationId.h"
#include "core/KeyCodes.h"
#include "platform/portal/PortalShortcut.h"
#include "platform/x11/XkbKeymap.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <algorithm>

QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

void PortalShortcut::registerTypes()
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
}

namespace
{

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString sessionInterface = QStringLiteral("org.freedesktop.portal.Session");
// Beside the portal's own response codes (0 granted, 1 cancelled, 2 other): the call itself failed.
constexpr uint callFailed = 0xffffffff;

// Waits for the Response of one portal request, then goes.
class PortalRequest : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(uint, const QVariantMap &)>;
    PortalRequest(QDBusConnection bus_, Handler handler_, QObject *parent)
        : QObject(parent), bus(std::move(bus_)), handler(std::move(handler_))
    {
    }

    bool listen(const QString &path)
    {
        paths.append(path);
        return bus.connect(portalService, path, requestInterface, QStringLiteral("Response"), this,
                           SLOT(response(uint, QVariantMap)));
    }

public Q_SLOTS:
    void response(uint code, const QVariantMap &results)
    {
        for (const QString &path : std::as_const(paths))
            bus.disconnect(portalService, path, requestInterface, QStringLiteral("Response"), this,
                           SLOT(response(uint, QVariantMap)));
        handler(code, results);
        deleteLater();
    }

private:
    QDBusConnection bus;
    Handler handler;
    QStringList paths;
};

enum class Listing { Absent, Listed, Missing };

// Whether a BindShortcuts answer lists Trovia's shortcut among those bound.
Listing shortcutListing(const QVariantMap &results)
{
    const auto found = results.constFind(QStringLiteral("shortcuts"));
    if (found == results.constEnd())
        return Listing::Absent;
    const QList<PortalShortcut> shortcuts = qdbus_cast<QList<PortalShortcut>>(*found);
    const bool listed =
        std::any_of(shortcuts.cbegin(), shortcuts.cend(), [](const PortalShortcut &shortcut) {
            return shortcut.id == PortalGlobalShortcuts::shortcutId;
        });
    return listed ? Listing::Listed : Listing::Missing;
}

QString objectPathText(const QVariant &value)
{
    if (value.canConvert<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

} // namespace

const QString PortalGlobalShortcuts::shortcutId = QStringLiteral("toggle");

PortalGlobalShortcuts::PortalGlobalShortcuts(QDBusConnection bus_, QObject *parent)
    : GlobalShortcutBackend(parent), bus(std::move(bus_))
{
    PortalShortcut::registerTypes();
    // The slot's argument types are looked up by name, and QDBusObjectPath has none until it is
    // registered: without this, the first portal of a run would never hear an activation.
    qRegisterMetaType<QDBusObjectPath>();
    bus.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Activated"), this,
                SLOT(portalActivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
}

PortalGlobalShortcuts::~PortalGlobalShortcuts()
{
    unregisterShortcut();
}

QString PortalGlobalShortcuts::triggerFor(const QString &keysymName, quint32 modifiers)
{
    if (keysymName.isEmpty())
        return {};
    return KeyCodes::combinationText(modifiers, keysymName, {"CTRL", "ALT", "SHIFT", "LOGO"});
}

void PortalGlobalShortcuts::callWithResponse(const QString &method, QVariantList arguments,
                                             QVariantMap options, ResponseHandler handler)
{
    // The request's object path follows from our bus name and the token, so the Response can be
    // awaited before the call goes out and cannot be missed.
    const QString token = QStringLiteral("trovia%1").arg(++nextToken);
    options.insert(QStringLiteral("handle_token"), token);
    arguments.append(options);
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString expectedPath =
        portalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;

    auto *request = new PortalRequest(bus, handler, this);
    request->listen(expectedPath);

    QDBusMessage call =
        QDBusMessage::createMethodCall(portalService, portalPath, shortcutsInterface, method);
    call.setArguments(arguments);
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [request, expectedPath, handler](QDBusPendingCallWatcher *finished) {
                finished->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *finished;
                if (reply.isError()) {
                    request->deleteLater();
                    QVariantMap error{{QStringLiteral("error"), reply.error().name()},
                                      {QStringLiteral("message"), reply.error().message()}};
                    handler(callFailed, error);
                    return;
                }
                // Older portals choose the path themselves.
                if (reply.value().path() != expectedPath)
                    request->listen(reply.value().path());
            });
}

GlobalShortcutBackend::Registration PortalGlobalShortcuts::registerShortcut(quint16 virtualKeyCode,
                                                                            quint32 modifiers)
{
    ++generation;
    QString trigger;
    if (const auto layout = XkbKeymap::current())
        trigger = triggerFor(layout->keysymName(virtualKeyCode), modifiers);
    pendingTrigger = trigger;
    registrationWanted = true;
    switch (identity) {
    case Identity::Announced:
        createSession(trigger);
        break;
    case Identity::Announcing:
        // The answer starts the latest registration's session.
        break;
    case Identity::Unknown: {
        // Newer portals learn a host application's identity this way and need it before the first
        // session; older ones lack the interface, and its error only means to go on.
        identity = Identity::Announcing;
        QDBusMessage announce = QDBusMessage::createMethodCall(
            portalService, portalPath, QStringLiteral("org.freedesktop.host.portal.Registry"),
            QStringLiteral("Register"));
        announce << troviaApplicationId() << QVariantMap();
        auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(announce), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this](QDBusPendingCallWatcher *finished) {
                    finished->deleteLater();
                    identity = Identity::Announced;
                    // Unregistered meanwhile, and not registered again: no session.
                    if (registrationWanted)
                        createSession(pendingTrigger);
                });
        break;
    }
    }
    return {Outcome::Pending, {}};
}

void PortalGlobalShortcuts::createSession(const QString &trigger)
{
    const quint64 registration = generation;
    // The first session of a run has the same name at every start: desktops that know a host
    // application only by its session (KDE Plasma 5) keep its shortcut under that name.
    const QString sessionToken =
        sessions++ == 0 ? QStringLiteral("trovia") : QStringLiteral("trovia%1").arg(sessions);
    QVariantMap options{{QStringLiteral("session_handle_token"), sessionToken}};
    callWithResponse(
        QStringLiteral("CreateSession"), {}, options,
        [this, registration, trigger](uint response, const QVariantMap &results) {
            if (registration != generation) {
                // Replaced meanwhile: a session that came too late is closed at once.
                const QString late = objectPathText(results.value("session_handle"));
                if (response == 0 && !late.isEmpty())
                    bus.asyncCall(QDBusMessage::createMethodCall(portalService, late,
                                                                 sessionInterface, "Close"));
                return;
            }
            if (response == callFailed) {
                finish(Outcome::Unsupported,
                       QStringLiteral("the desktop offers no global shortcuts portal (%1)")
                           .arg(results.value("error").toString()));
                return;
            }
            if (response != 0) {
                finish(Outcome::Refused,
                       QStringLiteral("the desktop portal refused a shortcuts session"));
                return;
            }
            session = objectPathText(results.value("session_handle"));
            bindShortcut(trigger);
        });
}

void PortalGlobalShortcuts::bindShortcut(const QString &trigger)
{
    const quint64 registration = generation;
    QVariantMap properties{{QStringLiteral("description"), QStringLiteral("Show or hide Trovia")}};
    if (!trigger.isEmpty())
        properties.insert(QStringLiteral("preferred_trigger"), trigger);
    const QList<PortalShortcut> shortcuts{{shortcutId, properties}};
    callWithResponse(
        QStringLiteral("BindShortcuts"),
        {QVariant::fromValue(QDBusObjectPath(session)), QVariant::fromValue(shortcuts), QString()},
        {}, [this, registration](uint response, const QVariantMap &results) {
            if (registration != generation)
                return;
            const Listing listing = shortcutListing(results);
            if (response == callFailed)
                finish(Outcome::Refused, QStringLiteral("the desktop portal failed to bind: %1")
                                             .arg(results.value("message").toString()));
            else if (response == 0 && listing == Listing::Missing)
                // Plasma 5.27 answers so: it binds nothing and no key will ever toggle Trovia.
                finish(Outcome::Unsupported,
                       QStringLiteral("the desktop portal bound no shortcut for Trovia"));
            else if (response == 0 || (response == 2 && listing == Listing::Listed))
                // GNOME 48 answers "other" to a binding the user confirmed, listing the shortcut;
                // what is bound decides, as a declined one comes back unlisted.
                finish(Outcome::Registered, {});
            else
                finish(Outcome::Refused,
                       QStringLiteral("the shortcut was declined on the desktop"));
        });
}

void PortalGlobalShortcuts::finish(Outcome outcome, const QString &detail)
{
    Q_EMIT registrationFinished(outcome, detail);
}

void PortalGlobalShortcuts::unregisterShortcut()
{
    ++generation;
    registrationWanted = false;
    if (session.isEmpty())
        return;
    bus.asyncCall(
        QDBusMessage::createMethodCall(portalService, session, sessionInterface, "Close"));
    session.clear();
}

void PortalGlobalShortcuts::portalActivated(const QDBusObjectPath &activatedSession,
                                            const QString &shortcut, qulonglong,
                                            const QVariantMap &)
{
    // The portal's time is not X's: the activation takes a fresh server time.
    if (!session.isEmpty() && activatedSession.path() == session && shortcut == shortcutId)
        Q_EMIT activated(0);
}

#include "PortalGlobalShortcuts.moc"
