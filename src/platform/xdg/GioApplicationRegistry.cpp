#include "platform/xdg/GioApplicationRegistry.h"

#include "platform/FolderWalk.h"
#include "platform/xdg/DesktopEntryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <glib.h>
#include <limits.h>
#include <mntent.h>
#include <string.h>

namespace
{

// The desktops named in XDG_CURRENT_DESKTOP that GIO accepts (letters, digits, '-' and '_').
// Never destroyed: a build still reading entries at exit goes on using it.
const QList<QByteArray> &currentDesktops()
{
    static const QList<QByteArray> *desktops = new QList<QByteArray>([] {
        QList<QByteArray> valid;
        const QList<QByteArray> named = qgetenv("XDG_CURRENT_DESKTOP").split(':');
        // A loop, not a regular expression: compiling one loads its engine (half a megabyte).
        const auto isNameUnit = [](char c) {
            return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == '-';
        };
        for (const QByteArray &desktop : named) {
            if (!desktop.isEmpty() && std::all_of(desktop.begin(), desktop.end(), isNameUnit))
                valid.append(desktop);
        }
        return valid;
    }());
    return *desktops;
}

// GIO's OnlyShowIn/NotShowIn rule: the first current desktop that either list names decides;
// when none does, an entry with OnlyShowIn is not for this desktop.
bool shownInCurrentDesktop(char **onlyShowIn, char **notShowIn)
{
    for (const QByteArray &desktop : currentDesktops()) {
        if (onlyShowIn && g_strv_contains(onlyShowIn, desktop.constData()))
            return true;
        if (notShowIn && g_strv_contains(notShowIn, desktop.constData()))
            return false;
    }
    return onlyShowIn == nullptr;
}

// A command's program can be found: an absolute path that is executable, or a name on PATH.
bool programExists(const char *program)
{
    gchar *found = g_find_program_in_path(program);
    g_free(found);
    return found != nullptr;
}

// The Exec line can run: it splits into words and its program exists. An empty one can (a
// D-Bus activated entry).
bool commandRuns(const QByteArray &exec)
{
    if (exec.isEmpty())
        return true;
    int argc = 0;
    char **argv = nullptr;
    if (!g_shell_parse_argv(exec.constData(), &argc, &argv, nullptr))
        return false;
    const bool found = programExists(argv[0]);
    g_strfreev(argv);
    return found;
}

// The words of a command line, or none when it does not split.
QStringList commandWords(const QString &commandLine)
{
    int argc = 0;
    char **argv = nullptr;
    if (commandLine.isEmpty() ||
        !g_shell_parse_argv(commandLine.toUtf8().constData(), &argc, &argv, nullptr))
        return {};
    QStringList words;
    words.reserve(argc);
    for (int i = 0; i < argc; ++i)
        words.append(QString::fromUtf8(argv[i]));
    g_strfreev(argv);
    return words;
}

// A VAR=value word: a name of letters, digits and '_', not starting with a digit, then '='. Plain
// code, not a static regular expression: a build still reading at exit would use one destroyed.
bool isAssignment(const QString &word)
{
    for (qsizetype i = 0; i < word.size(); ++i) {
        const char16_t c = word.at(i).unicode();
        if (c == u'=')
            return i > 0;
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
        if (!letter && (i == 0 || c < u'0' || c > u'9'))
            return false;
    }
    return false;
}

// Where the program of a command starts: after any leading `env` and VAR=value words.
qsizetype programWord(const QStringList &words)
{
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (QFileInfo(words.at(i)).fileName() != QLatin1String("env") && !isAssignment(words.at(i)))
            return i;
    }
    return -1;
}

// The user's language is English (or none, the C locale): the untranslated Name is the one shown.
bool languageIsEnglish()
{
    const QByteArray first = g_get_language_names()[0];
    return first == "C" || first == "POSIX" || first == "en" || first.startsWith("en_") ||
           first.startsWith("en.") || first.startsWith("en@");
}

// Icon as GIO reads it: a file when absolute, else a theme name without the image extension
// that entries often add by mistake.
QString iconNameFrom(const QByteArray &icon)
{
    if (icon.startsWith('/'))
        return QFile::decodeName(icon);
    QString name = QString::fromUtf8(icon);
    for (const char *extension : {".png", ".xpm", ".svg"}) {
        if (name.endsWith(QLatin1String(extension)))
            name.chop(4);
    }
    return name;
}

// The "removable" flag in sysfs (blockDevices: its class/block folder) of a block device or of
// the disk holding the partition; devices on a USB bus count as removable too, as USB disks often
// report 0.
bool isRemovableBlockDevice(const QString &devicePath, const QString &blockDevices)
{
    if (!devicePath.startsWith(QLatin1String("/dev/")))
        return false;
    const QString device = QFileInfo(devicePath).canonicalFilePath();
    if (device.isEmpty())
        return false;
    const QString sysfs = QFileInfo(blockDevices + QLatin1Char('/') + QFileInfo(device).fileName())
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

} // namespace

std::optional<RegistryEntry> GioApplicationRegistry::readEntry(const QByteArray &file)
{
    const DesktopEntryFile keys(file);
    if (!keys.isApplication())
        return std::nullopt;
    const QByteArray tryExec = keys.string(G_KEY_FILE_DESKTOP_KEY_TRY_EXEC);
    const QByteArray exec = keys.string(G_KEY_FILE_DESKTOP_KEY_EXEC);
    if ((!tryExec.isEmpty() && !programExists(tryExec.constData())) || !commandRuns(exec))
        return std::nullopt;
    if (keys.flag(G_KEY_FILE_DESKTOP_KEY_HIDDEN) || keys.flag(G_KEY_FILE_DESKTOP_KEY_NO_DISPLAY))
        return std::nullopt;
    char **onlyShowIn = keys.stringList(G_KEY_FILE_DESKTOP_KEY_ONLY_SHOW_IN);
    char **notShowIn = keys.stringList(G_KEY_FILE_DESKTOP_KEY_NOT_SHOW_IN);
    const bool shown = shownInCurrentDesktop(onlyShowIn, notShowIn);
    g_strfreev(onlyShowIn);
    g_strfreev(notShowIn);
    if (!shown)
        return std::nullopt;

    RegistryEntry entry;
    entry.file = file;
    entry.path = QFile::decodeName(file);
    // GIO's display name: the full name where an entry gives one.
    QByteArray name = keys.localised("X-GNOME-FullName");
    if (name.isEmpty())
        name = keys.localised(G_KEY_FILE_DESKTOP_KEY_NAME);
    entry.displayName = name.isEmpty() ? QStringLiteral("Unnamed") : QString::fromUtf8(name);
    entry.isClassicApp = isWineCommandLine(QString::fromUtf8(exec));
    entry.iconName = iconNameFrom(keys.localised(G_KEY_FILE_DESKTOP_KEY_ICON));

    entry.keywords = keys.localisedList("Keywords");
    entry.genericName = QString::fromUtf8(keys.localised(G_KEY_FILE_DESKTOP_KEY_GENERIC_NAME));
    if (!languageIsEnglish()) {
        const QString untranslated = QString::fromUtf8(keys.string(G_KEY_FILE_DESKTOP_KEY_NAME));
        if (untranslated != entry.displayName)
            entry.untranslatedName = untranslated;
    }
    entry.command = commandProgram(QString::fromUtf8(exec));
    char **actions = keys.stringList(G_KEY_FILE_DESKTOP_KEY_ACTIONS);
    for (char **action = actions; action && *action; ++action) {
        const QByteArray actionGroup = DesktopEntryFile::actionGroup(*action);
        const QByteArray actionName =
            keys.localised(G_KEY_FILE_DESKTOP_KEY_NAME, actionGroup.constData());
        // An action without a name cannot be shown; the id '#' would be cut from its usage key.
        if (!actionName.isEmpty() && **action && !strchr(*action, '#'))
            entry.actions.append({QString::fromUtf8(*action), QString::fromUtf8(actionName)});
    }
    g_strfreev(actions);
    return entry;
}

QList<RegistryEntry> GioApplicationRegistry::entries()
{
    QList<RegistryEntry> result;
    readEntries([&result](RegistryEntry &&entry) { result.append(std::move(entry)); });
    return result;
}

void GioApplicationRegistry::readEntries(const std::function<void(RegistryEntry &&)> &visit)
{
    FolderWalk::Walk walk;
    for (const QString &folder : applicationsFolders())
        FolderWalk::walk(QFile::encodeName(folder), QByteArrayLiteral(".desktop"), walk);
    // A desktop-file id belongs to the first folder that has it, hidden or not; a file reached
    // through two aliases is one entry.
    QSet<QByteArray> ids;
    QSet<FolderWalk::Identity> files;
    for (FolderWalk::File &found : walk.files) {
        // Taken out of the walk's list, so that its path is freed once its entry is handed on.
        const FolderWalk::File file = std::move(found);
        QByteArray id = file.relativePath;
        id.replace('/', '-');
        if (ids.contains(id) || files.contains(file.identity))
            continue;
        ids.insert(id);
        files.insert(file.identity);
        if (std::optional<RegistryEntry> entry = readEntry(file.path))
            visit(std::move(*entry));
    }
}

QStringList GioApplicationRegistry::mountedRemovableMedia()
{
    QStringList keptFolders = applicationsFolders();
    keptFolders.prepend(QDir::homePath());
    return removableMountPoints(QStringLiteral("/proc/self/mounts"),
                                QStringLiteral("/sys/class/block"), keptFolders);
}

QStringList GioApplicationRegistry::removableMountPoints(const QString &mountTable,
                                                         const QString &blockDevices,
                                                         const QStringList &keptFolders)
{
    // The C library's reader of the table, not GIO's: GIO's brings libmount's code in for a list
    // that only needs the devices and mount points.
    QStringList result;
    FILE *table = setmntent(QFile::encodeName(mountTable).constData(), "r");
    if (!table)
        return result;
    struct mntent entry;
    // Room for a mount point and a device of the longest path each, with their options.
    char buffer[3 * PATH_MAX];
    while (getmntent_r(table, &entry, buffer, sizeof buffer)) {
        const QString mountPoint = QFile::decodeName(entry.mnt_dir);
        // A system started from a USB disk, a /var or /usr/local on one, a home on one: they are
        // the user's own, not media passing through, and their applications stay.
        const QString below =
            mountPoint.endsWith(QLatin1Char('/')) ? mountPoint : mountPoint + QLatin1Char('/');
        const bool holdsKeptFolder =
            std::any_of(keptFolders.begin(), keptFolders.end(), [&](const QString &folder) {
                return folder == mountPoint || folder.startsWith(below);
            });
        if (mountPoint.isEmpty() || holdsKeptFolder || result.contains(mountPoint))
            continue;
        if (isRemovableBlockDevice(QFile::decodeName(entry.mnt_fsname), blockDevices))
            result.append(mountPoint);
    }
    endmntent(table);
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
    for (const QString &folder : applicationsFolders()) {
        const QString path = QDir(folder).filePath(desktopId);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

RegistryActionNames GioApplicationRegistry::actionNames(const QString &entryPath,
                                                        const QString &actionId)
{
    const DesktopEntryFile keys(QFile::encodeName(entryPath));
    const QByteArray group = DesktopEntryFile::actionGroup(actionId.toUtf8());
    RegistryActionNames names{QString::fromUtf8(keys.localised("Name", group.constData())),
                              QString::fromUtf8(keys.localised("Name"))};
    if (!keys.isApplication() || names.action.isEmpty() || names.application.isEmpty())
        return {};
    return names;
}

QString GioApplicationRegistry::commandProgram(const QString &commandLine)
{
    const QStringList words = commandWords(commandLine);
    const qsizetype at = programWord(words);
    if (at < 0)
        return QString();
    const QString program = QFileInfo(words.at(at)).fileName();
    if (program != QLatin1String("flatpak"))
        return program;
    // flatpak [options] run [options] <application id> [arguments]
    qsizetype i = at + 1;
    while (i < words.size() && words.at(i).startsWith(QLatin1Char('-')))
        ++i;
    if (i >= words.size() || words.at(i) != QLatin1String("run"))
        return program;
    for (++i; i < words.size(); ++i) {
        if (!words.at(i).startsWith(QLatin1Char('-')))
            return words.at(i).section(QLatin1Char('.'), -1);
    }
    return program;
}

bool GioApplicationRegistry::isWineCommandLine(const QString &commandLine)
{
    if (!commandLine.contains(QLatin1String("wine")))
        return false;
    const QStringList words = commandWords(commandLine);
    const qsizetype at = programWord(words);
    const QString program = at < 0 ? QString() : QFileInfo(words.at(at)).fileName();
    return program == QLatin1String("wine") || program == QLatin1String("wine64") ||
           program == QLatin1String("wine-stable") || program == QLatin1String("wine-development");
}
