#include "platform/xdg/GioApplicationLauncher.h"

#include "core/Logging.h"
#include "platform/x11/WindowActivation.h"
#include "platform/xdg/DesktopEntryFile.h"
#include "platform/xdg/FolderWalk.h"
#include "platform/xdg/GioApplicationRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// A launch context that starts an X startup notification for programs whose entry asks for one,
// stamped with the time of the user's request, so the window manager gives the program's first
// window the focus.
struct TroviaLaunchContext {
    GAppLaunchContext parent;
    quint32 timestamp;
    // For an app info made from a command line, which knows neither; borrowed for one launch.
    const char *entryFile;
    const char *icon;
};
struct TroviaLaunchContextClass {
    GAppLaunchContextClass parent;
};
G_DEFINE_TYPE(TroviaLaunchContext, trovia_launch_context, G_TYPE_APP_LAUNCH_CONTEXT)

char *startupNotifyId(GAppLaunchContext *context, GAppInfo *info, GList *)
{
    WindowActivation::StartupDetails details;
    details.name = g_app_info_get_display_name(info);
    details.binary = g_app_info_get_executable(info);
    if (GIcon *icon = g_app_info_get_icon(info)) {
        if (gchar *text = g_icon_to_string(icon)) {
            details.icon = text;
            g_free(text);
        }
    }
    if (G_IS_DESKTOP_APP_INFO(info))
        details.applicationId = g_desktop_app_info_get_filename(G_DESKTOP_APP_INFO(info));
    const auto *trovia = reinterpret_cast<TroviaLaunchContext *>(context);
    if (details.applicationId.isEmpty())
        details.applicationId = trovia->entryFile;
    if (details.icon.isEmpty())
        details.icon = trovia->icon;
    const QByteArray id = WindowActivation::beginStartup(details, trovia->timestamp);
    return id.isEmpty() ? nullptr : g_strdup(id.constData());
}

void launchFailed(GAppLaunchContext *, const char *startupNotifyId)
{
    // Nothing will start: end the busy cursor now rather than at the desktop's timeout.
    WindowActivation::completeStartup(startupNotifyId);
}

void trovia_launch_context_class_init(TroviaLaunchContextClass *type)
{
    type->parent.get_startup_notify_id = startupNotifyId;
    type->parent.launch_failed = launchFailed;
}

void trovia_launch_context_init(TroviaLaunchContext *context)
{
    context->timestamp = WindowActivation::userTime();
}

// A launched program gets the user's environment as Trovia received it, less the startup id or
// activation token of Trovia's own start: a stale one would confuse the window manager.
GAppLaunchContext *newLaunchContext()
{
    auto *context = G_APP_LAUNCH_CONTEXT(g_object_new(trovia_launch_context_get_type(), nullptr));
    for (const char *name : {"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN"})
        g_app_launch_context_unsetenv(context, name);
    return context;
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

// Runs in the launched program's process before its exec (async-signal-safe calls only): the
// app info made from a command line has no working folder of its own.
void enterWorkingFolder(gpointer folder)
{
    if (chdir(static_cast<const char *>(folder)) != 0)
        _exit(127);
}

// The key-file group of a desktop action.
QByteArray actionGroup(const QString &actionId)
{
    return QByteArrayLiteral("Desktop Action ") + actionId.toUtf8();
}

// Launches the entry's Exec line (its action's, for an action) through GIO's app info for a
// command line, which does not index the applications folders, with the entry's Path, Terminal
// and StartupNotify as GIO reads them.
bool launchCommandLine(const QByteArray &entryFile, const QString &actionId)
{
    const QString entryPath = QFile::decodeName(entryFile);
    const DesktopEntryFile keys(entryFile);
    const QByteArray group = actionGroup(actionId);
    const QByteArray exec = keys.isApplication()
                                ? keys.string(G_KEY_FILE_DESKTOP_KEY_EXEC,
                                              actionId.isEmpty() ? nullptr : group.constData())
                                : QByteArray();
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
    // GIO refuses the launch when the folder is missing; checked here, as the new process
    // cannot report it.
    QByteArray folder = keys.string(G_KEY_FILE_DESKTOP_KEY_PATH);
    if (!folder.isEmpty() && !g_file_test(folder.constData(), G_FILE_TEST_IS_DIR)) {
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("%1: its working folder %2 does not exist.")
                   .arg(entryPath, QFile::decodeName(folder));
        return false;
    }
    int flags = G_APP_INFO_CREATE_NONE;
    if (keys.flag(G_KEY_FILE_DESKTOP_KEY_TERMINAL))
        flags |= G_APP_INFO_CREATE_NEEDS_TERMINAL;
    if (keys.flag(G_KEY_FILE_DESKTOP_KEY_STARTUP_NOTIFY))
        flags |= G_APP_INFO_CREATE_SUPPORTS_STARTUP_NOTIFICATION;
    const QByteArray name = keys.localised(G_KEY_FILE_DESKTOP_KEY_NAME,
                                           actionId.isEmpty() ? nullptr : group.constData());
    const QByteArray icon = keys.localised(G_KEY_FILE_DESKTOP_KEY_ICON);

    GError *error = nullptr;
    GAppInfo *info = g_app_info_create_from_commandline(exec.constData(),
                                                        name.isEmpty() ? nullptr : name.constData(),
                                                        GAppInfoCreateFlags(flags), &error);
    bool launched = false;
    if (info) {
        GAppLaunchContext *context = newLaunchContext();
        auto *trovia = reinterpret_cast<TroviaLaunchContext *>(context);
        trovia->entryFile = entryFile.constData();
        trovia->icon = icon.constData();
        launched = g_desktop_app_info_launch_uris_as_manager(
            G_DESKTOP_APP_INFO(info), nullptr, context, G_SPAWN_SEARCH_PATH,
            folder.isEmpty() ? nullptr : enterWorkingFolder, folder.data(), nullptr, nullptr,
            &error);
        g_object_unref(context);
        g_object_unref(info);
    }
    if (error) {
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("%1: %2").arg(entryPath, QString::fromUtf8(error->message));
        g_error_free(error);
    }
    return launched;
}

// The action's command can run: its program exists. GIO launches an action without telling
// whether it started.
bool actionRuns(const QByteArray &entryFile, const QString &actionId)
{
    const DesktopEntryFile keys(entryFile);
    if (keys.flag("DBusActivatable"))
        return true;
    const QByteArray exec =
        keys.string(G_KEY_FILE_DESKTOP_KEY_EXEC, actionGroup(actionId).constData());
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

} // namespace

bool GioApplicationLauncher::launch(const QByteArray &entryFile)
{
    return launchEntry(entryFile, QString());
}

bool GioApplicationLauncher::launchAction(const QByteArray &entryFile, const QString &actionId)
{
    return !actionId.isEmpty() && launchEntry(entryFile, actionId);
}

bool GioApplicationLauncher::launchEntry(const QByteArray &entryFile, const QString &actionId)
{
    const QString entryPath = QFile::decodeName(entryFile);
    // Made from the file now: an entry listed earlier would still launch after its file was
    // deleted. Only a regular file is read: opening a FIFO would wait for a writer.
    struct stat status;
    if (stat(entryFile.constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("%1: no desktop entry to launch.").arg(entryPath);
        return false;
    }
    const QByteArray loop = applicationsFolderLoop();
    if (!loop.isEmpty()) {
        static bool told = false;
        if (!told) {
            qCWarning(lcPlatform).noquote()
                << QStringLiteral("%1 leads back to a folder above it, which GIO would follow "
                                  "without end: entries are launched from their Exec line.")
                       .arg(QFile::decodeName(loop));
            told = true;
        }
        return launchCommandLine(entryFile, actionId);
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
    if (!action.isEmpty() &&
        (!g_strv_contains(g_desktop_app_info_list_actions(info), action.constData()) ||
         !actionRuns(entryFile, actionId))) {
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("%1: no action %2 that can run.").arg(entryPath, actionId);
        g_object_unref(info);
        return false;
    }
    GAppLaunchContext *context = newLaunchContext();
    GError *error = nullptr;
    bool launched = false;
    if (action.isEmpty()) {
        launched = g_app_info_launch(G_APP_INFO(info), nullptr, context, &error);
    } else {
        bool failed = false;
        g_signal_connect(context, "launch-failed", G_CALLBACK(noteFailure), &failed);
        g_desktop_app_info_launch_action(info, action.constData(), context);
        g_signal_handlers_disconnect_by_data(context, &failed);
        launched = !failed;
    }
    if (error) {
        qCWarning(lcPlatform).noquote()
            << QStringLiteral("%1: %2").arg(entryPath, QString::fromUtf8(error->message));
        g_error_free(error);
    }
    g_object_unref(context);
    g_object_unref(info);
    return launched;
}

QIcon GioApplicationLauncher::icon(const QString &iconName)
{
    const QIcon generic = QIcon::fromTheme(QStringLiteral("application-x-executable"));
    if (iconName.isEmpty())
        return generic;
    if (QDir::isAbsolutePath(iconName))
        return QFileInfo(iconName).isFile() ? QIcon(iconName) : generic;
    return QIcon::fromTheme(iconName, generic);
}
