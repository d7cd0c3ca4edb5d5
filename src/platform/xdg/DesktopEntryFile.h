#pragma once

#include <QByteArray>
#include <QStringList>

typedef struct _GKeyFile GKeyFile;

// One desktop entry file as GLib's key-file parser reads it: the values of its [Desktop Entry]
// group, as bytes, empty where a key is missing.
class DesktopEntryFile
{
public:
    // Reads file; a file that cannot be read holds no values.
    explicit DesktopEntryFile(const QByteArray &file);
    ~DesktopEntryFile();
    DesktopEntryFile(const DesktopEntryFile &) = delete;
    DesktopEntryFile &operator=(const DesktopEntryFile &) = delete;

    // Read, its first group [Desktop Entry], its Type Application: what GIO would launch.
    bool isApplication() const;

    // From [Desktop Entry], or from the group named.
    QByteArray string(const char *key, const char *inGroup = nullptr) const;
    // In the user's language where the entry has it.
    QByteArray localised(const char *key, const char *inGroup = nullptr) const;
    QStringList localisedList(const char *key) const;
    bool flag(const char *key) const;
    // The list's items, or nullptr when the key is missing; free with g_strfreev.
    char **stringList(const char *key) const;

    // Whether file is a regular file, the only kind read as an entry: opening a FIFO would wait
    // for a writer.
    static bool isRegularFile(const QByteArray &file);
    // The group of one of the entry's desktop actions.
    static QByteArray actionGroup(const QByteArray &actionId);

private:
    GKeyFile *keys;
    bool loaded;
};
