#pragma once

#include "ApplicationRegistry.h"

// The registry as GIO sees it: $XDG_DATA_HOME/applications and each $XDG_DATA_DIRS/*/applications,
// with GIO's precedence, localisation and show rules.
class GioApplicationRegistry : public ApplicationRegistry
{
public:
    QList<RegistryEntry> entries() override;
    QStringList mountedRemovableMedia() override;
    QStringList applicationsFolders() override;
    QString entryPathForId(const QString &desktopId) override;

    // True when an Exec line starts a Windows program: its program, after any leading `env` and
    // VAR=value words, is wine, wine64, wine-stable or wine-development.
    static bool isWineCommandLine(const QString &commandLine);
};
