#include "catalogue/Catalogue.h"

#include "core/ApplicationId.h"
#include "core/Logging.h"
#include "platform/ApplicationRegistry.h"
#include "platform/FolderWalk.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>
#include <atomic>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace
{

// The folders themselves and every folder below them: a subfolder's date changes when an entry
// is added to it (Wine puts its entries in applications/wine/Programs/...).
QStringList foldersBelow(const QStringList &folders)
{
    FolderWalk::Walk walk;
    for (const QString &folder : folders)
        FolderWalk::walk(QFile::encodeName(folder), QByteArray(), walk);
    QStringList result;
    result.reserve(walk.folders.size());
    for (const QByteArray &folder : std::as_const(walk.folders))
        result.append(QFile::decodeName(folder));
    return result;
}

void writeSnapshot(const QString &path, const CatalogueContents &contents)
{
    QString error;
    if (!CatalogueSnapshot::write(path, contents, &error))
        qCWarning(lcCatalogue).noquote() << QStringLiteral("%1: %2").arg(path, error);
}

} // namespace

// One build on the worker: what it needs, taken on the interface thread, and what it made.
struct Catalogue::BuildJob {
    ApplicationRegistry *registry = nullptr;
    QString applicationPath;
    QString snapshotPath;
    CatalogueContents contents;
    // Set when nobody waits for the result any more (quit, or given up as stuck): the build
    // then leaves the snapshot alone.
    std::atomic<bool> unheard{false};
};

Catalogue::Catalogue(ApplicationRegistry &applicationRegistry, QObject *parent)
    : QObject(parent), registry(applicationRegistry), ownEntryPath(troviaEntryPath(registry))
{
}

Catalogue::~Catalogue()
{
    if (job)
        job->unheard = true;
}

CatalogueContents Catalogue::build(ApplicationRegistry &registry, const QString &applicationPath)
{
    CatalogueContents built;
    built.reloadDate = QDateTime::currentDateTimeUtc();
    built.removableMedia = registry.mountedRemovableMedia();
    const QStringList topFolders = registry.applicationsFolders();

    // Each entry becomes a record as it is read and is gone before the next is read: the
    // catalogue never holds all the entries beside all the records.
    std::vector<Application> records;
    QSet<QString> paths;
    registry.readEntries([&](RegistryEntry &&entry) {
        if (paths.contains(entry.path) ||
            !shouldIncludePath(entry.path, applicationPath, built.removableMedia))
            return;
        paths.insert(entry.path);
        Application &app = records.emplace_back(entry.path, entry.displayName, entry.isClassicApp,
                                                entry.iconName, entry.file);
        QList<Application::SearchText> texts;
        const auto add = [&texts](Application::TextKind kind, const QString &text) {
            if (!text.trimmed().isEmpty())
                texts.append({kind, text});
        };
        add(Application::TextKind::UntranslatedName, entry.untranslatedName);
        add(Application::TextKind::Command, entry.command);
        for (const QString &keyword : std::as_const(entry.keywords))
            add(Application::TextKind::Keyword, keyword);
        add(Application::TextKind::GenericName, entry.genericName);
        app.setSearchTexts(texts);
        for (const RegistryAction &action : std::as_const(entry.actions))
            app.addAction(action.id, action.name);
    });
    paths = QSet<QString>();
    const ApplicationList applications = sharedAsOneBlock(std::move(records));
    built.folders = foldersBelow(topFolders);
    built.index = MatchingIndex(applications);
    return built;
}

void Catalogue::buildApplicationList()
{
    Q_EMIT buildStarted();
    CatalogueContents built = build(registry, ownEntryPath);
    if (!snapshotFile.isEmpty())
        writeSnapshot(snapshotFile, built);
    adopt(std::move(built));
}

void Catalogue::startBuild()
{
    if (job) {
        if (jobAge.elapsed() < buildTimeoutMs)
            return;
        // Most likely an open that never returns; the next build must not wait for it.
        qCWarning(lcCatalogue).noquote()
            << QStringLiteral("The catalogue build has not finished after %1 ms; "
                              "it is given up and another one starts.")
                   .arg(jobAge.elapsed());
        job->unheard = true;
    }
    auto started = std::make_shared<BuildJob>();
    started->registry = &registry;
    started->applicationPath = ownEntryPath;
    started->snapshotPath = snapshotFile;
    job = started;
    jobAge.start();
    QThread *thread = QThread::create([started] {
        started->contents = build(*started->registry, started->applicationPath);
        if (!started->snapshotPath.isEmpty() && !started->unheard)
            writeSnapshot(started->snapshotPath, started->contents);
    });
    // Delivered on this object's thread, and not at all once it is gone.
    connect(thread, &QThread::finished, this, [this, started] { buildLanded(started); });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    Q_EMIT buildStarted();
    thread->start();
}

void Catalogue::buildLanded(const std::shared_ptr<BuildJob> &landed)
{
    // A build given up as stuck that finished after all: the newer one is on its way.
    if (landed != job)
        return;
    job.reset();
    const QDateTime began = landed->contents.reloadDate;
    adopt(std::move(landed->contents));
    // A folder changed while the build read: exactly one more build, for that change.
    if (changedBetween(began, QDateTime::currentDateTimeUtc()))
        startBuild();
}

void Catalogue::adopt(CatalogueContents &&built)
{
    contents = std::move(built);
    Q_EMIT buildFinished();
#ifdef __GLIBC__
    // The replaced records are gone once the list has matched the new ones, and the build's
    // reading left its garbage in the worker thread's heap: glibc keeps all of that resident
    // until asked to give it back.
    malloc_trim(0);
#endif
}

bool Catalogue::loadSnapshot()
{
    if (snapshotFile.isEmpty())
        return false;
    QString error;
    std::optional<CatalogueContents> read = CatalogueSnapshot::read(snapshotFile, &error);
    if (!read) {
        qCWarning(lcCatalogue).noquote()
            << QStringLiteral("%1: %2; the catalogue is built afresh.").arg(snapshotFile, error);
        return false;
    }
    contents = std::move(*read);
    return true;
}

bool Catalogue::shouldIncludePath(const QString &path, const QString &applicationPath,
                                  const QStringList &removableMedia)
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
    if (path.compare(applicationPath, Qt::CaseInsensitive) == 0)
        return false;
    for (const QString &mountPoint : removableMedia) {
        // An empty mount point is a prefix of everything; it names no medium.
        if (!mountPoint.isEmpty() && path.startsWith(mountPoint))
            return false;
    }
    return true;
}

bool Catalogue::changedBetween(const QDateTime &since, const QDateTime &until) const
{
    if (!since.isValid())
        return false;
    const QStringList topFolders = registry.applicationsFolders();
    for (const QString &folder : topFolders) {
        if (!contents.folders.contains(folder) && QFileInfo(folder).isDir())
            return true;
    }
    for (const QString &folder : contents.folders) {
        const QDateTime modified = QFileInfo(folder).lastModified();
        if (modified.isValid() && modified > since && (!until.isValid() || modified <= until))
            return true;
    }
    return false;
}

bool Catalogue::applicationsChangedSinceLastBuild() const
{
    return changedBetween(contents.reloadDate, QDateTime());
}

bool Catalogue::refreshIfApplicationsChanged()
{
    if (!applicationsChangedSinceLastBuild())
        return false;
    buildApplicationList();
    return true;
}

void Catalogue::startBuildIfApplicationsChanged()
{
    // A running build looks again when it lands; one that is stuck is replaced.
    if (job ? jobAge.elapsed() >= buildTimeoutMs : applicationsChangedSinceLastBuild())
        startBuild();
}

bool Catalogue::shouldDisplayApplication(const Application &app,
                                         const QStringList &excludedLocations,
                                         bool includeClassicApps)
{
    if (!includeClassicApps && app.isClassicApp())
        return false;
    if (excludedLocations.isEmpty())
        return true;
    // An action goes with its application's entry, and alone by its own key.
    const QString &path = app.path();
    for (const QString &location : excludedLocations) {
        if (!location.isEmpty() && path.startsWith(location))
            return false;
    }
    return !app.isAction() || !excludedLocations.contains(app.usageKey());
}

QString troviaEntryPath(ApplicationRegistry &registry)
{
    const QString resolved = registry.entryPathForId(troviaDesktopEntryId());
    return resolved.isEmpty() ? QStringLiteral(TROVIA_INSTALLED_ENTRY) : resolved;
}
