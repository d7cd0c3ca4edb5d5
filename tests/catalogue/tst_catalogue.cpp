#include "FakeApplicationRegistry.h"
#include "FileSizeLimit.h"
#include "catalogue/Catalogue.h"

#include <QDir>
#include <QRegularExpression>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>

namespace
{

QStringList pathsOf(const ApplicationList &apps)
{
    QStringList paths;
    for (const ApplicationRef &app : apps)
        paths << app->path();
    return paths;
}

// Sets a folder's modification date to the millisecond.
bool setModificationDate(const QString &folder, const QDateTime &date)
{
    const qint64 ms = date.toMSecsSinceEpoch();
    const timespec times[2] = {{0, UTIME_OMIT}, {ms / 1000, (ms % 1000) * 1000000}};
    return utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0) == 0;
}

// A registry whose first listings wait at a gate, as a read from a FIFO or a slow disk would.
class GatedRegistry : public FakeApplicationRegistry
{
public:
    int gatedListings = 1;
    std::atomic<int> listings{0};
    std::atomic<int> listed{0};
    QSemaphore entered;
    QSemaphore gate;

    QList<RegistryEntry> entries() override
    {
        if (++listings <= gatedListings) {
            entered.release();
            gate.acquire();
        }
        const QList<RegistryEntry> result = entryList;
        ++listed;
        return result;
    }
};

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buildFilter_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("included");
        QTest::newRow("ordinary entry") << "/usr/share/applications/gimp.desktop" << true;
        QTest::newRow("URL characters") << "/home/me/My Apps/#1 100% Caf\u00e9?.desktop" << true;
        QTest::newRow("under /System/") << "/System/Library/Bar.desktop" << false;
        QTest::newRow("contains /System/") << "/opt/System/Foo.desktop" << true;
        QTest::newRow("hidden file") << "/home/me/.local/share/applications/.x.desktop" << false;
        QTest::newRow("inside a bundle") << "/opt/Suite.app/Contents/MacOS/Tool.desktop" << false;
        QTest::newRow("trash") << "/home/me/.Trash/Old.desktop" << false;
        QTest::newRow("backup store") << "/backup/Backups.backupdb/x/Old.desktop" << false;
        QTest::newRow("own entry, other case")
            << "/USR/share/applications/ORG.trovia.trovia.DESKTOP" << false;
        QTest::newRow("prefix of a medium's name") << "/media/me/Stick 2/b.desktop" << false;
        QTest::newRow("on another medium") << "/run/media/me/CARD/c.desktop" << false;
    }

    void buildFilter()
    {
        QFETCH(QString, path);
        QFETCH(bool, included);
        FakeApplicationRegistry registry;
        registry.pathsById.insert("org.trovia.Trovia.desktop",
                                  "/usr/share/applications/org.trovia.Trovia.desktop");
        // An empty mount point names no medium and must not hide everything.
        registry.mediaList = {"", "/media/me/Stick", "/run/media/me/CARD"};
        registry.addEntry(path);
        Catalogue catalogue(registry);
        catalogue.buildApplicationList();
        QCOMPARE(catalogue.apps().size(), included ? 1 : 0);
        if (included)
            QCOMPARE(catalogue.apps().first()->path(), path);
    }

    // Registry order, the first record per path, new records each build, announced around it;
    // removable media are those of the latest build.
    void buildReplacesTheCatalogue()
    {
        FakeApplicationRegistry registry;
        registry.addEntry("/a/zeta.desktop", "Zeta");
        registry.addEntry("/media/me/Stick/alpha.desktop", "Alpha");
        registry.addEntry("/a/zeta.desktop", "Zeta again");
        registry.addEntry("/a/Zeta.desktop", "Zeta in capitals");
        Catalogue catalogue(registry);
        QStringList events;
        connect(&catalogue, &Catalogue::buildStarted, this,
                [&] { events << QString("started %1").arg(catalogue.apps().size()); });
        connect(&catalogue, &Catalogue::buildFinished, this,
                [&] { events << QString("finished %1").arg(catalogue.apps().size()); });
        catalogue.buildApplicationList();
        QCOMPARE(events, QStringList({"started 0", "finished 3"}));
        QCOMPARE(
            pathsOf(catalogue.apps()),
            QStringList({"/a/zeta.desktop", "/media/me/Stick/alpha.desktop", "/a/Zeta.desktop"}));
        QCOMPARE(catalogue.apps().first()->displayName(), QString("Zeta"));

        const ApplicationRef old = catalogue.apps().first();
        old->setUsage(4);
        registry.mediaList = {"/media/me/Stick"};
        catalogue.buildApplicationList();
        QCOMPARE(pathsOf(catalogue.apps()), QStringList({"/a/zeta.desktop", "/a/Zeta.desktop"}));
        QVERIFY(catalogue.apps().first() != old);
        QCOMPARE(catalogue.apps().first()->usage(), 0);
    }

    void ownEntryIsGiosElseTheInstalledOne()
    {
        FakeApplicationRegistry registry;
        QVERIFY(QDir::isAbsolutePath(troviaEntryPath(registry)));
        QVERIFY(
            troviaEntryPath(registry).endsWith("/share/applications/org.trovia.Trovia.desktop"));
        registry.pathsById.insert("org.trovia.Trovia.desktop", "/home/me/apps/trovia.desktop");
        QCOMPARE(Catalogue(registry).applicationPath(), QString("/home/me/apps/trovia.desktop"));
    }

    void displayFilter_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("classic");
        QTest::addColumn<QStringList>("excluded");
        QTest::addColumn<bool>("includeClassic");
        QTest::addColumn<bool>("shown");
        const QString games = "/opt/Games/Chess.desktop";
        QTest::newRow("Wine app, included") << games << true << QStringList{} << true << true;
        QTest::newRow("Wine app, left out") << games << true << QStringList{} << false << false;
        QTest::newRow("native, Wine left out") << games << false << QStringList{} << false << true;
        QTest::newRow("plain prefix")
            << "/opt/Games Extra/Go.desktop" << false << QStringList{"/opt/Games"} << true << false;
        QTest::newRow("case-sensitive")
            << games << false << QStringList{"/opt/games"} << true << true;
        QTest::newRow("the entry itself")
            << games << false << QStringList{"/x", games} << true << false;
        QTest::newRow("empty location") << games << false << QStringList{""} << true << true;
        QTest::newRow("the root") << games << false << QStringList{"/"} << true << false;
    }

    void displayFilter()
    {
        QFETCH(QString, path);
        QFETCH(bool, classic);
        QFETCH(QStringList, excluded);
        QFETCH(bool, includeClassic);
        QFETCH(bool, shown);
        const Application app(QUrl::fromLocalFile(path), "Chess", classic, QString());
        QCOMPARE(Catalogue::shouldDisplayApplication(app, excluded, includeClassic), shown);
    }

    // Each folder's date relative to the last build, in milliseconds; "missing" for a folder
    // that does not exist, "sub" for a change in a subfolder only.
    void refreshByFolderDates_data()
    {
        QTest::addColumn<QStringList>("offsets");
        QTest::addColumn<bool>("changed");
        QTest::newRow("same moment") << QStringList{"0"} << false;
        QTest::newRow("a millisecond later") << QStringList{"1"} << true;
        QTest::newRow("earlier") << QStringList{"-60000"} << false;
        QTest::newRow("missing, then a later one") << QStringList{"missing", "1000"} << true;
        QTest::newRow("missing is unchanged") << QStringList{"missing"} << false;
        QTest::newRow("a subfolder is noticed") << QStringList{"sub"} << true;
    }

    void refreshByFolderDates()
    {
        QFETCH(QStringList, offsets);
        QFETCH(bool, changed);
        QTemporaryDir dir;
        FakeApplicationRegistry registry;
        for (int i = 0; i < offsets.size(); ++i) {
            registry.folderList << dir.filePath(QString("data%1/applications").arg(i));
            if (offsets.at(i) != "missing")
                QVERIFY(QDir().mkpath(registry.folderList.last() + "/sub"));
            // Far-future folders: nothing is stale before the first build.
            setModificationDate(registry.folderList.last(),
                                QDateTime::currentDateTime().addYears(1));
        }
        Catalogue catalogue(registry);
        QVERIFY(!catalogue.refreshIfApplicationsChanged());

        catalogue.buildApplicationList();
        const QDateTime built = catalogue.lastReloadDate();
        for (int i = 0; i < offsets.size(); ++i) {
            const QString folder = registry.folderList.at(i);
            if (offsets.at(i) == "sub")
                QVERIFY(setModificationDate(folder, built.addSecs(-1)) &&
                        setModificationDate(folder + "/sub", built.addSecs(5)));
            else if (offsets.at(i) != "missing")
                QVERIFY(setModificationDate(folder, built.addMSecs(offsets.at(i).toLongLong())));
        }
        registry.addEntry("/a/new.desktop");
        QSignalSpy finished(&catalogue, &Catalogue::buildFinished);
        QCOMPARE(catalogue.refreshIfApplicationsChanged(), changed);
        QCOMPARE(finished.count(), changed ? 1 : 0);
        QCOMPARE(catalogue.apps().size(), changed ? 1 : 0);
    }

    // A build that went stale while it ran is followed by one more, however often Trovia asked
    // meanwhile, and by no other.
    void staleBuildIsFollowedByExactlyOneMore()
    {
        QTemporaryDir dir;
        GatedRegistry registry;
        registry.folderList << dir.filePath("applications");
        QVERIFY(QDir().mkpath(registry.folderList.first()));
        QVERIFY(setModificationDate(registry.folderList.first(),
                                    QDateTime::currentDateTime().addDays(-1)));
        registry.addEntry("/a/first.desktop");
        Catalogue catalogue(registry);
        QSignalSpy started(&catalogue, &Catalogue::buildStarted);
        QSignalSpy finished(&catalogue, &Catalogue::buildFinished);
        catalogue.startBuild();
        QVERIFY(registry.entered.tryAcquire(1, 5000));
        const QDateTime reading = QDateTime::currentDateTimeUtc();
        QTRY_VERIFY(QDateTime::currentDateTimeUtc() > reading.addMSecs(2));
        QVERIFY(setModificationDate(registry.folderList.first(), QDateTime::currentDateTime()));
        for (int i = 0; i < 3; ++i) {
            catalogue.startBuildIfApplicationsChanged();
            catalogue.startBuild();
        }
        QCOMPARE(started.count(), 1);

        registry.gate.release();
        QTRY_COMPARE(finished.count(), 2);
        QVERIFY(!catalogue.isBuilding());
        QCOMPARE(registry.listings.load(), 2);
        QCOMPARE(catalogue.apps().size(), 1);
        QVERIFY(!catalogue.applicationsChangedSinceLastBuild());
    }

    // A build stuck in the registry does not stop the next one, nor the catalogue's end.
    void stuckBuildIsGivenUp()
    {
        GatedRegistry registry;
        registry.addEntry("/a/one.desktop");
        auto catalogue = std::make_unique<Catalogue>(registry);
        catalogue->setBuildTimeout(0);
        QSignalSpy finished(catalogue.get(), &Catalogue::buildFinished);
        catalogue->startBuild();
        QVERIFY(registry.entered.tryAcquire(1, 5000));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("has not finished"));
        QTest::failOnWarning(QRegularExpression(".*"));
        catalogue->startBuild();
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(catalogue->apps().size(), 1);

        registry.gatedListings = 3;
        catalogue->startBuild();
        QVERIFY(registry.entered.tryAcquire(1, 5000));
        catalogue.reset();
        // Both stuck listings end before the registry goes.
        registry.gate.release(2);
        QTRY_COMPARE(registry.listed.load(), 3);
    }

    // Each build leaves a snapshot the next start can match against at once; a damaged one is
    // refused with one log line and the catalogue stays empty until a build lands.
    void snapshotRoundTripAndRefusal_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("intact") << "";
        QTest::newRow("missing") << "missing";
        QTest::newRow("truncated") << "truncated";
        QTest::newRow("corrupt") << "corrupt";
        QTest::newRow("foreign version") << "version";
        QTest::newRow("FIFO") << "fifo";
    }

    void snapshotRoundTripAndRefusal()
    {
        QFETCH(QString, damage);
        // The snapshot lives apart from the applications folder, as in a real home: writing it
        // must not count as a change of that folder.
        QTemporaryDir dir, cache;
        const QString path = cache.filePath("Trovia/catalogue");
        FakeApplicationRegistry registry;
        registry.folderList << dir.path();
        registry.addEntry("/apps/plain.desktop", "Plain");
        registry.addEntry("/apps/notepad.desktop", "Notepad", true);
        registry.entryList.last().iconName = "wine-notepad";
        const QByteArray latin1 = "/apps/caf\xe9.desktop";
        registry.entryList.append({QFile::decodeName(latin1), QString::fromUtf8("Café"), false,
                                   "/icons/cafe.png", latin1});
        Catalogue built(registry);
        built.setSnapshotPath(path);
        built.buildApplicationList();

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray data = file.readAll();
        if (damage == "truncated")
            data.chop(10);
        else if (damage == "corrupt")
            data[data.size() / 2] = char(data.at(data.size() / 2) ^ 0x20);
        else if (damage == "version")
            data[7] =
                char(data.at(7) + 1); // the version follows the four bytes of the magic number
        QVERIFY(file.resize(0) && file.write(data) == data.size());
        file.close();
        if (damage == "missing" || damage == "fifo")
            QVERIFY(QFile::remove(path));
        if (damage == "fifo")
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);

        Catalogue restored(registry);
        restored.setSnapshotPath(path);
        if (!damage.isEmpty())
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("^" + QRegularExpression::escape(path) + ": "));
        QTest::failOnWarning(QRegularExpression(".*"));
        QCOMPARE(restored.loadSnapshot(), damage.isEmpty());
        if (!damage.isEmpty()) {
            QVERIFY(restored.apps().isEmpty());
            return;
        }
        QCOMPARE(restored.lastReloadDate(), built.lastReloadDate());
        QVERIFY(!restored.applicationsChangedSinceLastBuild());
        QCOMPARE(restored.apps().size(), 3);
        for (int i = 0; i < 3; ++i) {
            const Application &was = *built.apps().at(i);
            const Application &is = *restored.apps().at(i);
            QCOMPARE(is.path(), was.path());
            QCOMPARE(is.file(), was.file());
            QCOMPARE(is.displayName(), was.displayName());
            QCOMPARE(is.isClassicApp(), was.isClassicApp());
            QCOMPARE(is.iconName(), was.iconName());
        }
        QCOMPARE(restored.apps().last()->file(), latin1);
    }

    // A snapshot is written as it is made, in pieces: a large one reads back whole, and a write
    // that fails part of the way (a full disk) leaves the last good snapshot alone.
    void largeSnapshotAndFullDisk()
    {
        QTemporaryDir cache;
        const QString path = cache.filePath("catalogue");
        FakeApplicationRegistry registry;
        for (int i = 0; i < 3000; ++i) {
            registry.addEntry(QString("/apps/entry-%1.desktop").arg(i), QString("Name %1").arg(i));
            registry.entryList.last().keywords = {QString("word%1").arg(i), "tool"};
            registry.entryList.last().actions = {{"new", QString("New %1").arg(i)}};
        }
        const CatalogueContents large = Catalogue::build(registry, QString());
        registry.entryList.resize(1);
        QString error;
        QVERIFY2(CatalogueSnapshot::write(path, Catalogue::build(registry, QString()), &error),
                 qPrintable(error));
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray before = written.readAll();
        written.close();

        {
            FileSizeLimit full(before.size() + 100 * 1024);
            QVERIFY(full.isActive());
            QVERIFY(!CatalogueSnapshot::write(path, large, &error));
        }
        QVERIFY(!error.isEmpty());
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), before);
        written.close();
        QCOMPARE(QDir(cache.path()).entryList(QDir::Files), QStringList{"catalogue"});

        QVERIFY2(CatalogueSnapshot::write(path, large, &error), qPrintable(error));
        QVERIFY(QFileInfo(path).size() > 3 * 64 * 1024);
        std::optional<CatalogueContents> read = CatalogueSnapshot::read(path, &error);
        QVERIFY2(read, qPrintable(error));
        const MatchingIndex &index = read->index;
        QCOMPARE(pathsOf(index.apps()), pathsOf(large.index.apps()));
        QCOMPARE(index.actions().size(), 3000);
        QCOMPARE(index.apps().at(2999)->searchTexts().at(1).text, QString("tool"));
        QCOMPARE(index.actions().at(2999)->displayName(), QString("New 2999"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
