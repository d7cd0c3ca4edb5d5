#include "FakeDBusService.h"
#include "FakeShortcutBackend.h"
#include "TemporaryConfig.h"
#include "core/KeyCodes.h"
#include "core/LocalizedStrings.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "hotkey/HotKeyManager.h"
#include "platform/portal/PortalGlobalShortcuts.h"
#include "platform/x11/XkbKeymap.h"
#include "platform/xdg/DBusNotifications.h"

#include <QDBusMessage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Outcome = GlobalShortcutBackend::Outcome;

// The desktop's notification server: records every notification.
class FakeNotificationServer : public FakeDBusService
{
public:
    FakeNotificationServer()
        : FakeDBusService(QStringLiteral("org.freedesktop.Notifications"),
                          QStringLiteral("/org/freedesktop/Notifications"))
    {
    }

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.member() != QLatin1String("Notify"))
            return false;
        notifications << message.arguments();
        connection.send(message.createReply(uint(notifications.size())));
        return true;
    }

    QList<QVariantList> notifications; // app_name, replaces_id, icon, summary, body, ...
};

class TestHotKeyManager : public QObject
{
    Q_OBJECT

    QTemporaryDir configHome;
    FakeShortcutBackend *backend = nullptr;

    // The real layout and notifications: these tests are theirs too.
    XkbKeyboardLayout keyboardLayout;
    DBusNotifications desktopNotifications;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<HotKeyManager> hotKeys;
    HotKeyManager &manager() { return *hotKeys; }

    static void useLayout(const char *layout)
    {
        qputenv("XKB_DEFAULT_RULES", "evdev");
        qputenv("XKB_DEFAULT_MODEL", "pc105");
        qputenv("XKB_DEFAULT_LAYOUT", layout);
    }

    void store(qint64 code, qint64 modifiers)
    {
        settings->setValue(HotKeyCodeKey, code);
        settings->setValue(HotKeyModifiersKey, modifiers);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(configHome.isValid());
        settings = temporarySettings(configHome);
        hotKeys = std::make_unique<HotKeyManager>(*settings, nullptr, keyboardLayout,
                                                  desktopNotifications);
    }

    void init()
    {
        useLayout("us");
        auto fake = std::make_unique<FakeShortcutBackend>();
        backend = fake.get();
        manager().setBackend(std::move(fake));
        backend->calls.clear();
        settings->remove(HotKeyCodeKey, HotKeyModifiersKey, HotKeyProblemsToldKey);
    }

    // Names by the code table first, else by what the layout types.
    void namesKeys_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("virtualKeyCode");
        QTest::addColumn<QString>("name");
        QTest::newRow("escape, by layout") << "us" << 53 << "esc";
        QTest::newRow("F1, by code") << "us" << 122 << "F1";
        QTest::newRow("letter in upper case") << "us" << 0 << "A";
        QTest::newRow("keypad enter, by code") << "us" << 76 << "\u2324";
        QTest::newRow("insert is help") << "us" << 114 << "Help";
        QTest::newRow("code no key has") << "us" << 0x34 << QString();
        QTest::newRow("German Z key") << "de" << 6 << "Y";
        QTest::newRow("no layout, F1") << "no-such-layout" << 122 << "F1";
        QTest::newRow("no layout, letter") << "no-such-layout" << 0 << QString();
    }

    void namesKeys()
    {
        QFETCH(QString, layout);
        QFETCH(int, virtualKeyCode);
        QFETCH(QString, name);
        useLayout(qPrintable(layout));
        QCOMPARE(manager().nameForKey(quint16(virtualKeyCode)), name);
    }

    // In sentences keys are named as desktops write them, not by the Preferences' glyphs.
    void combinationNames_data()
    {
        QTest::addColumn<int>("virtualKeyCode");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("name");
        QTest::newRow("escape") << 53 << int(KeyCodes::AltModifier) << "Alt+Escape";
        QTest::newRow("arrow") << 126 << int(KeyCodes::ControlModifier | KeyCodes::ShiftModifier)
                               << "Ctrl+Shift+Up";
        QTest::newRow("page down") << 121 << int(KeyCodes::SuperModifier) << "Super+Page Down";
        QTest::newRow("letter and space")
            << 49 << int(KeyCodes::ControlModifier | KeyCodes::AltModifier) << "Ctrl+Alt+Space";
        QTest::newRow("no name") << 0x34 << 0 << "key 52";
    }

    void combinationNames()
    {
        QFETCH(int, virtualKeyCode);
        QFETCH(int, modifiers);
        QFETCH(QString, name);
        QCOMPARE(manager().nameForCombination(quint16(virtualKeyCode), quint32(modifiers)), name);
    }

    // The old registration ends before the new one.
    void registersTheStoredCombinationEndingTheOldFirst()
    {
        manager().registerHotKey();
        store(122, KeyCodes::ControlModifier | KeyCodes::ShiftModifier);
        manager().registerHotKey();
        QCOMPARE(backend->calls, (QStringList{"unregister", "register 53 0x800", "unregister",
                                              "register 122 0x1200"}));
    }

    // Settings as the INI file holds them: text. What reads as no combination gives the default
    // and one log line, never what the garbage happens to convert to.
    void garbageStoredCombinationFallsBackToTheDefault_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("modifiers");
        QTest::addColumn<QString>("registered");
        const auto row = [](const char *tag, const char *code, const char *modifiers,
                            const char *registered = "register 53 0x800") {
            QTest::newRow(tag) << QString(code) << QString(modifiers) << QString(registered);
        };
        row("sound", "122", "4096", "register 122 0x1000");
        row("code is a word", "escape", "4096");
        row("code is a fraction", "12.5", "4096");
        row("modifiers are a word", "122", "alt");
        row("modifiers beyond 64 bits", "122", "99999999999999999999");
        row("modifiers negative", "122", "-1");
        // Masking the stray bit away would grab plain Escape.
        row("modifiers with another bit", "53", "65536");
    }

    void garbageStoredCombinationFallsBackToTheDefault()
    {
        QFETCH(QString, code);
        QFETCH(QString, modifiers);
        QFETCH(QString, registered);
        // As the file gives them back: text.
        settings->setValue(SettingKey<QString>{HotKeyCodeKey.name, {}}, code);
        settings->setValue(SettingKey<QString>{HotKeyModifiersKey.name, {}}, modifiers);
        // One line that names the stored garbage; none for a sound combination.
        if (QTest::currentDataTag() != QLatin1String("sound"))
            QTest::ignoreMessage(
                QtWarningMsg, QRegularExpression("\"" + QRegularExpression::escape(code) + "\""));
        QTest::failOnWarning(QRegularExpression(".*"));
        manager().registerHotKey();
        QCOMPARE(backend->calls.last(), registered);
        QCOMPARE(manager().state(), HotKeyManager::State::Registered);
    }

    void storedCodeThatIsNoKeyIsRefusedWithoutAGrab_data()
    {
        QTest::addColumn<qint64>("stored");
        QTest::newRow("negative") << qint64(-1);
        QTest::newRow("beyond 16 bits") << qint64(70000);
    }

    void storedCodeThatIsNoKeyIsRefusedWithoutAGrab()
    {
        QFETCH(qint64, stored);
        settings->setValue(HotKeyCodeKey, stored);
        QSignalSpy refused(&manager(), &HotKeyManager::registrationRefused);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(
                                               "Alt+key " + QString::number(stored))));
        manager().registerHotKey();
        QCOMPARE(backend->calls, QStringList{"unregister"});
        QCOMPARE(manager().state(), HotKeyManager::State::Invalid);
        QCOMPARE(refused.size(), 1);
    }

    void pressesReachTheApplicationWithTheirTime()
    {
        manager().registerHotKey();
        QSignalSpy pressed(&manager(), &HotKeyManager::hotKeyPressed);
        backend->press(4242);
        QCOMPARE(pressed.size(), 1);
        QCOMPARE(manager().lastPressTimestamp(), 4242u);
    }

    // A refused combination: one log line, the signal, and a desktop notification.
    void refusalIsLoggedAndNotified()
    {
        FakeNotificationServer notifications;
        QVERIFY(notifications.start());
        backend->next = {Outcome::Refused, "another X client holds the key combination"};
        QSignalSpy refused(&manager(), &HotKeyManager::registrationRefused);
        QSignalSpy notShown(&manager(), &HotKeyManager::refusalNotShown);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("another X client holds the key combination"));
        QTest::failOnWarning(QRegularExpression(".*"));
        manager().registerHotKey();

        QCOMPARE(refused.size(), 1);
        const QString message = refused.first().at(0).toString();
        QVERIFY(message.contains("Alt+Escape"));

        QTRY_COMPARE(notifications.notifications.size(), 1);
        QCOMPARE(notifications.notifications.first().at(4).toString(), message);
        QVERIFY(notShown.isEmpty());

        // Told once: the same refusal again is only logged.
        QTRY_VERIFY(!settings->value(HotKeyProblemsToldKey).isEmpty());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not registered"));
        manager().registerHotKey();
        QVERIFY(!notShown.wait(300));
        QCOMPARE(notifications.notifications.size(), 1);

        // A working registration afterwards clears the refusal.
        backend->next = {Outcome::Registered, {}};
        manager().registerHotKey();
        QVERIFY(manager().refusalMessage().isEmpty());
    }

    // Each problem has its own title: a taken key, a desktop without hot keys, a stored code that
    // is no key.
    void problemsAreTitledByWhatWentWrong_data()
    {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<qint64>("code");
        QTest::addColumn<QString>("titleKey");
        QTest::newRow("taken") << int(Outcome::Refused) << qint64(53) << "HotKeyRefusedTitle";
        QTest::newRow("no hot keys")
            << int(Outcome::Unsupported) << qint64(53) << "HotKeyUnsupportedTitle";
        QTest::newRow("stored code is no key")
            << int(Outcome::Refused) << qint64(70000) << "HotKeyInvalidTitle";
    }

    void problemsAreTitledByWhatWentWrong()
    {
        QFETCH(int, outcome);
        QFETCH(qint64, code);
        QFETCH(QString, titleKey);
        FakeNotificationServer notifications;
        QVERIFY(notifications.start());
        backend->next = {Outcome(outcome), "detail"};
        store(code, KeyCodes::AltModifier);
        manager().registerHotKey();
        QTRY_COMPARE(notifications.notifications.size(), 1);
        const QString title = notifications.notifications.first().at(3).toString();
        QCOMPARE(title, LocalizedStrings::text(titleKey));
        QVERIFY(title != titleKey);
    }

    void lateAnswersSettleAPendingRegistration()
    {
        backend->next = {Outcome::Pending, {}};
        manager().registerHotKey();
        QCOMPARE(manager().state(), HotKeyManager::State::Pending);
        backend->answer(Outcome::Registered);
        QCOMPARE(manager().state(), HotKeyManager::State::Registered);
        // An answer nobody waits for changes nothing.
        QSignalSpy refused(&manager(), &HotKeyManager::registrationRefused);
        backend->answer(Outcome::Refused, "late");
        QCOMPARE(manager().state(), HotKeyManager::State::Registered);
        QVERIFY(refused.isEmpty());
    }

    // On Wayland without the portal the user is told to bind the toggle command.
    void waylandWithoutPortalTellsHowToBindTheToggle()
    {
        manager().setBackend(
            std::make_unique<PortalGlobalShortcuts>(QDBusConnection::sessionBus()));
        QSignalSpy refused(&manager(), &HotKeyManager::registrationRefused);
        manager().registerHotKey();
        QCOMPARE(manager().state(), HotKeyManager::State::Pending);
        QVERIFY(refused.wait());
        QCOMPARE(manager().state(), HotKeyManager::State::Unsupported);
        QVERIFY(refused.first().at(0).toString().contains("trovia --toggle"));
    }

    void withoutDesktopServiceTheWindowMustTell()
    {
        // Neither X nor Wayland: the offscreen platform has no desktop to take a hot key.
        manager().setBackend(nullptr);
        QSignalSpy notShown(&manager(), &HotKeyManager::refusalNotShown);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("offscreen"));
        manager().registerHotKey();
        QCOMPARE(manager().state(), HotKeyManager::State::Unsupported);
        QCOMPARE(notShown.size(), 1);
        QCOMPARE(notShown.first().at(0).toString(),
                 LocalizedStrings::text(QStringLiteral("HotKeyUnsupportedTitle")));
    }
};

QTEST_MAIN(TestHotKeyManager)
#include "tst_hotkeymanager.moc"
