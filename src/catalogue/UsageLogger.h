#pragma once

#include <QHash>
#include <QString>
#include <QVariantMap>

// How often each application (by entry path, exact string) was launched through Trovia, kept in
// $XDG_DATA_HOME/Trovia/Usage log.plist: {"Applications Uses": {path: count}}. The file is read
// once, when the logger is created (XML or binary), and rewritten whole, as XML and atomically,
// after every counted launch.
class UsageLogger
{
public:
    // Where the user's log is: $XDG_DATA_HOME/Trovia/Usage log.plist.
    static QString defaultPlistPath();

    // A logger over the given file; creates its folder and reads it.
    explicit UsageLogger(const QString &plistPath);

    // Counts one more launch (up to the largest 32-bit value) and writes the file.
    void applicationAtPathLaunched(const QString &path);
    // The count for a path; 0 when it was never launched. Writes nothing.
    int usageForApplicationAtPath(const QString &path) const;

    // Reads the file into the table. A missing file gives an empty table. A file that cannot be
    // read gives an empty table and a line in the system log, and is never written this run. A
    // file that cannot be parsed or understood gives what could be taken from it and a line in
    // the system log; it is moved aside to "<file>.corrupt" (or ".corrupt.2", ... when that is
    // taken) before the next write replaces it, so nothing is lost.
    void load();
    // Writes the table to the file; false when it could not (with a line in the system log) or
    // must not (a file that could not be read).
    bool save();
    // The file's top-level dictionary.
    QVariantMap plist() const;

    QString plistPath() const { return filePath; }

private:
    QHash<QString, int> usedApplications;
    QString filePath;
    bool keepFileBeforeWriting = false;
    bool leaveFileAlone = false;
};
