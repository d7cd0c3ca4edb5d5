#include "platform/xdg/GioLaunch.h"

#include "core/Logging.h"
#include "platform/FolderWalk.h"
#include "platform/xdg/DesktopEntryFile.h"
#include "platform/xdg/GioApplicationRegistry.h"
#include "platform/xdg/SystemdScope.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <unistd.h>
#include <utility>

namespace
{

// Replies the launch asked for, which the helper waits for once it has answered Trovia.
int awaitedReplies = 0;
QEventLoop *waitingForReplies = nullptr;

// The spawned processes to move into scopes of their own, and whether GIO left calls to flush:
// done once Trovia has its answer, as connecting to the bus takes milliseconds.
struct ScopeRequest {
    GPid pid;
    QByteArray applicationId;
    QString description;
};
QList<ScopeRequest> scopesToMake;
bool flushDue = false;

void replyArrived()
{
    if (--awaitedReplies == 0 && waitingForReplies)
        waitingForReplies->quit();
}

void awaitReply(QDBusPendingCallWatcher *watcher)
{
    if (!watcher)
        return;
    ++awaitedReplies;
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, replyArrived);
}

// Told when a launch fails after the helper answered, and set only then: Trovia ends the startup
// of one that fails before from the answer.
void (*failedAfterAnswer)() = nullptr;

void endFailedStartup(const QByteArray &startupId)
{
    if (!startupId.isEmpty() && failedAfterAnswer)
        failedAfterAnswer();
}

// The startup id Trovia made for this launch, with the time of the user's request, so that the
// window manager gives the program's first window the focus; empty when the entry asks for no
// startup notification or Trovia is not on X11.
QByteArray requestedStartupId;

// A launch context that hands GIO that startup id, and ends it when GIO reports, after the helper
// answered, that the launch failed.
struct TroviaLaunchContext {
    GAppLaunchContext parent;
};
struct TroviaLaunchContextClass {
    GAppLaunchContextClass parent;
};
G_DEFINE_TYPE(TroviaLaunchContext, trovia_launch_context, G_TYPE_APP_LAUNCH_CONTEXT)

char *startupNotifyId(GAppLaunchContext *, GAppInfo *, GList *)
{
    return requestedStartupId.isEmpty() ? nullptr : g_strdup(requestedStartupId.constData());
}

void launchFailed(GAppLaunchContext *, const char *startupNotifyId)
{
    // Nothing will start: end the busy cursor now rather than at the desktop's timeout.
    endFailedStartup(startupNotifyId);
}

void trovia_launch_context_class_init(TroviaLaunchContextClass *type)
{
    type->parent.get_startup_notify_id = startupNotifyId;
    type->parent.launch_failed = launchFailed;
}

void trovia_launch_context_init(TroviaLaunchContext *) {}

// What one launch needs beside GIO's app info; the byte arrays outlive the launch.
struct LaunchDetails {
    QByteArray entryFile;
    QByteArray folder; // where the program starts, when GIO does not know it; empty: GIO decides
};

// The application id of an entry: its file name less ".desktop".
QByteArray applicationId(const QByteArray &entryFile)
{
    QByteArray id = entryFile.mid(entryFile.lastIndexOf('/') + 1);
    if (id.endsWith(".desktop"))
        id.chop(8);
    return id;
}

// Runs in the launched program's process before its exec (async-signal-safe calls only): a
// session of its own, so that a hang-up sent to Trovia's terminal, group or session does not end
// it; and, for an app info made from a command line, which has none, the entry's working folder.
void prepareChild(gpointer folder)
{
    setsid();
    if (folder && chdir(static_cast<const char *>(folder)) != 0)
        _exit(127);
}

void recordPid(GDesktopAppInfo *, GPid pid, gpointer pids)
{
    static_cast<QList<GPid> *>(pids)->append(pid);
}

#if !GLIB_CHECK_VERSION(2, 76, 0)
// The D-Bus object path of an application id, as GIO makes it.
QString applicationObjectPath(const QByteArray &id)
{
    QByteArray path = '/' + id;
    path.replace('.', '/');
    path.replace('-', '_');
    return QString::fromLatin1(path);
}

// Activates a D-Bus activatable entry as GIO would, with the startup id also as the activation
// token that Wayland toolkits read. Returns at once: as with a spawned program, whether it comes
// up is the desktop's to show.
void activateOverDBus(const QByteArray &id, const QString &name, const QByteArray &startupId)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(id), applicationObjectPath(id),
        QStringLiteral("org.freedesktop.Application"), QStringLiteral("Activate"));
    QVariantMap platformData;
    if (!startupId.isEmpty()) {
        platformData.insert(QStringLiteral("desktop-startup-id"), QString::fromUtf8(startupId));
        platformData.insert(QStringLiteral("activation-token"), QString::fromUtf8(startupId));
    }
    call << platformData;
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, name, startupId] {
                         if (watcher->isError()) {
                             qCWarning(lcPlatform).noquote()
                                 << QStringLiteral("%1 did not answer its activation: %2")
                                        .arg(name, watcher->error().message());
                             endFailedStartup(startupId);
                         }
                         watcher->deleteLater();
                     });
    awaitReply(watcher);
}
#endif

// GIO sends some calls and signals on the session bus without waiting (an action's activation,
// a D-Bus activation without a startup id, the "Launched" signal desktops track programs by):
// they leave before the helper does.
void flushSessionBus()
{
    if (GDBusConnection *bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr)) {
        g_dbus_connection_flush_sync(bus, nullptr, nullptr);
        g_object_unref(bus);
    }
}

// GIO answers a launch it made over D-Bus later, with "launched" or "launch-failed"; a spawn it
// answers at once.
void gioAnswered(GAppLaunchContext *context)
{
    if (!g_object_get_data(G_OBJECT(context), "trovia-answered")) {
        g_object_set_data(G_OBJECT(context), "trovia-answered", GINT_TO_POINTER(1));
        replyArrived();
    }
}

// Launches info with Trovia's launch context: the startup id in DESKTOP_STARTUP_ID and
// XDG_ACTIVATION_TOKEN (GIO sets the second itself from 2.76 on), a session of its own, and a
// systemd scope of its own for every process it spawns.
bool launchWithContext(GDesktopAppInfo *info, const LaunchDetails &launch, GError **error)
{
    // Without the startup id or activation token of Trovia's own start, which would confuse the
    // window manager; otherwise the user's environment as Trovia received it.
    auto *context = G_APP_LAUNCH_CONTEXT(g_object_new(trovia_launch_context_get_type(), nullptr));
    for (const char *name : {"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN"})
        g_app_launch_context_unsetenv(context, name);
    const QByteArray id = applicationId(launch.entryFile);
    const QString name = QString::fromUtf8(g_app_info_get_display_name(G_APP_INFO(info)));

    bool launched = false;
    QList<GPid> pids;
#if !GLIB_CHECK_VERSION(2, 76, 0)
    // GIO activates such an entry over D-Bus with the startup id alone.
    const bool overDBus =
        g_desktop_app_info_get_boolean(info, "DBusActivatable") && g_dbus_is_name(id.constData()) &&
        !g_dbus_is_unique_name(id.constData()) && QDBusConnection::sessionBus().isConnected();
    if (overDBus) {
        activateOverDBus(id, name, requestedStartupId);
        launched = true;
    } else {
        if (!requestedStartupId.isEmpty())
            g_app_launch_context_setenv(context, "XDG_ACTIVATION_TOKEN",
                                        requestedStartupId.constData());
#endif
        // GIO reports a failed D-Bus activation only with a startup id to end.
        const bool answerAwaited = !requestedStartupId.isEmpty();
        if (answerAwaited) {
            ++awaitedReplies;
            g_signal_connect(context, "launched", G_CALLBACK(gioAnswered), nullptr);
            g_signal_connect(context, "launch-failed", G_CALLBACK(gioAnswered), nullptr);
        }
        launched = g_desktop_app_info_launch_uris_as_manager(
            info, nullptr, context, G_SPAWN_SEARCH_PATH, prepareChild,
            launch.folder.isEmpty() ? nullptr : const_cast<char *>(launch.folder.constData()),
            recordPid, &pids, error);
        // A launch that failed at once gets no answer.
        if (answerAwaited && !launched)
            gioAnswered(context);
#if !GLIB_CHECK_VERSION(2, 76, 0)
    }
#endif
    g_object_unref(context);
    // Processes that D-Bus activation started are the bus's, which gives them a unit already.
    for (const GPid pid : std::as_const(pids))
        scopesToMake.append({pid, id, name});
    return launched;
}

// The terminal that runs an entry with Terminal=true, as a prefix to its Exec line: the user's
// default terminal (xdg-terminal-exec), else Debian's choice (x-terminal-emulator); empty when
// neither is on PATH, which leaves the choice to GIO.
QByteArray terminalPrefix()
{
    for (const auto &[program, prefix] :
         {std::pair{"xdg-terminal-exec", "xdg-terminal-exec "},
          std::pair{"x-terminal-emulator", "x-terminal-emulator -e "}}) {
        if (gchar *found = g_find_program_in_path(program)) {
            g_free(found);
            return prefix;
        }
    }
    return {};
}

const char *const terminalsTried =
    "no terminal found: neither xdg-terminal-exec nor x-terminal-emulator is on PATH, nor any "
    "terminal GIO knows";

void logFailure(const QString &entryPath, GError *error, bool terminalMissing)
{
    if (!error)
        return;
    QString reason = QString::fromUtf8(error->message);
    if (terminalMissing)
        reason += QStringLiteral(" (%1)").arg(QString::fromLatin1(terminalsTried));
    qCWarning(lcPlatform).noquote() << QStringLiteral("%1: %2").arg(entryPath, reason);
    g_error_free(error);
}

// The first path in the applications folders that leads back to a folder above it; empty when
// none. GIO indexes these folders before it makes any GDesktopAppInfo, following symbolic links
// until the kernel refuses the path: one loop repeats the tree 41 times, two loops 2^40 times, and
// the launch never returns. Looked for at each launch, as a loop made after the last catalogue
// build hangs GIO all the same.
QByteArray applicationsFolderLoop()
{
    FolderWalk::Walk walk;
    for (const QString &folder : GioApplicationRegistry().applicationsFolders())
        FolderWalk::walk(QFile::encodeName(folder), QByteArray(), walk);
    return walk.loop;
}

// Launches the entry's Exec line (its action's, for an action), through terminal when that is not
// empty, with GIO's app info for a command line, which does not index the applications folders;
// with the entry's Path, Terminal and StartupNotify as GIO reads them.
bool launchCommandLine(const QByteArray &entryFile, const QByteArray &terminal,
                       const QString &actionId)
{
    const QString entryPath = QFile::decodeName(entryFile);
    const DesktopEntryFile keys(entryFile);
    const QByteArray group = DesktopEntryFile::actionGroup(actionId.toUtf8());
    const char *execGroup = actionId.isEmpty() ? nullptr : group.constData();
    QByteArray exec =
        keys.isApplication() ? keys.string(G_KEY_FILE_DESKTOP_KEY_EXEC, execGroup) : QByteArray();
    if (exec.isEmpty()) {
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("%1: no command line to launch.").arg(entryPath);
        return false;
    }
    if (keys.flag(G_KEY_FILE_DESKTOP_KEY_HIDDEN)) {
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("%1: the entry is hidden.").arg(entryPath);
        return false;
    }
    LaunchDetails launch;
    launch.entryFile = entryFile;
    // GIO refuses the launch when the folder is missing; checked here, as the new process
    // cannot report it.
    launch.folder = keys.string(G_KEY_FILE_DESKTOP_KEY_PATH);
    if (!launch.folder.isEmpty() && !g_file_test(launch.folder.constData(), G_FILE_TEST_IS_DIR)) {
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("%1: its working folder %2 does not exist.")
                   .arg(entryPath, QFile::decodeName(launch.folder));
        return false;
    }
    int flags = G_APP_INFO_CREATE_NONE;
    const bool needsTerminal = keys.flag(G_KEY_FILE_DESKTOP_KEY_TERMINAL);
    if (needsTerminal && !terminal.isEmpty())
        exec.prepend(terminal);
    else if (needsTerminal)
        flags |= G_APP_INFO_CREATE_NEEDS_TERMINAL;
    if (keys.flag(G_KEY_FILE_DESKTOP_KEY_STARTUP_NOTIFY))
        flags |= G_APP_INFO_CREATE_SUPPORTS_STARTUP_NOTIFICATION;
    const QByteArray name = keys.localised(G_KEY_FILE_DESKTOP_KEY_NAME, execGroup);

    GError *error = nullptr;
    GAppInfo *info = g_app_info_create_from_commandline(exec.constData(),
                                                        name.isEmpty() ? nullptr : name.constData(),
                                                        GAppInfoCreateFlags(flags), &error);
    bool launched = false;
    if (info) {
        launched = launchWithContext(G_DESKTOP_APP_INFO(info), launch, &error);
        g_object_unref(info);
    }
    logFailure(entryPath, error, needsTerminal && terminal.isEmpty());
    return launched;
}

// The action's command can run: its program exists. GIO launches an action without telling
// whether it started.
bool actionRuns(const QByteArray &entryFile, const QString &actionId)
{
    const DesktopEntryFile keys(entryFile);
    if (keys.flag("DBusActivatable"))
        return true;
    const QByteArray exec = keys.string(
        G_KEY_FILE_DESKTOP_KEY_EXEC, DesktopEntryFile::actionGroup(actionId.toUtf8()).constData());
    int argc = 0;
    char **argv = nullptr;
    if (exec.isEmpty() || !g_shell_parse_argv(exec.constData(), &argc, &argv, nullptr))
        return false;
    gchar *found = g_find_program_in_path(argv[0]);
    g_strfreev(argv);
    g_free(found);
    return found != nullptr;
}

void noteFailure(GAppLaunchContext *, const char *, gpointer failed)
{
    *static_cast<bool *>(failed) = true;
}

// Asks a D-Bus activatable application to run one of its actions; the bus gives it its unit.
bool activateActionOverDBus(GDesktopAppInfo *info, const QByteArray &action)
{
    auto *context = G_APP_LAUNCH_CONTEXT(g_object_new(trovia_launch_context_get_type(), nullptr));
    bool failed = false;
    g_signal_connect(context, "launch-failed", G_CALLBACK(noteFailure), &failed);
    g_desktop_app_info_launch_action(info, action.constData(), context);
    g_object_unref(context);
    return !failed;
}

// Launches the entry, or its action when actionId is not empty.
bool launchEntry(const QByteArray &entryFile, const QString &actionId)
{
    const QString entryPath = QFile::decodeName(entryFile);
    // Made from the file now: an entry listed earlier would still launch after its file was
    // deleted.
    if (!DesktopEntryFile::isRegularFile(entryFile)) {
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("%1: no desktop entry to launch.").arg(entryPath);
        return false;
    }
    const QByteArray loop = applicationsFolderLoop();
    if (!loop.isEmpty()) {
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("%1 leads back to a folder above it, which GIO would follow without "
                              "end: entries are launched from their Exec line.")
                   .arg(QFile::decodeName(loop));
        return launchCommandLine(entryFile, terminalPrefix(), actionId);
    }
    GDesktopAppInfo *info = g_desktop_app_info_new_from_filename(entryFile.constData());
    if (!info) {
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("%1: not an application GIO can launch.").arg(entryPath);
        return false;
    }
    if (g_desktop_app_info_get_is_hidden(info)) {
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("%1: the entry is hidden.").arg(entryPath);
        g_object_unref(info);
        return false;
    }
    const QByteArray action = actionId.toUtf8();
    if (!action.isEmpty()) {
        if (!g_strv_contains(g_desktop_app_info_list_actions(info), action.constData()) ||
            !actionRuns(entryFile, actionId)) {
            qCWarning(lcPlatform).noquote()
                << QStringLiteral("%1: no action %2 that can run.").arg(entryPath, actionId);
            g_object_unref(info);
            return false;
        }
        if (g_desktop_app_info_get_boolean(info, "DBusActivatable")) {
            const bool activated = activateActionOverDBus(info, action);
            g_object_unref(info);
            return activated;
        }
    }
    const bool needsTerminal =
        g_desktop_app_info_get_boolean(info, G_KEY_FILE_DESKTOP_KEY_TERMINAL);
    const QByteArray terminal = needsTerminal ? terminalPrefix() : QByteArray();
    if (!terminal.isEmpty() || !action.isEmpty()) {
        // GIO knows only its own list of terminals, and spawns an action with no set-up of the
        // child: the Exec line runs as a command line, in the chosen terminal, with a session and
        // scope of its own like any launch.
        g_object_unref(info);
        return launchCommandLine(entryFile, terminal, actionId);
    }
    LaunchDetails launch;
    launch.entryFile = entryFile;
    GError *error = nullptr;
    const bool launched = launchWithContext(info, launch, &error);
    logFailure(entryPath, error, needsTerminal);
    g_object_unref(info);
    return launched;
}

} // namespace

namespace GioLaunch
{

bool launch(const LaunchRequest &request)
{
    requestedStartupId = request.startupId;
    const bool launched = launchEntry(request.entryFile, request.actionId);
    flushDue = launched;
    return launched;
}

void waitForReplies(void (*launchFailed)())
{
    failedAfterAnswer = launchFailed;
    for (const ScopeRequest &scope : std::as_const(scopesToMake))
        awaitReply(
            SystemdScope::moveIntoOwnScope(scope.pid, scope.applicationId, scope.description));
    scopesToMake.clear();
    if (flushDue)
        flushSessionBus();
    if (awaitedReplies <= 0)
        return;
    QEventLoop loop;
    waitingForReplies = &loop;
    // D-Bus gives up on a call after 25 seconds.
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    waitingForReplies = nullptr;
}

} // namespace GioLaunch
