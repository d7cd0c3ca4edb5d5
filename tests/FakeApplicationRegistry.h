#pragma once

#include "platform/ApplicationRegistry.h"

#include <QHash>

// A registry whose entries, media and folders the test sets.
class FakeApplicationRegistry : public ApplicationRegistry
{
public:
    QList<RegistryEntry> entryList;
    QStringList mediaList;
    QStringList folderList;
    QHash<QString, QString> pathsById;

    QList<RegistryEntry> entries() override { return entryList; }
    QStringList mountedRemovableMedia() override { return mediaList; }
    QStringList applicationsFolders() override { return folderList; }
    QString entryPathForId(const QString &desktopId) override { return pathsById.value(desktopId); }
    RegistryActionNames actionNames(const QString &entryPath, const QString &actionId) override
    {
        for (const RegistryEntry &entry : std::as_const(entryList)) {
            for (const RegistryAction &action : entry.actions) {
                if (entry.path == entryPath && action.id == actionId)
                    return {action.name, entry.displayName};
            }
        }
        return {};
    }

    void addEntry(const QString &path, const QString &name = QString(), bool classic = false)
    {
        entryList.append({path, name.isEmpty() ? path.section('/', -1) : name, classic, QString(),
                          QByteArray()});
    }
};
