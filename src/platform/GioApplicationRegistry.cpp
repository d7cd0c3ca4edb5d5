#include "GioApplicationRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <gio/gunixmounts.h>

namespace
{

QString iconNameOf(GAppInfo *info)
{
    GIcon *icon = g_app_info_get_icon(info);
    if (!icon)
        return QString();
    if (G_IS_THEMED_ICON(icon)) {
        const char *const *names = g_themed_icon_get_names(G_THEMED_ICON(icon));
        return names && names[0] ? QString::fromUtf8(names[0]) : QString();
    }
    if (G_IS_FILE_ICON(icon)) {
        char *path = g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon)));
        const QString result = path ? QFile::decodeName(path) : QString();
        g_free(path);
        return result;
    }
    return QString();
}

// The sysfs "removable" flag of a block device or of the disk holding the partition; devices on
// a USB bus count as removable too, as USB disks often report 0.
bool isRemovableBlockDevice(const QString &devicePath)
{
    if (!devicePath.startsWith(QLatin1String("/dev/")))
        return false;
    const QString device = QFileInfo(devicePath).canonicalFilePath();
    if (device.isEmpty())
        return false;
    const QString sysfs =
        QFileInfo(QStringLiteral("/sys/class/block/") + QFileInfo(device).fileName())
            .canonicalFilePath();
    if (sysfs.isEmpty())
        return false;
    if (sysfs.contains(QLatin1String("/usb")))
        return true;
    const QDir dir(sysfs);
    for (const QString &candidate : {dir.filePath(QStringLiteral("removable")),
                                     dir.filePath(QStringLiteral("../removable"))}) {
        QFile flag(candidate);
        if (flag.open(QIODevice::ReadOnly))
            return flag.read(1) == "1";
    }
    return false;
}

void setFlag(GAppInfoMonitor *, gpointer flag)
{
    *static_cast<bool *>(flag) = true;
}

} // namespace

GioApplicationRegistry::GioApplicationRegistry() : monitor(g_app_info_monitor_get())
{
    g_signal_connect(monitor, "changed", G_CALLBACK(setFlag), &listChanged);
}

GioApplicationRegistry::~GioApplicationRegistry()
{
    g_signal_handlers_disconnect_by_data(monitor, &listChanged);
    g_object_unref(monitor);
}

QList<RegistryEntry> GioApplicationRegistry::entries()
{
    listChanged = false;
    QList<RegistryEntry> result;
    GList *all = g_app_info_get_all();
    result.reserve(static_cast<qsizetype>(g_list_length(all)));
    for (GList *item = all; item; item = item->next) {
        GAppInfo *info = G_APP_INFO(item->data);
        if (!G_IS_DESKTOP_APP_INFO(info) || !g_app_info_should_show(info))
            continue;
        const char *filename = g_desktop_app_info_get_filename(G_DESKTOP_APP_INFO(info));
        if (!filename)
            continue;
        RegistryEntry entry;
        entry.path = QFile::decodeName(filename);
        entry.displayName = QString::fromUtf8(g_app_info_get_display_name(info));
        entry.isClassicApp = isWineCommandLine(QString::fromUtf8(g_app_info_get_commandline(info)));
        entry.iconName = iconNameOf(info);
        result.append(entry);
    }
    g_list_free_full(all, g_object_unref);
    return result;
}

QStringList GioApplicationRegistry::mountedRemovableMedia()
{
    QStringList result;
    GList *mounts = g_unix_mounts_get(nullptr);
    for (GList *item = mounts; item; item = item->next) {
        auto *mount = static_cast<GUnixMountEntry *>(item->data);
        if (g_unix_mount_is_system_internal(mount))
            continue;
        const QString device = QFile::decodeName(g_unix_mount_get_device_path(mount));
        if (g_unix_mount_guess_can_eject(mount) || isRemovableBlockDevice(device)) {
            const QString mountPoint = QFile::decodeName(g_unix_mount_get_mount_path(mount));
            // A home on a USB disk is the user's own, not a medium passing through: its
            // applications stay.
            const bool holdsHome = QDir::homePath() == mountPoint ||
                                   QDir::homePath().startsWith(mountPoint + QLatin1Char('/'));
            if (!mountPoint.isEmpty() && !holdsHome && !result.contains(mountPoint))
                result.append(mountPoint);
        }
    }
    g_list_free_full(mounts, reinterpret_cast<GDestroyNotify>(g_unix_mount_free));
    return result;
}

QStringList GioApplicationRegistry::applicationsFolders()
{
    QStringList candidates{QFile::decodeName(g_get_user_data_dir())};
    for (const char *const *dir = g_get_system_data_dirs(); *dir; ++dir)
        candidates.append(QFile::decodeName(*dir));
    QStringList result;
    for (const QString &dataDir : std::as_const(candidates)) {
        const QString folder = QDir(dataDir).filePath(QStringLiteral("applications"));
        if (QFileInfo(folder).isDir() && !result.contains(folder))
            result.append(folder);
    }
    return result;
}

QString GioApplicationRegistry::entryPathForId(const QString &desktopId)
{
    GDesktopAppInfo *info = g_desktop_app_info_new(desktopId.toUtf8().constData());
    if (!info)
        return QString();
    const char *filename = g_desktop_app_info_get_filename(info);
    const QString result = filename ? QFile::decodeName(filename) : QString();
    g_object_unref(info);
    return result;
}

bool GioApplicationRegistry::isWineCommandLine(const QString &commandLine)
{
    if (!commandLine.contains(QLatin1String("wine")))
        return false;
    int argc = 0;
    char **argv = nullptr;
    if (!g_shell_parse_argv(commandLine.toUtf8().constData(), &argc, &argv, nullptr))
        return false;
    static const QRegularExpression assignment(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*="));
    QString program;
    for (int i = 0; i < argc; ++i) {
        const QString word = QString::fromUtf8(argv[i]);
        const QString name = QFileInfo(word).fileName();
        if (name == QLatin1String("env") || assignment.match(word).hasMatch())
            continue;
        program = name;
        break;
    }
    g_strfreev(argv);
    static const QStringList winePrograms{QStringLiteral("wine"), QStringLiteral("wine64"),
                                          QStringLiteral("wine-stable"),
                                          QStringLiteral("wine-development")};
    return winePrograms.contains(program);
}
