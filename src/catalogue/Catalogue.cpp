#include "Catalogue.h"

#include "ApplicationRegistry.h"

#include <QFileInfo>
#include <QSet>

Catalogue::Catalogue(ApplicationRegistry &applicationRegistry, QObject *parent)
    : QObject(parent), registry(applicationRegistry), ownEntryPath(troviaEntryPath(registry))
{
}

void Catalogue::buildApplicationList()
{
    Q_EMIT buildStarted();
    const QList<RegistryEntry> entries = registry.entries();
    reloadDate = QDateTime::currentDateTimeUtc();
    ApplicationList applications;
    applications.reserve(entries.size());
    removableMedia = registry.mountedRemovableMedia();

    QSet<QString> paths;
    paths.reserve(entries.size());
    for (const RegistryEntry &entry : entries) {
        if (paths.contains(entry.path) || !shouldIncludePath(entry.path))
            continue;
        paths.insert(entry.path);
        applications.append(std::make_shared<Application>(QUrl::fromLocalFile(entry.path),
                                                          entry.displayName, entry.isClassicApp,
                                                          entry.iconName));
    }
    index = MatchingIndex(applications);
    Q_EMIT buildFinished();
}

bool Catalogue::shouldIncludePath(const QString &path) const
{
    if (path.startsWith(QLatin1String("/System/")))
        return false;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (path.mid(slash + 1).startsWith(QLatin1Char('.')))
        return false;
    if (slash > 0 && path.left(slash).contains(QLatin1String(".app/")))
        return false;
    if (path.contains(QLatin1String("/.Trash/")) || path.contains(QLatin1String("/.Trashes/")) ||
        path.contains(QLatin1String("/Backups.backupdb/")))
        return false;
    if (path.compare(ownEntryPath, Qt::CaseInsensitive) == 0)
        return false;
    for (const QString &mountPoint : removableMedia) {
        // An empty mount point is a prefix of everything; it names no medium.
        if (!mountPoint.isEmpty() && path.startsWith(mountPoint))
            return false;
    }
    return true;
}

bool Catalogue::applicationsChangedSinceLastBuild() const
{
    if (!reloadDate.isValid())
        return false;
    bool changed = registry.changedSinceLastListing();
    const QStringList folders = registry.applicationsFolders();
    for (const QString &folder : folders) {
        const QDateTime modified = QFileInfo(folder).lastModified();
        if (modified.isValid() && modified > reloadDate)
            changed = true;
    }
    return changed;
}

bool Catalogue::refreshIfApplicationsChanged()
{
    if (!applicationsChangedSinceLastBuild())
        return false;
    buildApplicationList();
    return true;
}

bool Catalogue::shouldDisplayApplication(const Application &app,
                                         const QStringList &excludedLocations,
                                         bool includeClassicApps)
{
    if (!includeClassicApps && app.isClassicApp())
        return false;
    const QString path = app.path();
    for (const QString &location : excludedLocations) {
        if (!location.isEmpty() && path.startsWith(location))
            return false;
    }
    return true;
}

QString troviaEntryPath(ApplicationRegistry &registry)
{
    const QString resolved = registry.entryPathForId(QStringLiteral("trovia.desktop"));
    return resolved.isEmpty() ? QStringLiteral(TROVIA_INSTALLED_ENTRY) : resolved;
}
