#include "platform/xdg/ApplicationLauncher.h"

#include "core/SystemLog.h"
#include "platform/x11/WindowActivation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <sys/stat.h>

namespace
{

// A launch context that starts an X startup notification for programs whose entry asks for one,
// stamped with the time of the user's request, so the window manager gives the program's first
// window the focus.
struct TroviaLaunchContext {
    GAppLaunchContext parent;
    quint32 timestamp;
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
    const QByteArray id = WindowActivation::beginStartup(
        details, reinterpret_cast<TroviaLaunchContext *>(context)->timestamp);
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

} // namespace

bool GioApplicationLauncher::launch(const QByteArray &entryFile)
{
    const QString entryPath = QFile::decodeName(entryFile);
    // Made from the file now: an entry listed earlier would still launch after its file was
    // deleted. Only a regular file is read: opening a FIFO would wait for a writer.
    struct stat status;
    if (stat(entryFile.constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
        systemLog(QStringLiteral("%1: no desktop entry to launch.").arg(entryPath));
        return false;
    }
    GDesktopAppInfo *info = g_desktop_app_info_new_from_filename(entryFile.constData());
    if (!info) {
        systemLog(QStringLiteral("%1: not an application GIO can launch.").arg(entryPath));
        return false;
    }
    if (g_desktop_app_info_get_is_hidden(info)) {
        systemLog(QStringLiteral("%1: the entry is hidden.").arg(entryPath));
        g_object_unref(info);
        return false;
    }
    GAppLaunchContext *context = newLaunchContext();
    GError *error = nullptr;
    const bool launched = g_app_info_launch(G_APP_INFO(info), nullptr, context, &error);
    if (error) {
        systemLog(QStringLiteral("%1: %2").arg(entryPath, QString::fromUtf8(error->message)));
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
