// One desktop scenario for the real trovia program, run under each desktop Trovia supports. The
// runner starts the desktop and says how it shows Trovia:
//   TROVIA_E2E_SHOW=hotkey (default): Trovia's own hot key, pressed through XTest;
//   TROVIA_E2E_SHOW=toggle: `trovia --toggle`, as a desktop's key binding runs it.
//   TROVIA_TEST_TRAY=i3bar|trayer: the desktop has an XEmbed tray for Trovia's icon.
#include "TroviaSession.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QRect>
#include <QSettings>
#include <QTest>
#include <cstdlib>
#include <xcb/xcb.h>

namespace
{

const QString hotKey = QStringLiteral("alt+Escape");
// Where the window is saved, in Trovia's coordinates (origin at the lower left of the screen).
constexpr int savedX = 240;
constexpr int savedY = 300;
constexpr int screenHeight = 900;

bool showByToggle()
{
    return qgetenv("TROVIA_E2E_SHOW") == "toggle";
}

// Whether Trovia answers on the session bus: it does so only once its start-up, the hot key's
// grab included, is done.
bool troviaAnswers()
{
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        QStringLiteral("org.trovia.Trovia"), QStringLiteral("/"),
        QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    return QDBusConnection::sessionBus().call(ping, QDBus::Block, 2000).type() ==
           QDBusMessage::ReplyMessage;
}

// The window's EWMH states, as xprop lists them.
QString windowStates(const QString &window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_STATE")});
    xprop.waitForFinished(10000);
    return QString::fromUtf8(xprop.readAllStandardOutput());
}

// The place among the root window's children, bottom first, of the top-level window (a window
// manager's frame, or the window itself) that holds window; -1 when unknown.
int stackingIndex(xcb_connection_t *connection, xcb_window_t window)
{
    for (;;) {
        xcb_query_tree_reply_t *tree =
            xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
        if (!tree)
            return -1;
        const xcb_window_t root = tree->root;
        const xcb_window_t parent = tree->parent;
        free(tree);
        if (parent != root && parent != XCB_WINDOW_NONE) {
            window = parent;
            continue;
        }
        xcb_query_tree_reply_t *top =
            xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
        if (!top)
            return -1;
        const xcb_window_t *children = xcb_query_tree_children(top);
        int index = -1;
        for (int i = 0; i < xcb_query_tree_children_length(top); ++i) {
            if (children[i] == window)
                index = i;
        }
        free(top);
        return index;
    }
}

// Whether upper is stacked above lower on the X server, frames included.
bool stackedAbove(const QString &upper, const QString &lower)
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const int upperIndex = stackingIndex(connection, upper.toUInt());
    const int lowerIndex = stackingIndex(connection, lower.toUInt());
    xcb_disconnect(connection);
    return upperIndex >= 0 && lowerIndex >= 0 && upperIndex > lowerIndex;
}

} // namespace

// Toggles Trovia the runner's way.
bool toggleTrovia(TroviaSession &session)
{
    return showByToggle() ? session.runAnother({QStringLiteral("--toggle")}) == 0
                          : TroviaSession::key(hotKey);
}

// Shows Trovia the runner's way and waits for its focused main window.
#define SHOW_TROVIA(session)                                                                       \
    do {                                                                                           \
        QVERIFY(toggleTrovia(session));                                                            \
        QTRY_VERIFY_WITH_TIMEOUT(!TroviaSession::mainWindow().isEmpty(), 10000);                   \
        QTRY_COMPARE(TroviaSession::activeWindow(), TroviaSession::mainWindow());                  \
    } while (false)

class TestDesktop : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void showsFocusedFloatingAtTheSavedOrigin();
    void listIsAboveTheMainWindowRightUnderTheField();
    void returnLaunchesAndEscapeHides();
    void launchedProgramGetsTheFocus();
    void trayIconStaysAndItsClickToggles();

private:
    void startHidden();
    std::unique_ptr<TroviaSession> session;
};

void TestDesktop::init()
{
    session = std::make_unique<TroviaSession>();
    session->addEntry(QStringLiteral("alpha"), QStringLiteral("Alpha Editor"));
    session->addEntry(QStringLiteral("alpine"), QStringLiteral("Alpine Maps"));
    session->addEntry(QStringLiteral("beta"), QStringLiteral("Beta Browser"));
    QSettings settings(session->settingsPath(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Main Window X"), savedX);
    settings.setValue(QStringLiteral("Main Window Y"), savedY);
}

void TestDesktop::cleanup()
{
    // A failed step leaves no Trovia behind for the next one.
    session.reset();
}

void TestDesktop::startHidden()
{
    // Started as at login; the first showing is the user's.
    QVERIFY(session->start({QStringLiteral("--hidden")}));
    QTRY_VERIFY_WITH_TIMEOUT(troviaAnswers(), 10000);
    QVERIFY(session->isRunning());
}

void TestDesktop::showsFocusedFloatingAtTheSavedOrigin()
{
    startHidden();
    QVERIFY(TroviaSession::mainWindow().isEmpty());
    SHOW_TROVIA(*session);
    // Typed keys reach the field.
    TROVIA_TYPE_TO_LIST("alp");

    // Floating, at its own size, where it was saved (Qt's y counts down from the top).
    const QRect main = TroviaSession::windowGeometry(TroviaSession::mainWindow());
    QVERIFY2(main.width() < 1440 / 2 && main.height() < screenHeight / 2,
             qPrintable(QStringLiteral("tiled to %1x%2").arg(main.width()).arg(main.height())));
    QCOMPARE(main.topLeft(), QPoint(savedX, screenHeight - savedY - main.height()));
    // Not a task: out of taskbars, pagers and window switchers.
    const QString states = windowStates(TroviaSession::mainWindow());
    QVERIFY2(states.contains(QLatin1String("_NET_WM_STATE_SKIP_TASKBAR")) &&
                 states.contains(QLatin1String("_NET_WM_STATE_SKIP_PAGER")),
             qPrintable(states));
}

void TestDesktop::listIsAboveTheMainWindowRightUnderTheField()
{
    startHidden();
    SHOW_TROVIA(*session);
    TROVIA_TYPE_TO_LIST("alp");
    const QString mainWindow = TroviaSession::mainWindow();
    const QString list = TroviaSession::resultList();
    const QRect main = TroviaSession::windowGeometry(mainWindow);
    const QRect rows = TroviaSession::windowGeometry(list);
    // The field lies inside the main window: so does the list's top edge, and its right edge is
    // the field's, within the window.
    QVERIFY2(rows.top() > main.top() && rows.top() < main.top() + main.height(),
             qPrintable(QStringLiteral("list at y %1, window %2..%3")
                            .arg(rows.top())
                            .arg(main.top())
                            .arg(main.top() + main.height())));
    QVERIFY(rows.left() >= main.left() && rows.left() + rows.width() <= main.left() + main.width());
    QVERIFY(rows.height() > 0);
    QTRY_VERIFY(stackedAbove(list, mainWindow));
    // Still in front after the list changes while it is shown.
    QVERIFY(TroviaSession::type(QStringLiteral("i")));
    QTRY_VERIFY(stackedAbove(TroviaSession::resultList(), mainWindow));
    // And after a click on the main window, which window managers raise.
    QVERIFY(TroviaSession::click(mainWindow));
    QTRY_VERIFY(stackedAbove(TroviaSession::resultList(), mainWindow));
    QCOMPARE(TroviaSession::activeWindow(), mainWindow);
}

void TestDesktop::returnLaunchesAndEscapeHides()
{
    startHidden();
    SHOW_TROVIA(*session);
    TROVIA_TYPE_TO_LIST("bet");
    QVERIFY(TroviaSession::key(QStringLiteral("Return")));
    QTRY_COMPARE(session->launches(), QStringList{QStringLiteral("beta")});
    QTRY_VERIFY(TroviaSession::mainWindow().isEmpty());

    SHOW_TROVIA(*session);
    QVERIFY(TroviaSession::resultList().isEmpty());
    QVERIFY(TroviaSession::key(QStringLiteral("Escape")));
    QTRY_VERIFY(TroviaSession::mainWindow().isEmpty());
    QVERIFY(session->isRunning());

    // Shown again by the other way too, focused as well.
    QCOMPARE(session->runAnother({QStringLiteral("--toggle")}), 0);
    QTRY_VERIFY(!TroviaSession::mainWindow().isEmpty());
    QTRY_COMPARE(TroviaSession::activeWindow(), TroviaSession::mainWindow());
    TROVIA_TYPE_TO_LIST("alp");
}

void TestDesktop::launchedProgramGetsTheFocus()
{
    session->addWindowEntry(QStringLiteral("viewer"), QStringLiteral("Viewer Window"));
    startHidden();
    SHOW_TROVIA(*session);
    TROVIA_TYPE_TO_LIST("view");
    QVERIFY(TroviaSession::key(QStringLiteral("Return")));
    QString launched;
    QTRY_VERIFY_WITH_TIMEOUT(
        !(launched = TroviaSession::windowNamed(QStringLiteral("Viewer Window"))).isEmpty(), 15000);
    QTRY_COMPARE(TroviaSession::activeWindow(), launched);
    QVERIFY(TroviaSession::mainWindow().isEmpty());
    // It was started with a startup notification stamped with the time of the Return press, the
    // same id as its activation token, in a session of its own.
    QCOMPARE(session->launches().size(), 1);
    const QStringList record = session->launches().constFirst().split(QLatin1Char(' '));
    QCOMPARE(record.size(), 3);
    const QString startupId = record[0];
    QVERIFY2(startupId.section(QStringLiteral("_TIME"), -1).toUInt() > 0, qPrintable(startupId));
    QCOMPARE(record[1], startupId);
    QCOMPARE(record[2], QStringLiteral("own-session"));
}

void TestDesktop::trayIconStaysAndItsClickToggles()
{
    const QByteArray tray = qgetenv("TROVIA_TEST_TRAY");
    if (tray.isEmpty())
        QSKIP("this desktop has no XEmbed tray");
    startHidden();
    QString icon;
    QTRY_VERIFY_WITH_TIMEOUT(!(icon = TroviaSession::trayIcon()).isEmpty(), 10000);

    QVERIFY(TroviaSession::click(icon));
    QTRY_VERIFY(!TroviaSession::mainWindow().isEmpty());
    QTRY_COMPARE(TroviaSession::activeWindow(), TroviaSession::mainWindow());
    TROVIA_TYPE_TO_LIST("alp");

    // Hidden and shown again the other way: the icon stays, and stays out of the front.
    QVERIFY(toggleTrovia(*session));
    QTRY_VERIFY(TroviaSession::mainWindow().isEmpty());
    QCOMPARE(TroviaSession::trayIcon(), icon);
    SHOW_TROVIA(*session);
    TROVIA_TYPE_TO_LIST("bet");

    // Away from the first click's spot, so that it is no double click however fast.
    QVERIFY(TroviaSession::click(icon, QPoint(1, 1)));
    QTRY_VERIFY(TroviaSession::mainWindow().isEmpty());
    QCOMPARE(TroviaSession::trayIcon(), icon);
}

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_e2e_desktop.moc"
