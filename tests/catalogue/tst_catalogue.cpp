#include "Catalogue.h"
#include "FakeApplicationRegistry.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
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
        QTest::newRow("under /System/") << "/System/Applications/Foo.desktop" << false;
        QTest::newRow("deeper under /System/")
            << "/System/Library/CoreServices/Bar.desktop" << false;
        QTest::newRow("contains /System/") << "/opt/System/Foo.desktop" << true;
        QTest::newRow("hidden file") << "/home/me/.local/share/applications/.x.desktop" << false;
        QTest::newRow("hidden folder only")
            << "/home/me/.local/share/applications/x.desktop" << true;
        QTest::newRow("inside a bundle") << "/opt/Suite.app/Contents/MacOS/Tool.desktop" << false;
        QTest::newRow("beside a bundle's top") << "/opt/Suite.app/Tool.desktop" << true;
        QTest::newRow("bundle name is the entry") << "/opt/apps/Tool.app" << true;
        QTest::newRow("trash") << "/home/me/.Trash/Old.desktop" << false;
        QTest::newRow("trashes") << "/media/data/.Trashes/1000/Old.desktop" << false;
        QTest::newRow("backup store") << "/backup/Backups.backupdb/x/Old.desktop" << false;
        QTest::newRow("own entry") << "/usr/share/applications/trovia.desktop" << false;
        QTest::newRow("own entry, other case") << "/USR/share/applications/Trovia.DESKTOP" << false;
        QTest::newRow("on a removable medium") << "/media/me/Stick/apps/a.desktop" << false;
        QTest::newRow("prefix of a medium's name") << "/media/me/Stick 2/b.desktop" << false;
        QTest::newRow("medium name differs in case") << "/media/me/stick/c.desktop" << true;
        QTest::newRow("on another medium") << "/run/media/me/CARD/c.desktop" << false;
    }

    void buildFilter()
    {
        QFETCH(QString, path);
        QFETCH(bool, included);
        FakeApplicationRegistry registry;
        registry.pathsById.insert("trovia.desktop", "/usr/share/applications/trovia.desktop");
        // An empty mount point names no medium and must not hide everything.
        registry.mediaList = {"", "/media/me/Stick", "/run/media/me/CARD"};
        registry.addEntry(path);
        Catalogue catalogue(registry);
        catalogue.buildApplicationList();
        QCOMPARE(catalogue.shouldIncludePath(path), included);
        QCOMPARE(catalogue.apps().size(), included ? 1 : 0);
    }

    void buildKeepsRegistryOrderAndTheFirstRecordPerPath()
    {
        FakeApplicationRegistry registry;
        registry.addEntry("/a/zeta.desktop", "Zeta");
        registry.addEntry("/a/alpha.desktop", "Alpha");
        registry.addEntry("/a/zeta.desktop", "Zeta again");
        registry.addEntry("/a/Zeta.desktop", "Zeta in capitals");
        Catalogue catalogue(registry);
        QVERIFY(catalogue.apps().isEmpty());
        QVERIFY(!catalogue.lastReloadDate().isValid());
        catalogue.buildApplicationList();
        QCOMPARE(pathsOf(catalogue.apps()),
                 QStringList({"/a/zeta.desktop", "/a/alpha.desktop", "/a/Zeta.desktop"}));
        QCOMPARE(catalogue.apps().first()->displayName(), QString("Zeta"));
    }

    void buildReplacesTheCatalogueWithNewRecords()
    {
        FakeApplicationRegistry registry;
        registry.addEntry("/a/one.desktop");
        Catalogue catalogue(registry);
        catalogue.buildApplicationList();
        const ApplicationRef old = catalogue.apps().first();
        old->setUsage(4);
        registry.addEntry("/a/two.desktop");
        catalogue.buildApplicationList();
        QCOMPARE(pathsOf(catalogue.apps()), QStringList({"/a/one.desktop", "/a/two.desktop"}));
        QVERIFY(catalogue.apps().first() != old);
        QCOMPARE(catalogue.apps().first()->usage(), 0);

        registry.entryList.clear();
        catalogue.buildApplicationList();
        QVERIFY(catalogue.apps().isEmpty());
        QVERIFY(catalogue.lastReloadDate().isValid());
    }

    void removableMediaAreThoseOfTheBuild()
    {
        FakeApplicationRegistry registry;
        registry.addEntry("/media/me/Stick/a.desktop");
        registry.addEntry("/usr/share/applications/b.desktop");
        Catalogue catalogue(registry);
        catalogue.buildApplicationList();
        QCOMPARE(catalogue.apps().size(), 2);

        registry.mediaList = {"/media/me/Stick"};
        QVERIFY(catalogue.shouldIncludePath("/media/me/Stick/a.desktop"));
        catalogue.buildApplicationList();
        QCOMPARE(catalogue.mountedRemovableMedia(), QStringList{"/media/me/Stick"});
        QCOMPARE(pathsOf(catalogue.apps()), QStringList{"/usr/share/applications/b.desktop"});
    }

    void buildIsAnnouncedAroundIt()
    {
        FakeApplicationRegistry registry;
        registry.addEntry("/a/one.desktop");
        Catalogue catalogue(registry);
        QStringList events;
        connect(&catalogue, &Catalogue::buildStarted, this,
                [&] { events << QString("started %1").arg(catalogue.apps().size()); });
        connect(&catalogue, &Catalogue::buildFinished, this,
                [&] { events << QString("finished %1").arg(catalogue.apps().size()); });
        catalogue.buildApplicationList();
        QCOMPARE(events, QStringList({"started 0", "finished 1"}));
    }

    void ownEntryIsGiosElseTheInstalledOne()
    {
        FakeApplicationRegistry registry;
        QVERIFY(troviaEntryPath(registry).endsWith("/share/applications/trovia.desktop"));
        QVERIFY(QDir::isAbsolutePath(troviaEntryPath(registry)));
        registry.pathsById.insert("trovia.desktop",
                                  "/home/me/.local/share/applications/trovia.desktop");
        QCOMPARE(Catalogue(registry).applicationPath(),
                 QString("/home/me/.local/share/applications/trovia.desktop"));
    }

    void displayFilter_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("classic");
        QTest::addColumn<QStringList>("excluded");
        QTest::addColumn<bool>("includeClassic");
        QTest::addColumn<bool>("shown");
        const QString games = "/opt/Games/Chess.desktop";
        QTest::newRow("nothing excluded") << games << false << QStringList{} << true << true;
        QTest::newRow("Wine app, included") << games << true << QStringList{} << true << true;
        QTest::newRow("Wine app, left out") << games << true << QStringList{} << false << false;
        QTest::newRow("native app, Wine left out")
            << games << false << QStringList{} << false << true;
        QTest::newRow("excluded folder")
            << games << false << QStringList{"/opt/Games"} << true << false;
        QTest::newRow("plain prefix")
            << "/opt/Games Extra/Go.desktop" << false << QStringList{"/opt/Games"} << true << false;
        QTest::newRow("prefix is case-sensitive")
            << games << false << QStringList{"/opt/games"} << true << true;
        QTest::newRow("the entry itself")
            << games << false << QStringList{"/x", games} << true << false;
        QTest::newRow("root hides all") << games << false << QStringList{"/"} << true << false;
        QTest::newRow("empty location hides nothing")
            << games << false << QStringList{""} << true << true;
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
    // that does not exist.
    void refreshByFolderDates_data()
    {
        QTest::addColumn<QStringList>("offsets");
        QTest::addColumn<bool>("changed");
        QTest::newRow("same moment") << QStringList{"0"} << false;
        QTest::newRow("a millisecond later") << QStringList{"1"} << true;
        QTest::newRow("earlier") << QStringList{"-60000"} << false;
        QTest::newRow("later folder after an earlier one") << QStringList{"-5", "2000"} << true;
        QTest::newRow("missing folder is unchanged") << QStringList{"missing"} << false;
        QTest::newRow("missing folder, then a later one") << QStringList{"missing", "1000"} << true;
    }

    void refreshByFolderDates()
    {
        QFETCH(QStringList, offsets);
        QFETCH(bool, changed);
        QTemporaryDir dir;
        FakeApplicationRegistry registry;
        for (int i = 0; i < offsets.size(); ++i) {
            const QString folder = dir.filePath(QString("data%1/applications").arg(i));
            if (offsets.at(i) != "missing")
                QVERIFY(QDir().mkpath(folder));
            registry.folderList << folder;
        }
        // Far-future folders: nothing is stale before the first build.
        for (const QString &folder : std::as_const(registry.folderList))
            setModificationDate(folder, QDateTime::currentDateTime().addYears(1));
        Catalogue catalogue(registry);
        QVERIFY(!catalogue.applicationsChangedSinceLastBuild());
        QVERIFY(!catalogue.refreshIfApplicationsChanged());
        QVERIFY(catalogue.apps().isEmpty());

        catalogue.buildApplicationList();
        const QDateTime built = catalogue.lastReloadDate();
        for (int i = 0; i < offsets.size(); ++i) {
            if (offsets.at(i) != "missing")
                QVERIFY(setModificationDate(registry.folderList.at(i),
                                            built.addMSecs(offsets.at(i).toLongLong())));
        }
        QCOMPARE(catalogue.applicationsChangedSinceLastBuild(), changed);

        registry.addEntry("/a/new.desktop");
        QSignalSpy finished(&catalogue, &Catalogue::buildFinished);
        QCOMPARE(catalogue.refreshIfApplicationsChanged(), changed);
        QCOMPARE(finished.count(), changed ? 1 : 0);
        QCOMPARE(catalogue.apps().size(), changed ? 1 : 0);
    }

    // A subfolder's change does not touch its parent's date.
    void changeInASubfolderIsNotNoticed()
    {
        QTemporaryDir dir;
        FakeApplicationRegistry registry;
        registry.folderList << dir.filePath("applications");
        QVERIFY(QDir().mkpath(dir.filePath("applications/sub")));
        QVERIFY(setModificationDate(registry.folderList.first(),
                                    QDateTime::currentDateTime().addSecs(-60)));
        Catalogue catalogue(registry);
        catalogue.buildApplicationList();
        QVERIFY(setModificationDate(dir.filePath("applications/sub"),
                                    catalogue.lastReloadDate().addSecs(5)));
        QVERIFY(!catalogue.applicationsChangedSinceLastBuild());
        QVERIFY(setModificationDate(registry.folderList.first(),
                                    catalogue.lastReloadDate().addSecs(1)));
        QVERIFY(catalogue.applicationsChangedSinceLastBuild());
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
