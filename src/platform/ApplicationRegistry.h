#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the registry knows about one desktop entry, read once so the catalogue build never opens
// an entry twice.
struct RegistryEntry {
    QString path;              // the entry file's absolute path
    QString displayName;       // localised Name
    bool isClassicApp = false; // a Windows program run through Wine
    QString iconName;          // Icon: a theme name or an absolute file; empty when none
};

// The desktop entries the session sees, and the facts about the file system that decide when the
// catalogue is stale and which entries stay out of it.
class ApplicationRegistry
{
public:
    virtual ~ApplicationRegistry() = default;

    // Every entry that should be shown (NoDisplay, Hidden, OnlyShowIn/NotShowIn and a missing
    // TryExec are already applied), in the registry's order.
    virtual QList<RegistryEntry> entries() = 0;

    // Mount points of the removable media mounted now.
    virtual QStringList mountedRemovableMedia() = 0;

    // Every existing applications folder whose modification date tells that entries were added,
    // removed or renamed.
    virtual QStringList applicationsFolders() = 0;

    // The path of the entry the registry resolves for a desktop file ID; empty when there is none.
    virtual QString entryPathForId(const QString &desktopId) = 0;

    // True when the registry said that its list changed after entries() last gave it: a registry
    // that learns of new entries a little after their folder changed may have listed too early.
    virtual bool changedSinceLastListing() { return false; }
};
