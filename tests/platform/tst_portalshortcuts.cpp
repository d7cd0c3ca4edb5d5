#include "FakeDBusService.h"
#include "core/KeyCodes.h"
#include "platform/portal/PortalGlobalShortcuts.h"
#include "platform/portal/PortalShortcut.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingReply>
#include <QSignalSpy>
#include <QTest>

namespace
{
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
} // namespace

// The desktop portal's GlobalShortcuts as a test-controlled service.
class FakePortal : public FakeDBusService
{
public:
    FakePortal() : FakeDBusService(QStringLiteral("org.freedesktop.portal.Desktop"), portalPath)
    {
        PortalShortcut::registerTypes();
    }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        QString sender = message.service().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        const QVariantList arguments = message.arguments();
        const QString member = message.member();
        calls << member;
        if (member == QLatin1String("Register")) {
            // Before xdg-desktop-portal 1.19.3 the interface does not exist.
            if (!hasRegistry)
                return false;
            appId = arguments.at(0).toString();
            heldRegister = message.createReply();
            if (!holdRegister)
                answerRegister();
            return true;
        }
        if (member == QLatin1String("Ping")) {
            connection.send(message.createReply());
            return true;
        }
        if (member == QLatin1String("Close")) {
            closed << message.path();
            connection.send(message.createReply());
            return true;
        }
        const QVariantMap options = qdbus_cast<QVariantMap>(arguments.last());
        const QString request =
            portalPath + "/request/" + sender + "/" + options.value("handle_token").toString();
        connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));

        uint response = 0;
        QVariantMap results;
        if (member == QLatin1String("CreateSession")) {
            session = portalPath + "/session/" + sender + "/" +
                      options.value("session_handle_token").toString();
            results.insert("session_handle", session);
        } else if (member == QLatin1String("BindShortcuts")) {
            boundSession = qdbus_cast<QDBusObjectPath>(arguments.at(0)).path();
            const QDBusArgument shortcuts = arguments.at(1).value<QDBusArgument>();
            shortcuts.beginArray();
            while (!shortcuts.atEnd()) {
                QString id;
                QVariantMap properties;
                shortcuts.beginStructure();
                shortcuts >> id >> properties;
                shortcuts.endStructure();
                bound.insert(id, properties);
            }
            shortcuts.endArray();
            response = bindResponse;
            QList<PortalShortcut> listed;
            if (bindsShortcuts) {
                for (auto it = bound.cbegin(); it != bound.cend(); ++it)
                    listed.append({it.key(), {{"trigger_description", "Alt+Esc"}}});
            }
            results.insert("shortcuts", QVariant::fromValue(listed));
        } else {
            return false;
        }
        QDBusMessage answer = QDBusMessage::createSignal(
            request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        answer << response << results;
        connection.send(answer);
        return true;
    }

    void activate(const QString &inSession, const QString &shortcut)
    {
        QDBusMessage signal =
            QDBusMessage::createSignal(portalPath, shortcutsInterface, QStringLiteral("Activated"));
        signal << QVariant::fromValue(QDBusObjectPath(inSession)) << shortcut << qulonglong(1234)
               << QVariantMap();
        bus.send(signal);
    }

    void answerRegister()
    {
        bus.send(heldRegister);
        heldRegister = {};
    }

    bool hasRegistry = true;
    bool holdRegister = false; // Register is answered by answerRegister()
    QDBusMessage heldRegister;
    uint bindResponse = 0;      // 1: the user declined
    bool bindsShortcuts = true; // false: answers success with an empty list, as Plasma 5.27 does
    QString session;
    QString boundSession;
    QMap<QString, QVariantMap> bound;
    QStringList closed;
    QStringList calls;
    QString appId;
};

class TestPortalShortcuts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QDBusConnection::sessionBus().isConnected());
        qputenv("XKB_DEFAULT_LAYOUT", "us");
    }

    void triggerSpellsModifiersAndKeysym()
    {
        QCOMPARE(PortalGlobalShortcuts::triggerFor("Escape", 0), QString("Escape"));
        QCOMPARE(PortalGlobalShortcuts::triggerFor("Escape", KeyCodes::AllModifiers),
                 QString("CTRL+ALT+SHIFT+LOGO+Escape"));
        QCOMPARE(PortalGlobalShortcuts::triggerFor(QString(), KeyCodes::AltModifier), QString());
    }

    // The first bus case of the run on purpose: the first portal of a process has to hear its
    // activations, with no earlier D-Bus reply having registered the types it listens with.
    void grantedShortcutTogglesOnItsActivationOnly()
    {
        FakePortal portal;
        QVERIFY(portal.start());
        PortalGlobalShortcuts backend(QDBusConnection::sessionBus());
        QSignalSpy finished(&backend, &GlobalShortcutBackend::registrationFinished);
        QSignalSpy activated(&backend, &GlobalShortcutBackend::activated);

        backend.registerShortcut(KeyCodes::EscapeKey, KeyCodes::AltModifier);
        QVERIFY(finished.wait());
        QCOMPARE(finished.first().at(0).value<GlobalShortcutBackend::Outcome>(),
                 GlobalShortcutBackend::Outcome::Registered);
        QCOMPARE(portal.calls, (QStringList{"Register", "CreateSession", "BindShortcuts"}));
        QCOMPARE(portal.appId, QString("org.trovia.Trovia"));
        QVERIFY(portal.session.endsWith("/trovia"));
        QCOMPARE(portal.boundSession, portal.session);
        QCOMPARE(portal.bound.keys(), QStringList{PortalGlobalShortcuts::shortcutId});
        QCOMPARE(portal.bound.first().value("preferred_trigger").toString(), QString("ALT+Escape"));
        QVERIFY(!portal.bound.first().value("description").toString().isEmpty());

        // Another session's or another shortcut's activation is not Trovia's.
        portal.activate(portal.session + "x", PortalGlobalShortcuts::shortcutId);
        portal.activate(portal.session, "other");
        portal.activate(portal.session, PortalGlobalShortcuts::shortcutId);
        QVERIFY(activated.wait());
        QCOMPARE(activated.size(), 1);
        QCOMPARE(activated.first().at(0).toUInt(), 0u);

        // Unregistering closes the session; its activations no longer count.
        const QString oldSession = portal.session;
        backend.unregisterShortcut();
        QTRY_COMPARE(portal.closed, QStringList{oldSession});
        portal.activate(oldSession, PortalGlobalShortcuts::shortcutId);
        // A fresh registration makes a new session, which is the one that toggles.
        backend.registerShortcut(KeyCodes::F1Key, KeyCodes::ControlModifier);
        QVERIFY(finished.wait());
        QVERIFY(portal.session != oldSession);
        QCOMPARE(portal.bound.first().value("preferred_trigger").toString(), QString("CTRL+F1"));
        portal.activate(portal.session, PortalGlobalShortcuts::shortcutId);
        QVERIFY(activated.wait());
        QCOMPARE(activated.size(), 2);
    }

    // What the portal lists as bound decides: a shortcut the user declined is refused; a desktop
    // that answers success but binds nothing gives Trovia no hot key, and the user has to bind the
    // toggle command.
    void outcomeFollowsWhatIsBound_data()
    {
        QTest::addColumn<uint>("response");
        QTest::addColumn<bool>("bindsShortcuts");
        QTest::addColumn<GlobalShortcutBackend::Outcome>("outcome");
        QTest::newRow("declined") << 1u << true << GlobalShortcutBackend::Outcome::Refused;
        QTest::newRow("success, nothing bound")
            << 0u << false << GlobalShortcutBackend::Outcome::Unsupported;
        // GNOME 48 answers "other" both when the user adds the shortcut (listing it) and cancels.
        QTest::newRow("other, shortcut bound")
            << 2u << true << GlobalShortcutBackend::Outcome::Registered;
        QTest::newRow("other, nothing bound")
            << 2u << false << GlobalShortcutBackend::Outcome::Refused;
    }

    void outcomeFollowsWhatIsBound()
    {
        QFETCH(uint, response);
        QFETCH(bool, bindsShortcuts);
        QFETCH(GlobalShortcutBackend::Outcome, outcome);
        FakePortal portal;
        portal.bindResponse = response;
        portal.bindsShortcuts = bindsShortcuts;
        QVERIFY(portal.start());
        PortalGlobalShortcuts backend(QDBusConnection::sessionBus());
        QSignalSpy finished(&backend, &GlobalShortcutBackend::registrationFinished);
        backend.registerShortcut(KeyCodes::EscapeKey, KeyCodes::AltModifier);
        QVERIFY(finished.wait());
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().at(0).value<GlobalShortcutBackend::Outcome>(), outcome);
    }

    // No session before the portal knows who Trovia is; a portal without the interface holds
    // nothing up. Only the latest of the registrations made meanwhile gets a session.
    void firstSessionWaitsForTheApplicationId_data()
    {
        QTest::addColumn<bool>("hasRegistry");
        QTest::newRow("registry") << true;
        QTest::newRow("no registry (portal before 1.19.3)") << false;
    }

    void firstSessionWaitsForTheApplicationId()
    {
        QFETCH(bool, hasRegistry);
        FakePortal portal;
        portal.hasRegistry = hasRegistry;
        portal.holdRegister = true;
        QVERIFY(portal.start());
        PortalGlobalShortcuts backend(QDBusConnection::sessionBus());
        QSignalSpy finished(&backend, &GlobalShortcutBackend::registrationFinished);
        backend.registerShortcut(KeyCodes::EscapeKey, KeyCodes::AltModifier);
        backend.unregisterShortcut();
        backend.registerShortcut(KeyCodes::F1Key, 0);
        // A call after those on the same connection arrives after anything they sent.
        QDBusPendingReply<> ping =
            QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(
                portal.bus.name(), portalPath, QStringLiteral("org.trovia.Test"), "Ping"));
        QTRY_VERIFY(ping.isFinished());
        if (hasRegistry) {
            QCOMPARE(portal.calls, (QStringList{"Register", "Ping"}));
            QVERIFY(finished.isEmpty());
            portal.answerRegister();
        }
        // Without the interface the answer may already be in while the ping was awaited.
        QTRY_VERIFY(!finished.isEmpty());
        QCOMPARE(finished.first().at(0).value<GlobalShortcutBackend::Outcome>(),
                 GlobalShortcutBackend::Outcome::Registered);
        portal.calls.removeAll("Ping");
        QCOMPARE(portal.calls, (QStringList{"Register", "CreateSession", "BindShortcuts"}));
        QCOMPARE(portal.bound.first().value("preferred_trigger").toString(), QString("F1"));
        QCOMPARE(finished.size(), 1);
    }

    void answersToAReplacedRegistrationAreIgnored()
    {
        FakePortal portal;
        QVERIFY(portal.start());
        PortalGlobalShortcuts backend(QDBusConnection::sessionBus());
        QSignalSpy finished(&backend, &GlobalShortcutBackend::registrationFinished);
        // Once the portal knows Trovia, a registration asks for its session at once.
        backend.registerShortcut(KeyCodes::EscapeKey, 0);
        QVERIFY(finished.wait());
        backend.unregisterShortcut();
        QTRY_COMPARE(portal.closed.size(), 1);
        portal.closed.clear();
        finished.clear();
        backend.registerShortcut(KeyCodes::EscapeKey, KeyCodes::AltModifier);
        backend.unregisterShortcut();
        backend.registerShortcut(KeyCodes::F1Key, 0);
        QVERIFY(finished.wait());
        QTRY_COMPARE(portal.closed.size(), 1); // the first, late session
        QCOMPARE(finished.size(), 1);
        QCOMPARE(portal.bound.first().value("preferred_trigger").toString(), QString("F1"));
    }
};

QTEST_GUILESS_MAIN(TestPortalShortcuts)
#include "tst_portalshortcuts.moc"
