// The real trovia program under Xvfb and openbox: a hot key changed in the Preferences window
// takes over at once from the old one.
#include "TroviaSession.h"

#include <QSettings>
#include <QTest>
#include <cstdlib>
#include <xcb/xcb.h>

namespace
{

const QString preferencesTitle = QStringLiteral("Trovia Preferences");
constexpr xcb_keycode_t escapeKeycode = 9;
constexpr xcb_keycode_t f8Keycode = 74;
constexpr quint16 f8VirtualKey = 100;

// Whether another X client may take Alt with the key: false while Trovia holds the combination.
bool combinationIsFree(xcb_keycode_t keycode)
{
    xcb_connection_t *other = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(other)) {
        xcb_disconnect(other);
        return false;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(other)).data;
    xcb_generic_error_t *error = xcb_request_check(
        other, xcb_grab_key_checked(other, 1, screen->root, XCB_MOD_MASK_1, keycode,
                                    XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    const bool taken = error != nullptr;
    free(error);
    xcb_disconnect(other);
    return !taken;
}

} // namespace

class TestPreferencesEndToEnd : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hotKeyChangedInTheWindowTakesOverAtOnce();
};

void TestPreferencesEndToEnd::hotKeyChangedInTheWindowTakesOverAtOnce()
{
    TroviaSession session;
    session.addEntry(QStringLiteral("alpha"), QStringLiteral("Alpha Editor"));
    TROVIA_START_SHOWN(session);
    QVERIFY(!combinationIsFree(escapeKeycode));

    // Ctrl+, opens the Preferences in front, with the focus.
    QVERIFY(TroviaSession::key(QStringLiteral("ctrl+comma")));
    QString preferences;
    QTRY_VERIFY_WITH_TIMEOUT(
        !(preferences = TroviaSession::windowNamed(preferencesTitle)).isEmpty(), 10000);
    QTRY_COMPARE(TroviaSession::activeWindow(), preferences);

    // Alt+K puts the focus in the key field (its label's mnemonic); F8 becomes the hot key, with
    // Alt still ticked.
    QVERIFY(TroviaSession::key(QStringLiteral("alt+k")));
    QVERIFY(TroviaSession::key(QStringLiteral("F8")));
    QTRY_COMPARE(QSettings(session.settingsPath(), QSettings::IniFormat)
                     .value(QStringLiteral("Hot Key Code"))
                     .toInt(),
                 int(f8VirtualKey));

    // The old combination is let go, so any program may take it again.
    QTRY_VERIFY(combinationIsFree(escapeKeycode));
    QVERIFY(!combinationIsFree(f8Keycode));

    // The new one toggles Trovia: away, and back.
    QVERIFY(TroviaSession::key(QStringLiteral("alt+F8")));
    QTRY_VERIFY(TroviaSession::mainWindow().isEmpty());
    QVERIFY(TroviaSession::windowNamed(preferencesTitle).isEmpty());
    QVERIFY(TroviaSession::key(QStringLiteral("alt+F8")));
    QTRY_VERIFY(!TroviaSession::mainWindow().isEmpty());
    QVERIFY(session.isRunning());
}

QTEST_GUILESS_MAIN(TestPreferencesEndToEnd)
#include "tst_e2e_preferences.moc"
