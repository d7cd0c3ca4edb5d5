// The real trovia program under Xvfb and openbox, driven by real key presses.
#include "ActivatableApplication.h"
#include "TroviaSession.h"
#include "core/LocalizedStrings.h"
#include "core/PropertyList.h"

#include <QFile>
#include <QScopeGuard>
#include <QSettings>
#include <QTest>
#include <csignal>
#include <unistd.h>
#include <xcb/xcb.h>

namespace
{
const QString hotKey = QStringLiteral("alt+Escape");
}

// Brings Trovia back with the hot key and waits for its focused window.
#define SHOW_BY_HOT_KEY()                                                                          \
    do {                                                                                           \
        QVERIFY(TroviaSession::key(hotKey));                                                       \
        QTRY_VERIFY(!TroviaSession::mainWindow().isEmpty());                                       \
        QTRY_COMPARE(TroviaSession::activeWindow(), TroviaSession::mainWindow());                  \
    } while (false)

#define HIDE_BY_HOT_KEY()                                                                          \
    do {                                                                                           \
        QVERIFY(TroviaSession::key(hotKey));                                                       \
        QTRY_VERIFY(TroviaSession::mainWindow().isEmpty());                                        \
    } while (false)

// A D-Bus activatable program on the test's bus: keeps the platform data of each activation.
class TestEndToEnd : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void hotKeyShowsTheFocusedWindowAndHidesIt();
    void typingDuringARefreshFindsTheNewEntry();
    void typingDownReturnLaunchesAndCounts();
    void typingAnActionsNameLaunchesTheAction();
    void escapeClearsThenHides();
    void focusOnAnotherProgramHidesAndClears();
    void onlySpacesAndReturnDoNothing();
    void deletedEntryShowsTheAlertAndLeavesTheList();
    void ctrlReturnShowsTheEntryInTheFileManager();
    void secondStartTogglesTheFirst();
    void takenHotKeyIsReportedAndTroviaKeepsRunning();
    void windowOriginSurvivesARestartBySigterm();
    void historySurvivesAFullDisk();
    void launchedProgramOutlivesTrovia();
    void dbusActivationCarriesTheActivationToken();

private:
    std::unique_ptr<TroviaSession> session;
};

void TestEndToEnd::init()
{
    session = std::make_unique<TroviaSession>();
    session->addEntry(QStringLiteral("alpha"), QStringLiteral("Alpha Editor"));
    session->addEntry(QStringLiteral("alpine"), QStringLiteral("Alpine Maps"));
    session->addEntry(QStringLiteral("beta"), QStringLiteral("Beta Browser"));
    session->addEntry(QStringLiteral("doomed"), QStringLiteral("Doomed Viewer"));
}

void TestEndToEnd::hotKeyShowsTheFocusedWindowAndHidesIt()
{
    TROVIA_START_SHOWN(*session);
    HIDE_BY_HOT_KEY();
    session->addEntry(QStringLiteral("gamma"), QStringLiteral("Gamma Game"));

    SHOW_BY_HOT_KEY();
    // Typing goes to the field at once, and finds the entry added while Trovia was hidden.
    TROVIA_TYPE_TO_LIST("gam");

    // Hidden with a query, back empty: no list until something is typed.
    HIDE_BY_HOT_KEY();
    QVERIFY(TroviaSession::resultList().isEmpty());
    SHOW_BY_HOT_KEY();
    QVERIFY(TroviaSession::resultList().isEmpty());
}

void TestEndToEnd::typingDuringARefreshFindsTheNewEntry()
{
    // Enough entries that a rebuild takes a while.
    for (int i = 0; i < 3000; ++i)
        session->addEntry(QStringLiteral("filler%1").arg(i), QStringLiteral("Filler %1").arg(i));
    TROVIA_START_SHOWN(*session);
    // Each build leaves the snapshot the next start matches against.
    QTRY_VERIFY(QFile::exists(session->environment().value(QStringLiteral("XDG_CACHE_HOME")) +
                              QStringLiteral("/Trovia/catalogue")));
    HIDE_BY_HOT_KEY();
    // The folder changes: showing Trovia starts a rebuild, and the keys follow at once.
    session->addEntry(QStringLiteral("zeta"), QStringLiteral("Zeta Zoomer"));
    SHOW_BY_HOT_KEY();
    TROVIA_TYPE_TO_LIST("zet");
    QVERIFY(TroviaSession::key(QStringLiteral("Return")));
    QTRY_COMPARE(session->launches(), QStringList{QStringLiteral("zeta")});
}

void TestEndToEnd::typingDownReturnLaunchesAndCounts()
{
    TROVIA_START_SHOWN(*session);
    // "Alpha Editor" and "Alpine Maps" rank alike; the name puts Alpha first.
    TROVIA_TYPE_TO_LIST("alp");
    QVERIFY(TroviaSession::key(QStringLiteral("Down")));
    QVERIFY(TroviaSession::key(QStringLiteral("Return")));
    QTRY_COMPARE(session->launches(), QStringList{QStringLiteral("alpine")});
    QTRY_COMPARE(session->usageCount(QStringLiteral("alpine")), 1);
    QTRY_VERIFY(TroviaSession::mainWindow().isEmpty());

    // Launched once, Alpine now ranks first.
    SHOW_BY_HOT_KEY();
    TROVIA_TYPE_TO_LIST("alp");
    QVERIFY(TroviaSession::key(QStringLiteral("KP_Enter")));
    QTRY_COMPARE(session->launches().size(), 2);
    QCOMPARE(session->launches().last(), QStringLiteral("alpine"));
    QTRY_COMPARE(session->usageCount(QStringLiteral("alpine")), 2);
    QCOMPARE(session->usageCount(QStringLiteral("alpha")), 0);
}

void TestEndToEnd::typingAnActionsNameLaunchesTheAction()
{
    session->addEntryWithAction(QStringLiteral("fox"), QStringLiteral("Fox"),
                                QStringLiteral("private"), QStringLiteral("New Private Window"));
    TROVIA_START_SHOWN(*session);
    // No name has "priv" in it: the action's row is the list.
    TROVIA_TYPE_TO_LIST("priv");
    QVERIFY(TroviaSession::key(QStringLiteral("Return")));
    QTRY_COMPARE(session->launches(), QStringList{QStringLiteral("fox-private")});
    QTRY_COMPARE(session->usageCount(QStringLiteral("fox"), QStringLiteral("private")), 1);
    QCOMPARE(session->usageCount(QStringLiteral("fox")), 0);
}

void TestEndToEnd::escapeClearsThenHides()
{
    TROVIA_START_SHOWN(*session);
    TROVIA_TYPE_TO_LIST("alp");
    QVERIFY(TroviaSession::key(QStringLiteral("Escape")));
    QTRY_VERIFY(TroviaSession::resultList().isEmpty());
    QCOMPARE(TroviaSession::activeWindow(), TroviaSession::mainWindow());

    // The field was emptied: "eta" alone finds Beta ("alpeta" would find nothing).
    TROVIA_TYPE_TO_LIST("eta");
    QVERIFY(TroviaSession::key(QStringLiteral("Escape")));
    QTRY_VERIFY(TroviaSession::resultList().isEmpty());

    QVERIFY(TroviaSession::key(QStringLiteral("Escape")));
    QTRY_VERIFY(TroviaSession::mainWindow().isEmpty());
    QVERIFY(session->isRunning());
    QVERIFY(session->launches().isEmpty());
}

void TestEndToEnd::focusOnAnotherProgramHidesAndClears()
{
    TROVIA_START_SHOWN(*session);
    TROVIA_TYPE_TO_LIST("alp");

    QProcess other;
    other.start(
        QStringLiteral("xmessage"),
        {QStringLiteral("-title"), QStringLiteral("Another Program"), QStringLiteral("hello")});
    QVERIFY(other.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(
        !TroviaSession::windowNamed(QStringLiteral("Another Program")).isEmpty(), 10000);
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("windowactivate"),
                       TroviaSession::windowNamed(QStringLiteral("Another Program"))});
    QTRY_VERIFY(TroviaSession::mainWindow().isEmpty());
    QVERIFY(TroviaSession::resultList().isEmpty());

    // Back with an empty field: "eta" alone finds Beta ("alpeta" would find nothing).
    SHOW_BY_HOT_KEY();
    TROVIA_TYPE_TO_LIST("eta");
    other.kill();
    other.waitForFinished();
}

void TestEndToEnd::onlySpacesAndReturnDoNothing()
{
    TROVIA_START_SHOWN(*session);
    QVERIFY(TroviaSession::type(QStringLiteral("   ")));
    QVERIFY(TroviaSession::key(QStringLiteral("Return")));
    // Then something that does show: the spaces and Return changed nothing on the way.
    TROVIA_TYPE_TO_LIST("bet");
    QCOMPARE(TroviaSession::activeWindow(), TroviaSession::mainWindow());
    QVERIFY(session->launches().isEmpty());
    QCOMPARE(session->usageCount(QStringLiteral("beta")), 0);
}

void TestEndToEnd::deletedEntryShowsTheAlertAndLeavesTheList()
{
    TROVIA_START_SHOWN(*session);
    TROVIA_TYPE_TO_LIST("doo");
    QVERIFY(QFile::remove(session->entryPath(QStringLiteral("doomed"))));

    QVERIFY(TroviaSession::key(QStringLiteral("Return")));
    const QString alertTitle = LocalizedStrings::text(QStringLiteral("CouldNotLaunchAppTitle"));
    QTRY_VERIFY_WITH_TIMEOUT(!TroviaSession::windowNamed(alertTitle).isEmpty(), 10000);
    QTRY_COMPARE(TroviaSession::activeWindow(), TroviaSession::windowNamed(alertTitle));
    QVERIFY(TroviaSession::key(QStringLiteral("Return")));
    QTRY_VERIFY(TroviaSession::windowNamed(alertTitle).isEmpty());

    // Rebuilt for the same query: nothing matches "doo" any more, and Trovia stays in front.
    QTRY_VERIFY(TroviaSession::resultList().isEmpty());
    QVERIFY(!TroviaSession::mainWindow().isEmpty());
    QVERIFY(session->launches().isEmpty());
    QCOMPARE(session->usageCount(QStringLiteral("doomed")), 0);
}

void TestEndToEnd::ctrlReturnShowsTheEntryInTheFileManager()
{
    QVERIFY(session->startFileManager());
    TROVIA_START_SHOWN(*session);
    TROVIA_TYPE_TO_LIST("bet");
    QVERIFY(TroviaSession::key(QStringLiteral("ctrl+Return")));
    const QString expected =
        QStringLiteral("ShowItems ") +
        QUrl::fromLocalFile(session->entryPath(QStringLiteral("beta"))).toString();
    QTRY_COMPARE(session->shownItems(), QStringList{expected});
    QTRY_VERIFY(TroviaSession::mainWindow().isEmpty());
    QVERIFY(session->launches().isEmpty());
}

void TestEndToEnd::secondStartTogglesTheFirst()
{
    TROVIA_START_SHOWN(*session);
    QCOMPARE(session->runAnother({}), 0);
    QTRY_VERIFY(TroviaSession::mainWindow().isEmpty());
    QCOMPARE(session->runAnother({QStringLiteral("--toggle")}), 0);
    QTRY_VERIFY(!TroviaSession::mainWindow().isEmpty());
    QTRY_COMPARE(TroviaSession::activeWindow(), TroviaSession::mainWindow());
    // An autostart while Trovia runs changes nothing.
    QCOMPARE(session->runAnother({QStringLiteral("--hidden")}), 0);
    QVERIFY(!TroviaSession::mainWindow().isEmpty());
    QVERIFY(session->isRunning());
}

void TestEndToEnd::takenHotKeyIsReportedAndTroviaKeepsRunning()
{
    // Another X client holds Alt+Escape (every lock-key variant) before Trovia starts.
    xcb_connection_t *other = xcb_connect(nullptr, nullptr);
    QVERIFY(!xcb_connection_has_error(other));
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(other)).data;
    const xcb_keycode_t escape = 9;
    for (int locks :
         {0, int(XCB_MOD_MASK_LOCK), int(XCB_MOD_MASK_2), int(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2)})
        QVERIFY(!xcb_request_check(
            other, xcb_grab_key_checked(other, 1, screen->root, uint16_t(XCB_MOD_MASK_1 | locks),
                                        escape, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
    xcb_flush(other);

    QVERIFY(session->start());
    // A log line; with no notification server on the test's bus, no window in front of the
    // field either: the main window keeps the focus, and typing lists at once.
    QTRY_VERIFY_WITH_TIMEOUT(session->standardError().contains(QLatin1String("not registered")),
                             10000);
    QTRY_VERIFY_WITH_TIMEOUT(!TroviaSession::mainWindow().isEmpty(), 10000);
    QTRY_COMPARE(TroviaSession::activeWindow(), TroviaSession::mainWindow());
    const QString told = LocalizedStrings::text(QStringLiteral("HotKeyRefusedTitle"));
    QVERIFY(TroviaSession::windowNamed(told).isEmpty());
    TROVIA_TYPE_TO_LIST("alp");
    QVERIFY(session->isRunning());
    // Still in service through its command.
    QCOMPARE(session->runAnother({QStringLiteral("--toggle")}), 0);
    QTRY_VERIFY(TroviaSession::mainWindow().isEmpty());
    QVERIFY(session->isRunning());
    QCOMPARE(session->runAnother({QStringLiteral("--toggle")}), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!TroviaSession::mainWindow().isEmpty(), 10000);
    QTRY_COMPARE(TroviaSession::activeWindow(), TroviaSession::mainWindow());
    QVERIFY(TroviaSession::windowNamed(told).isEmpty());
    // The binding is remembered: the settings say this desktop has one.
    QVERIFY(QSettings(session->settingsPath(), QSettings::IniFormat)
                .value(QStringLiteral("Hot Key Bound By User"))
                .toStringList()
                .size() == 1);
    xcb_disconnect(other);
}

void TestEndToEnd::windowOriginSurvivesARestartBySigterm()
{
    TROVIA_START_SHOWN(*session);
    const QString window = TroviaSession::mainWindow();
    const QPoint target(300, 240);
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("windowmove"), window, QString::number(target.x()),
                       QString::number(target.y())});
    QTRY_COMPARE(TroviaSession::windowPosition(window), target);
    QVERIFY(session->terminate());
    {
        QSettings settings(session->settingsPath(), QSettings::IniFormat);
        QVERIFY(settings.contains(QStringLiteral("Main Window X")));
        QVERIFY(settings.contains(QStringLiteral("Main Window Y")));
    }

    TROVIA_START_SHOWN(*session);
    QCOMPARE(TroviaSession::windowPosition(TroviaSession::mainWindow()), target);
}

void TestEndToEnd::historySurvivesAFullDisk()
{
    const QVariantMap history{
        {QStringLiteral("Applications Uses"),
         QVariantMap{{session->entryPath(QStringLiteral("alpha")), qint64(5)}}}};
    const QByteArray log = PropertyList::toXml(history);
    QVERIFY(QDir().mkpath(QFileInfo(session->usageLogPath()).path()));
    QFile file(session->usageLogPath());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(log) == log.size());
    file.close();

    // No room for the log's next, longer version.
    session->setFileSizeLimit(log.size());
    TROVIA_START_SHOWN(*session);
    TROVIA_TYPE_TO_LIST("bet");
    QVERIFY(TroviaSession::key(QStringLiteral("Return")));
    QTRY_COMPARE(session->launches(), QStringList{QStringLiteral("beta")});
    QTRY_VERIFY(session->standardError().contains(session->usageLogPath()));
    QVERIFY(session->terminate());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), log);
    file.close();

    // With room again, the next run counts on from the history.
    session->setFileSizeLimit(-1);
    TROVIA_START_SHOWN(*session);
    TROVIA_TYPE_TO_LIST("bet");
    QVERIFY(TroviaSession::key(QStringLiteral("Return")));
    QTRY_COMPARE(session->usageCount(QStringLiteral("beta")), 1);
    QCOMPARE(session->usageCount(QStringLiteral("alpha")), 5);
}

namespace
{
// Whether the process runs (a zombie is gone).
bool running(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    return !line.mid(line.lastIndexOf(')') + 2).startsWith('Z');
}
} // namespace

// A launched program is the user's: a session of its own, so that neither the hang-up a closed
// terminal sends to Trovia's group nor Trovia's end reaches it; the user's environment with the
// launch's own variables, the startup id also as the activation token of Wayland toolkits.
void TestEndToEnd::launchedProgramOutlivesTrovia()
{
    const QString record =
        session->addRecorderEntry(QStringLiteral("recorder"), QStringLiteral("Recorder Tool"));
    session->setOwnProcessGroup(true);
    TROVIA_START_SHOWN(*session);
    const qint64 trovia = session->processId();
    TROVIA_TYPE_TO_LIST("recorder");
    QVERIFY(TroviaSession::key(QStringLiteral("Return")));
    QTRY_VERIFY(QFile::exists(record));
    QFile file(record);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
    const QStringList ids = lines.takeFirst().split(' ');
    QCOMPARE(ids.size(), 3);
    const qint64 program = ids[0].toLongLong();
    const auto stop = qScopeGuard([program] { ::kill(pid_t(program), SIGKILL); });
    QCOMPARE(ids[2].toLongLong(), program); // leads its own session
    QCOMPARE(ids[1].toLongLong(), program); // and its own group in it
    QVERIFY(ids[2].toLongLong() != getsid(pid_t(trovia)));

    QMap<QString, QString> environment;
    for (const QString &line : lines)
        environment.insert(line.section('=', 0, 0), line.section('=', 1));
    const QString token = environment.take(QStringLiteral("XDG_ACTIVATION_TOKEN"));
    QVERIFY(!token.isEmpty());
    QCOMPARE(environment.take(QStringLiteral("DESKTOP_STARTUP_ID")), token);
    QCOMPARE(environment.take(QStringLiteral("GIO_LAUNCHED_DESKTOP_FILE")),
             session->entryPath(QStringLiteral("recorder")));
    const QString launchedPid = environment.take(QStringLiteral("GIO_LAUNCHED_DESKTOP_FILE_PID"));
    QVERIFY(launchedPid.isEmpty() || launchedPid == QString::number(program));
    QMap<QString, QString> users;
    const QProcessEnvironment given = session->environment();
    for (const QString &name : given.keys())
        users.insert(name, given.value(name));
    QCOMPARE(environment, users);

    // As when the terminal Trovia was started from closes, then Trovia is killed.
    QCOMPARE(::kill(-pid_t(trovia), SIGHUP), 0);
    QCOMPARE(::kill(pid_t(trovia), SIGKILL), 0);
    QTRY_VERIFY(!session->isRunning());
    QVERIFY(running(program));
}

// A D-Bus activatable entry is activated on the bus with the startup id, under both the names
// X and Wayland toolkits read.
void TestEndToEnd::dbusActivationCarriesTheActivationToken()
{
    const QString id = QStringLiteral("org.trovia.EndToEndActivatable");
    QFile entry(session->entryPath(id));
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\nName=Activatable Viewer\nExec=/bin/true\n"
                "DBusActivatable=true\nStartupNotify=true\n");
    entry.close();
    ActivatableApplication application(id, QStringLiteral("/org/trovia/EndToEndActivatable"));
    QVERIFY(application.start());
    TROVIA_START_SHOWN(*session);
    TROVIA_TYPE_TO_LIST("activatable");
    QVERIFY(TroviaSession::key(QStringLiteral("Return")));
    QTRY_COMPARE(application.activations.size(), 1);
    const QVariantMap platformData = application.activations.first();
    const QString token = platformData.value(QStringLiteral("activation-token")).toString();
    QVERIFY2(!token.isEmpty(), qPrintable(QStringList(platformData.keys()).join(' ')));
    QCOMPARE(platformData.value(QStringLiteral("desktop-startup-id")).toString(), token);
    QTRY_COMPARE(session->usageCount(id), 1);
}

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_e2e_launcher.moc"
