#pragma once

#include "Application.h"
#include "Matching.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>

class ApplicationRegistry;

// The set of applications Trovia can offer: built from the registry's entries through the build
// filter, one record per entry path (the first the registry lists wins), in the registry's order.
// The display filter (shouldDisplayApplication) runs later, at each matching pass.
class Catalogue : public QObject
{
    Q_OBJECT

public:
    // The registry is not owned and must outlive the catalogue. applicationPath starts as
    // troviaEntryPath(registry).
    explicit Catalogue(ApplicationRegistry &registry, QObject *parent = nullptr);

    // The records of the last build; empty before the first.
    const ApplicationList &apps() const { return index.apps(); }
    // The same records ready for buildMatchingApplicationList.
    const MatchingIndex &matchingIndex() const { return index; }
    // When the last build took the registry's list; invalid before the first build.
    QDateTime lastReloadDate() const { return reloadDate; }
    // The removable media mount points taken when the last build began.
    QStringList mountedRemovableMedia() const { return removableMedia; }
    // Trovia's own entry, which the build leaves out (compared ignoring letter case).
    QString applicationPath() const { return ownEntryPath; }
    void setApplicationPath(const QString &path) { ownEntryPath = path; }

    // Replaces the whole catalogue with records of the registry's current entries. Runs to the
    // end before returning, between buildStarted() and buildFinished().
    void buildApplicationList();

    // The build filter: false for a path under /System/, a hidden file, an entry inside an .app
    // bundle, in a trash or a backup store, Trovia's own entry, or on a removable medium.
    bool shouldIncludePath(const QString &path) const;

    // True when an applications folder was modified strictly after the last build (folders whose
    // date cannot be read count as unchanged), or when the registry said its list changed after
    // the build took it; false before the first build.
    bool applicationsChangedSinceLastBuild() const;
    // Builds again when applicationsChangedSinceLastBuild(); true when it did (the caller then
    // rebuilds its matching list).
    bool refreshIfApplicationsChanged();

    // The display filter: false for a Windows (Wine) application while they are not included,
    // and for a record whose path begins with one of the excluded locations (plain prefix, letter
    // case included; an empty location excludes nothing).
    static bool shouldDisplayApplication(const Application &app,
                                         const QStringList &excludedLocations,
                                         bool includeClassicApps);

Q_SIGNALS:
    // Around every build, for the progress indicator.
    void buildStarted();
    void buildFinished();

private:
    ApplicationRegistry &registry;
    MatchingIndex index;
    QDateTime reloadDate;
    QStringList removableMedia;
    QString ownEntryPath;
};

// Trovia's own desktop entry: the file GIO resolves for "trovia.desktop", else the installed one.
QString troviaEntryPath(ApplicationRegistry &registry);
