#pragma once

#include "ApplicationRegistry.h"

struct _GAppInfoMonitor;

// The registry as GIO sees it: $XDG_DATA_HOME/applications and each $XDG_DATA_DIRS/*/applications,
// with GIO's precedence, localisation and show rules.
class GioApplicationRegistry : public ApplicationRegistry
{
public:
    GioApplicationRegistry();
    ~GioApplicationRegistry() override;
    GioApplicationRegistry(const GioApplicationRegistry &) = delete;
    GioApplicationRegistry &operator=(const GioApplicationRegistry &) = delete;

    QList<RegistryEntry> entries() override;
    QStringList mountedRemovableMedia() override;
    QStringList applicationsFolders() override;
    QString entryPathForId(const QString &desktopId) override;
    // GIO reads its folders again some milliseconds after they change and then says so (while
    // the event loop runs); a list taken in between misses the change.
    bool changedSinceLastListing() override { return listChanged; }

    // True when an Exec line starts a Windows program: its program, after any leading `env` and
    // VAR=value words, is wine, wine64, wine-stable or wine-development.
    static bool isWineCommandLine(const QString &commandLine);

private:
    _GAppInfoMonitor *monitor;
    bool listChanged = false;
};
