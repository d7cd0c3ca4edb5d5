#pragma once

#include "catalogue/Application.h"
#include "catalogue/CatalogueSnapshot.h"
#include "catalogue/Matching.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <memory>

class ApplicationRegistry;

// The set of applications Trovia can offer: built from the registry's entries through the build
// filter, one record per entry path (the first the registry lists wins), in the registry's order.
// The display filter (shouldDisplayApplication) runs later, at each matching pass.
//
// Builds run on a worker thread (startBuild) and are swapped in whole on the thread that owns the
// catalogue, which then hears buildFinished(). One build runs at a time; a build that went stale
// while it ran (a folder changed meanwhile) is followed by exactly one more.
class Catalogue : public QObject
{
    Q_OBJECT

public:
    // The registry is not owned and must outlive the catalogue. applicationPath starts as
    // troviaEntryPath(registry).
    explicit Catalogue(ApplicationRegistry &registry, QObject *parent = nullptr);
    // Does not wait for a running build: it is left to finish on its own, unheard.
    ~Catalogue() override;

    // The records of the last build; empty before the first.
    const ApplicationList &apps() const { return contents.index.apps(); }
    // The same records ready for buildMatchingApplicationList.
    const MatchingIndex &matchingIndex() const { return contents.index; }
    // When the last build began to read the registry; invalid before the first build.
    QDateTime lastReloadDate() const { return contents.reloadDate; }
    // The removable media mount points taken when the last build began.
    QStringList mountedRemovableMedia() const { return contents.removableMedia; }
    // Trovia's own entry, which the build leaves out (compared ignoring letter case).
    QString applicationPath() const { return ownEntryPath; }

    // Where builds leave their snapshot and loadSnapshot() reads it; empty (the default) for
    // none.
    void setSnapshotPath(const QString &path) { snapshotFile = path; }
    // Takes the snapshot's records as the catalogue until the first build lands; false, with
    // one log line, when there is no usable snapshot.
    bool loadSnapshot();

    // Replaces the whole catalogue with records of the registry's current entries, on the
    // calling thread, between buildStarted() and buildFinished().
    void buildApplicationList();

    // Starts a build on a worker thread unless one is running; buildStarted() now,
    // buildFinished() when it has been swapped in. A build that has run for longer than the
    // build timeout without landing (an open that never returns) is given up, and a new one
    // starts.
    void startBuild();
    bool isBuilding() const { return job != nullptr; }
    void setBuildTimeout(int milliseconds) { buildTimeoutMs = milliseconds; }

    // The build filter: false for a path under /System/, a hidden file, an entry inside an .app
    // bundle, in a trash or a backup store, Trovia's own entry (applicationPath), or on one of
    // the removable media; what every build asks of each entry.
    static bool shouldIncludePath(const QString &path, const QString &applicationPath,
                                  const QStringList &removableMedia);

    // True when an applications folder, or a folder below one, was modified strictly after the
    // last build began (folders whose date cannot be read count as unchanged), or when an
    // applications folder appeared; false before the first build.
    bool applicationsChangedSinceLastBuild() const;
    // Builds again, on the calling thread, when applicationsChangedSinceLastBuild(); true when
    // it did (the caller then rebuilds its matching list).
    bool refreshIfApplicationsChanged();
    // The same on the worker: starts a build when the applications changed. While a build runs
    // it does nothing, as the build's landing looks again.
    void startBuildIfApplicationsChanged();

    // The display filter: false for a Windows (Wine) application while they are not included,
    // and for a record whose path begins with one of the excluded locations (plain prefix, letter
    // case included; an empty location excludes nothing); an action record also when its usage
    // key is one of them.
    static bool shouldDisplayApplication(const Application &app,
                                         const QStringList &excludedLocations,
                                         bool includeClassicApps);

    // One whole build from the registry, on any thread: what buildApplicationList and the worker
    // run. The registry is used before anything slow starts, and not after its entries are read.
    static CatalogueContents build(ApplicationRegistry &registry, const QString &applicationPath);

Q_SIGNALS:
    // Around every build, for the progress indicator; buildFinished() once the new records are
    // in place (the matching list still holds the old ones).
    void buildStarted();
    void buildFinished();

private:
    struct BuildJob;
    void adopt(CatalogueContents &&built);
    void buildLanded(const std::shared_ptr<BuildJob> &landed);
    bool changedBetween(const QDateTime &since, const QDateTime &until) const;

    ApplicationRegistry &registry;
    CatalogueContents contents;
    QString ownEntryPath;
    QString snapshotFile;
    std::shared_ptr<BuildJob> job;
    QElapsedTimer jobAge;
    int buildTimeoutMs = 30 * 1000;
};

// Trovia's own desktop entry: the file the registry resolves for its id, else the
// installed one.
QString troviaEntryPath(ApplicationRegistry &registry);
