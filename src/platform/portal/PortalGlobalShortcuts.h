#pragma once

#include "platform/GlobalShortcutBackend.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QVariantMap>
#include <functional>

// The hot key on Wayland: the desktop portal's org.freedesktop.portal.GlobalShortcuts, over the
// session bus. An X grab there only sees keys while an X window has focus. Registration is
// asynchronous: registerShortcut answers Pending and registrationFinished follows. A desktop
// without the portal answers Unsupported, so that the user can bind `trovia --toggle` instead.
class PortalGlobalShortcuts : public GlobalShortcutBackend
{
    Q_OBJECT
public:
    explicit PortalGlobalShortcuts(QDBusConnection bus, QObject *parent = nullptr);
    ~PortalGlobalShortcuts() override;

    Registration registerShortcut(quint16 virtualKeyCode, quint32 modifiers) override;
    void unregisterShortcut() override;

    // The shortcut's trigger as the portal's preferred_trigger spells it ("ALT+Escape"); empty
    // when the key has no keysym name.
    static QString triggerFor(const QString &keysymName, quint32 modifiers);

    static const QString shortcutId; // "toggle"

private Q_SLOTS:
    void portalActivated(const QDBusObjectPath &session, const QString &shortcut, qulonglong time,
                         const QVariantMap &options);

private:
    using ResponseHandler = std::function<void(uint response, const QVariantMap &results)>;
    void callWithResponse(const QString &method, QVariantList arguments, QVariantMap options,
                          ResponseHandler handler);
    void createSession(const QString &trigger);
    void bindShortcut(const QString &trigger);
    void finish(Outcome outcome, const QString &detail);

    QDBusConnection bus;
    QString session;        // the portal session's object path, once created
    quint64 generation = 0; // answers to an earlier registration are stale
    quint64 nextToken = 0;
    quint64 sessions = 0; // sessions asked for in this run
    // Trovia's application id goes to the portal once, and its answer comes before any session.
    enum class Identity { Unknown, Announcing, Announced };
    Identity identity = Identity::Unknown;
    bool registrationWanted = false; // a registration waits for the answer
    QString pendingTrigger;          // the latest registration's trigger
};
