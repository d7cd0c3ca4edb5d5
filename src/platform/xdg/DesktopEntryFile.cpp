#include "platform/xdg/DesktopEntryFile.h"

#include <glib.h>
#include <sys/stat.h>

namespace
{
const char *const group = G_KEY_FILE_DESKTOP_GROUP;

QByteArray taken(gchar *value)
{
    const QByteArray result(value);
    g_free(value);
    return result;
}
} // namespace

DesktopEntryFile::DesktopEntryFile(const QByteArray &file)
    : keys(g_key_file_new()),
      loaded(g_key_file_load_from_file(keys, file.constData(), G_KEY_FILE_NONE, nullptr))
{
}

DesktopEntryFile::~DesktopEntryFile()
{
    g_key_file_unref(keys);
}

bool DesktopEntryFile::isApplication() const
{
    return loaded && taken(g_key_file_get_start_group(keys)) == group &&
           string(G_KEY_FILE_DESKTOP_KEY_TYPE) == G_KEY_FILE_DESKTOP_TYPE_APPLICATION;
}

QByteArray DesktopEntryFile::string(const char *key, const char *inGroup) const
{
    return taken(g_key_file_get_string(keys, inGroup ? inGroup : group, key, nullptr));
}

QByteArray DesktopEntryFile::localised(const char *key, const char *inGroup) const
{
    return taken(
        g_key_file_get_locale_string(keys, inGroup ? inGroup : group, key, nullptr, nullptr));
}

QStringList DesktopEntryFile::localisedList(const char *key) const
{
    QStringList result;
    gsize length = 0;
    char **items = g_key_file_get_locale_string_list(keys, group, key, nullptr, &length, nullptr);
    for (gsize i = 0; i < length; ++i) {
        const QString item = QString::fromUtf8(items[i]).trimmed();
        if (!item.isEmpty())
            result.append(item);
    }
    g_strfreev(items);
    return result;
}

bool DesktopEntryFile::flag(const char *key) const
{
    return g_key_file_get_boolean(keys, group, key, nullptr) != FALSE;
}

char **DesktopEntryFile::stringList(const char *key) const
{
    return g_key_file_get_string_list(keys, group, key, nullptr, nullptr);
}

QByteArray DesktopEntryFile::actionGroup(const QByteArray &actionId)
{
    return QByteArrayLiteral("Desktop Action ") + actionId;
}

bool DesktopEntryFile::isRegularFile(const QByteArray &file)
{
    struct stat status;
    return stat(file.constData(), &status) == 0 && S_ISREG(status.st_mode);
}
