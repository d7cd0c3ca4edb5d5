#include "platform/xdg/LoginItems.h"

#include "core/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <glib.h>

namespace
{

const QString hiddenArgument = QStringLiteral("--hidden");

bool isTrovia(const QString &path)
{
    return path == QCoreApplication::applicationFilePath();
}

// Trovia's autostart entry keeps the name trovia.desktop that earlier Trovias wrote; another
// program's is named after the program.
QString fileBaseFor(const QString &path)
{
    if (isTrovia(path))
        return QStringLiteral("trovia");
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? QStringLiteral("login-item") : name;
}

QString displayNameFor(const QString &path)
{
    return isTrovia(path) ? QStringLiteral("Trovia") : QFileInfo(path).fileName();
}

// An Exec argument as desktop entries quote it: in double quotes when it holds a reserved
// character, with ", `, $ and \ escaped inside; a percent sign is always doubled, since the
// launcher expands field codes everywhere in Exec. Single quotes are no quoting there.
QString execArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    static const QString escaped = QStringLiteral("\"`$\\");
    QString quoted;
    const bool needsQuotes = std::any_of(argument.cbegin(), argument.cend(),
                                         [](QChar c) { return reserved.contains(c); });
    for (const QChar c : argument) {
        if (needsQuotes && escaped.contains(c))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    if (needsQuotes)
        quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    return quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
}

QString absoluteProgram(const QString &program)
{
    if (program.isEmpty() || QDir::isAbsolutePath(program))
        return program;
    g_autofree gchar *found = g_find_program_in_path(QFile::encodeName(program).constData());
    return found ? QFile::decodeName(found) : program;
}

// The desktop entries of folder, in file-name order.
QStringList entryFileNames(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name);
}

QString unusedFileName(const QString &folder, const QString &base)
{
    QString name = base + QStringLiteral(".desktop");
    for (int n = 2; QFileInfo::exists(folder + QLatin1Char('/') + name); ++n)
        name = QStringLiteral("%1-%2.desktop").arg(base).arg(n);
    return name;
}

} // namespace

ASLoginItems::ASLoginItems(QString autostartFolder) : folder(std::move(autostartFolder)) {}

QString ASLoginItems::autostartFolder() const
{
    if (!folder.isEmpty())
        return folder;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart");
}

bool ASLoginItems::loginItemExists(const QString &path) const
{
    const QList<LoginItem> items = loginItemsArray();
    return std::any_of(items.cbegin(), items.cend(), [&](const LoginItem &item) {
        return !item.path.isEmpty() && item.path == path;
    });
}

bool ASLoginItems::addLoginItem(const QString &path)
{
    if (loginItemExists(path))
        return true;
    QList<LoginItem> items = loginItemsArray();
    items.append(newLoginItem(path, true));
    return saveLoginItemsArray(items);
}

bool ASLoginItems::removeLoginItem(const QString &path)
{
    QList<LoginItem> items = loginItemsArray();
    const auto found = std::find_if(items.cbegin(), items.cend(), [&](const LoginItem &item) {
        return !item.path.isEmpty() && item.path.compare(path, Qt::CaseInsensitive) == 0;
    });
    if (found != items.cend()) {
        const LoginItem match = *found;
        items.removeIf([&](const LoginItem &item) { return item.keys == match.keys; });
    }
    return saveLoginItemsArray(items);
}

QList<LoginItem> ASLoginItems::loginItemsArray() const
{
    const QString autostart = autostartFolder();
    QList<LoginItem> items;
    for (const QString &name : entryFileNames(autostart)) {
        QFile file(autostart + QLatin1Char('/') + name);
        // An entry that cannot be read stays in the list, starting nothing.
        const QByteArray contents = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        items.append(loginItemFromContents(name, contents));
    }
    return items;
}

bool ASLoginItems::saveLoginItemsArray(const QList<LoginItem> &items)
{
    const QString autostart = autostartFolder();
    QStringList listed;
    for (const LoginItem &item : items) {
        if (!item.fileName.isEmpty()) {
            listed.append(item.fileName);
            continue;
        }
        if (!QDir().mkpath(autostart))
            return false;
        const QString name = unusedFileName(autostart, fileBaseFor(item.path));
        listed.append(name);
        if (!writeFileAtomically(autostart + QLatin1Char('/') + name, item.contents))
            return false;
    }

    bool removedAll = true;
    for (const QString &name : entryFileNames(autostart)) {
        if (!listed.contains(name))
            removedAll = QFile::remove(autostart + QLatin1Char('/') + name) && removedAll;
    }
    return removedAll;
}

LoginItem ASLoginItems::newLoginItem(const QString &path, bool hide)
{
    QString exec = execArgument(path);
    if (hide)
        exec += QLatin1Char(' ') + hiddenArgument;

    g_autoptr(GKeyFile) keyFile = g_key_file_new();
    const char *group = G_KEY_FILE_DESKTOP_GROUP;
    g_key_file_set_string(keyFile, group, G_KEY_FILE_DESKTOP_KEY_TYPE,
                          G_KEY_FILE_DESKTOP_TYPE_APPLICATION);
    g_key_file_set_string(keyFile, group, G_KEY_FILE_DESKTOP_KEY_NAME,
                          displayNameFor(path).toUtf8().constData());
    g_key_file_set_string(keyFile, group, G_KEY_FILE_DESKTOP_KEY_EXEC, exec.toUtf8().constData());
    gsize length = 0;
    g_autofree gchar *data = g_key_file_to_data(keyFile, &length, nullptr);
    return loginItemFromContents({}, QByteArray(data, qsizetype(length)));
}

LoginItem ASLoginItems::loginItemFromContents(const QString &fileName, const QByteArray &contents)
{
    LoginItem item;
    item.fileName = fileName;
    item.contents = contents;

    g_autoptr(GKeyFile) keyFile = g_key_file_new();
    if (!g_key_file_load_from_data(keyFile, contents.constData(), gsize(contents.size()),
                                   G_KEY_FILE_NONE, nullptr))
        return item;

    g_auto(GStrv) groups = g_key_file_get_groups(keyFile, nullptr);
    for (gchar **group = groups; *group; ++group) {
        g_auto(GStrv) keys = g_key_file_get_keys(keyFile, *group, nullptr, nullptr);
        for (gchar **key = keys; key && *key; ++key) {
            g_autofree gchar *value = g_key_file_get_value(keyFile, *group, *key, nullptr);
            item.keys.insert({QString::fromUtf8(*group), QString::fromUtf8(*key)},
                             QString::fromUtf8(value));
        }
    }

    const char *desktop = G_KEY_FILE_DESKTOP_GROUP;
    // An entry the session would skip starts nothing, so it is no login item of its program.
    if (g_key_file_get_boolean(keyFile, desktop, G_KEY_FILE_DESKTOP_KEY_HIDDEN, nullptr))
        return item;
    g_autoptr(GError) error = nullptr;
    const bool enabled =
        g_key_file_get_boolean(keyFile, desktop, "X-GNOME-Autostart-enabled", &error);
    if (!error && !enabled)
        return item;

    g_autofree gchar *exec =
        g_key_file_get_string(keyFile, desktop, G_KEY_FILE_DESKTOP_KEY_EXEC, nullptr);
    gint argc = 0;
    g_auto(GStrv) argv = nullptr;
    if (!exec || !g_shell_parse_argv(exec, &argc, &argv, nullptr))
        return item;
    QString program = QString::fromUtf8(argv[0]);
    item.path = absoluteProgram(program.replace(QStringLiteral("%%"), QStringLiteral("%")));
    for (gint i = 1; i < argc; ++i)
        item.hide = item.hide || hiddenArgument == QLatin1String(argv[i]);
    return item;
}
