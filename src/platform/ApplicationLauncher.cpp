#include "ApplicationLauncher.h"

#include "SystemLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <sys/stat.h>

namespace
{

ApplicationLauncher *replacement = nullptr;

// A launched program gets the user's environment as Trovia received it, less the startup id or
// activation token of Trovia's own start: a stale one would confuse the window manager.
GAppLaunchContext *newLaunchContext()
{
    GAppLaunchContext *context = g_app_launch_context_new();
    for (const char *name : {"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN"})
        g_app_launch_context_unsetenv(context, name);
    return context;
}

} // namespace

ApplicationLauncher &ApplicationLauncher::current()
{
    static GioApplicationLauncher gio;
    return replacement ? *replacement : gio;
}

void ApplicationLauncher::setCurrent(ApplicationLauncher *launcher)
{
    replacement = launcher;
}

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
