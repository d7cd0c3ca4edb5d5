#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// One of an entry's desktop actions (Actions=): its id and localised Name.
struct RegistryAction {
    QString id;
    QString name;
};

// What the registry knows about one desktop entry, read once so the catalogue build never opens
// an entry twice.
struct RegistryEntry {
    QString path;              // the entry file's absolute path
    QString displayName;       // localised Name
    bool isClassicApp = false; // a Windows program run through Wine
    QString iconName;          // Icon: a theme name or an absolute file; empty when none
    QByteArray file;           // path as the file system spells it; empty: path's own encoding
    // What else finds the entry besides its name.
    QStringList keywords = {};     // localised Keywords
    QString genericName = {};      // localised GenericName
    QString untranslatedName = {}; // Name as written, when the user's language is not English
    QString command = {};          // the file name of the program Exec runs
    QList<RegistryAction> actions = {};
};

// The localised names of an entry's desktop action and of its application.
struct RegistryActionNames {
    QString action;
    QString application;
};

// The desktop entries the session sees, and the facts about the file system that decide when the
// catalogue is stale and which entries stay out of it.
class ApplicationRegistry
{
public:
    virtual ~ApplicationRegistry() = default;

    // Every entry that should be shown (NoDisplay, Hidden, OnlyShowIn/NotShowIn and a missing
    // TryExec are already applied), in the registry's order. Called on a worker thread while the
    // interface thread goes on: it must not touch what the interface thread uses.
    virtual QList<RegistryEntry> entries() = 0;
    // The same entries handed to visit one at a time, each as soon as it is read, so that a
    // caller keeping only part of each never holds all of them at once. By default from entries().
    virtual void readEntries(const std::function<void(RegistryEntry &&)> &visit)
    {
        for (RegistryEntry &entry : entries())
            visit(std::move(entry));
    }

    // Mount points of the removable media mounted now.
    virtual QStringList mountedRemovableMedia() = 0;

    // Every existing applications folder, highest precedence first. Their dates and those of the
    // folders below them tell that entries were added, removed or renamed.
    virtual QStringList applicationsFolders() = 0;

    // The path of the entry the registry resolves for a desktop file ID; empty when there is none.
    virtual QString entryPathForId(const QString &desktopId) = 0;

    // The names of the action actionId of the entry file at entryPath, as the file says them now
    // (whether or not the entry is shown); both empty when the file is no application or lacks
    // either name.
    virtual RegistryActionNames actionNames(const QString &entryPath, const QString &actionId) = 0;
};
