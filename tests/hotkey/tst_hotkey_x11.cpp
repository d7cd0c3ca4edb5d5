#include "TemporaryConfig.h"
#include "core/KeyCodes.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "hotkey/HotKeyManager.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11HotKeyGrab.h"
#include "platform/x11/XkbKeymap.h"
#include "platform/xdg/DBusNotifications.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace
{
// X keycodes of the server's (evdev) keymap.
constexpr quint8 escape = 9, altLeft = 64, controlLeft = 37, f1 = 67, numLock = 77, capsLock = 66;
// Every lock-key variant of a grab: Caps Lock, and Num Lock on Mod2.
constexpr quint16 lockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                    XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
} // namespace

// Another X client: presses keys through XTEST, holds grabs of its own, and leaves marks on the
// root window that reach Trovia's connection after everything it sent before.
class OtherXClient
{
public:
    OtherXClient() : connection(xcb_connect(nullptr, nullptr))
    {
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const QByteArray name = "TROVIA_TEST_MARK";
        auto *reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, quint16(name.size()), name.constData()),
            nullptr);
        markAtom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
    }
    ~OtherXClient() { xcb_disconnect(connection); }

    bool ok() const { return !xcb_connection_has_error(connection) && markAtom != XCB_ATOM_NONE; }

    void key(quint8 keycode, bool down)
    {
        xcb_test_fake_input(connection, down ? XCB_KEY_PRESS : XCB_KEY_RELEASE, keycode,
                            XCB_CURRENT_TIME, root, 0, 0, 0);
        xcb_flush(connection);
    }

    void tap(const QList<quint8> &modifiers, quint8 keycode)
    {
        for (quint8 modifier : modifiers)
            key(modifier, true);
        key(keycode, true);
        key(keycode, false);
        for (auto it = modifiers.crbegin(); it != modifiers.crend(); ++it)
            key(*it, false);
    }

    bool grab(quint16 modifiers, quint8 keycode)
    {
        xcb_generic_error_t *error = xcb_request_check(
            connection, xcb_grab_key_checked(connection, 1, root, modifiers, keycode,
                                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        const bool granted = !error;
        std::free(error);
        return granted;
    }

    // Waits for the server to have handled it: a flush alone lets Trovia's next grab, sent on its
    // own connection, overtake the release.
    void ungrab(quint16 modifiers, quint8 keycode)
    {
        std::free(xcb_request_check(connection,
                                    xcb_ungrab_key_checked(connection, keycode, root, modifiers)));
    }

    void mark()
    {
        const quint32 value = ++marks;
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, markAtom, XCB_ATOM_CARDINAL,
                            32, 1, &value);
        xcb_flush(connection);
    }

    xcb_connection_t *connection;
    xcb_window_t root = XCB_WINDOW_NONE;
    xcb_atom_t markAtom = XCB_ATOM_NONE;
    int marks = 0;
};

// Watches Trovia's own connection, ahead of the hot key's filter.
class ConnectionWatcher : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
    {
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        const quint8 type = event->response_type & 0x7f;
        if (type == XCB_PROPERTY_NOTIFY &&
            reinterpret_cast<const xcb_property_notify_event_t *>(event)->atom == markAtom)
            ++marksSeen;
        if (type == XCB_KEY_PRESS &&
            reinterpret_cast<const xcb_key_press_event_t *>(event)->detail == escape)
            ++escapePresses;
        return false;
    }

    xcb_atom_t markAtom = XCB_ATOM_NONE;
    int marksSeen = 0;
    int escapePresses = 0;
};

// The hot key on a real X server (Xvfb), pressed through XTEST.
class TestHotKeyX11 : public QObject
{
    Q_OBJECT

    QTemporaryDir configHome;
    OtherXClient other;
    ConnectionWatcher watcher;

    XkbKeyboardLayout keyboardLayout;
    DBusNotifications notifications;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<HotKeyManager> hotKeys;
    HotKeyManager &manager() { return *hotKeys; }

    // Returns once Trovia's connection has seen everything the other client sent so far.
    bool everythingArrived()
    {
        other.mark();
        return QTest::qWaitFor([this] { return watcher.marksSeen == other.marks; }, 10000);
    }

    void store(quint16 code, quint32 modifiers)
    {
        settings->setValue(HotKeyCodeKey, code);
        settings->setValue(HotKeyModifiersKey, modifiers);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        QVERIFY(configHome.isValid());
        settings = temporarySettings(configHome);
        hotKeys = std::make_unique<HotKeyManager>(
            *settings, std::make_unique<X11HotKeyGrab>(X11::qtConnection()), keyboardLayout,
            notifications);
        QVERIFY(other.ok());
        watcher.markAtom = other.markAtom;
        // Installed after the hot key's filter, the watcher sees events first.
        manager().registerHotKey();
        qApp->installNativeEventFilter(&watcher);
        // Trovia's connection hears of property changes on the root window.
        xcb_connection_t *trovia = X11::qtConnection();
        auto *attributes = xcb_get_window_attributes_reply(
            trovia, xcb_get_window_attributes(trovia, other.root), nullptr);
        QVERIFY(attributes);
        const quint32 mask = attributes->your_event_mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
        std::free(attributes);
        xcb_change_window_attributes(trovia, other.root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(trovia);
        QVERIFY(everythingArrived());
    }

    void cleanup() { settings->remove(HotKeyCodeKey, HotKeyModifiersKey); }

    void namesKeysWithTheServersLayout()
    {
        // The default rules would say German; the server's keymap is what counts.
        qputenv("XKB_DEFAULT_LAYOUT", "de");
        QCOMPARE(manager().nameForKey(6), QString("Z"));
        QCOMPARE(QProcess::execute("setxkbmap", {"de"}), 0);
        QCOMPARE(manager().nameForKey(6), QString("Y"));
        QCOMPARE(QProcess::execute("setxkbmap", {"us"}), 0);
        QCOMPARE(manager().nameForKey(6), QString("Z"));
    }

    void defaultHotKeyFiresOncePerPress_data()
    {
        QTest::addColumn<QList<quint8>>("locks");
        QTest::newRow("no lock") << QList<quint8>{};
        QTest::newRow("both locks") << QList<quint8>{numLock, capsLock};
    }

    void defaultHotKeyFiresOncePerPress()
    {
        QFETCH(QList<quint8>, locks);
        manager().registerHotKey();
        QCOMPARE(manager().state(), HotKeyManager::State::Registered);
        QSignalSpy pressed(&manager(), &HotKeyManager::hotKeyPressed);

        for (quint8 lock : locks)
            other.tap({}, lock);
        other.tap({altLeft}, escape);
        QVERIFY(everythingArrived());
        for (quint8 lock : locks)
            other.tap({}, lock);
        QVERIFY(everythingArrived());

        QCOMPARE(pressed.size(), 1);
        QVERIFY(manager().lastPressTimestamp() != 0);
    }

    void heldHotKeyFiresOnce()
    {
        manager().registerHotKey();
        QSignalSpy pressed(&manager(), &HotKeyManager::hotKeyPressed);
        const int before = watcher.escapePresses;
        other.key(altLeft, true);
        other.key(escape, true);
        // The server repeats the held key.
        QTRY_VERIFY_WITH_TIMEOUT(watcher.escapePresses >= before + 3, 10000);
        other.key(escape, false);
        other.key(altLeft, false);
        QVERIFY(everythingArrived());
        QCOMPARE(pressed.size(), 1);
    }

    void reRegistrationEndsTheOldGrab()
    {
        manager().registerHotKey();
        store(KeyCodes::F1Key, KeyCodes::ControlModifier);
        manager().registerHotKey();
        QCOMPARE(manager().state(), HotKeyManager::State::Registered);
        QSignalSpy pressed(&manager(), &HotKeyManager::hotKeyPressed);

        other.tap({altLeft}, escape);
        other.tap({controlLeft, altLeft}, f1);
        QVERIFY(everythingArrived());
        QCOMPARE(pressed.size(), 0);
        other.tap({controlLeft}, f1);
        QVERIFY(everythingArrived());
        QCOMPARE(pressed.size(), 1);

        // Nobody holds Alt+Escape any more.
        QVERIFY(other.grab(XCB_MOD_MASK_1, escape));
        other.ungrab(XCB_MOD_MASK_1, escape);
    }

    void combinationHeldByAnotherClientIsRefused()
    {
        // The other client holds only the variant with Num Lock on.
        QVERIFY(other.grab(XCB_MOD_MASK_1 | XCB_MOD_MASK_2, escape));
        QSignalSpy refused(&manager(), &HotKeyManager::registrationRefused);
        QSignalSpy notShown(&manager(), &HotKeyManager::refusalNotShown);
        QSignalSpy pressed(&manager(), &HotKeyManager::hotKeyPressed);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Alt\\+Escape"));
        manager().registerHotKey();

        QCOMPARE(manager().state(), HotKeyManager::State::Refused);
        // No notification server on this session's bus: the window has to tell.
        QVERIFY(notShown.wait());
        QCOMPARE(notShown.first().at(1).toString(), refused.first().at(0).toString());

        // Trovia kept none of the variants it did get.
        other.ungrab(XCB_MOD_MASK_1 | XCB_MOD_MASK_2, escape);
        for (quint16 lock : lockVariants)
            QVERIFY(other.grab(XCB_MOD_MASK_1 | lock, escape));
        other.tap({altLeft}, escape);
        QVERIFY(everythingArrived());
        QCOMPARE(pressed.size(), 0);
        for (quint16 lock : lockVariants)
            other.ungrab(XCB_MOD_MASK_1 | lock, escape);

        // Once the other client lets go, registering again works.
        manager().registerHotKey();
        QCOMPARE(manager().state(), HotKeyManager::State::Registered);
        other.tap({altLeft}, escape);
        QVERIFY(everythingArrived());
        QCOMPARE(pressed.size(), 1);
    }
};

QTEST_MAIN(TestHotKeyX11)
#include "tst_hotkey_x11.moc"
