#pragma once

#include "platform/ApplicationRegistry.h"

#include <optional>

// The desktop entries of $XDG_DATA_HOME/applications and each $XDG_DATA_DIRS/*/applications, with
// the freedesktop rules GIO applies: desktop-file ids (subfolders joined with '-'), the folder of
// highest precedence owning an id, Hidden, NoDisplay, OnlyShowIn/NotShowIn, TryExec and a missing
// Exec program, localised names. Each entry is read with GLib's key-file reader; GIO's own listing
// is not used: it walks symbolic link loops without end and looks every file's id up in a list of
// all files, which grows with the square of the number of entries. GDesktopAppInfo cannot judge
// the keys instead: making one, even from a key file, first has GIO scan every folder itself.
class GioApplicationRegistry : public ApplicationRegistry
{
public:
    QList<RegistryEntry> entries() override;
    void readEntries(const std::function<void(RegistryEntry &&)> &visit) override;
    QStringList mountedRemovableMedia() override;
    QStringList applicationsFolders() override;
    QString entryPathForId(const QString &desktopId) override;
    RegistryActionNames actionNames(const QString &entryPath, const QString &actionId) override;

    // True when an Exec line starts a Windows program: its program, after any leading `env` and
    // VAR=value words, is wine, wine64, wine-stable or wine-development.
    static bool isWineCommandLine(const QString &commandLine);
    // The file name of the program an Exec line runs, read as isWineCommandLine reads it; for
    // `flatpak run`, the last dot-separated part of the application id. Empty when none.
    static QString commandProgram(const QString &commandLine);

    // The mount points in a mount table (the format of /proc/self/mounts) whose device is a
    // removable block device by the sysfs class folder blockDevices, without those that hold one
    // of keptFolders (the home and the applications folders).
    static QStringList removableMountPoints(const QString &mountTable, const QString &blockDevices,
                                            const QStringList &keptFolders);

    // The entry in one file, if it is an application that should be shown here; nothing for
    // anything else (another type, hidden, not for this desktop, its program missing, unreadable).
    static std::optional<RegistryEntry> readEntry(const QByteArray &file);
};
