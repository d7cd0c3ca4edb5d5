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
        QTest::newRow("URL characters") << "/home/me/My Apps/#1 100% Caf\u00e9?.desktop" << true;
        QTest::newRow("under /System/") << "/System/Library/Bar.desktop" << false;
        QTest::newRow("contains /System/") << "/opt/System/Foo.desktop" << true;
        QTest::newRow("hidden file") << "/home/me/.local/share/applications/.x.desktop" << false;
        QTest::newRow("inside a bundle") << "/opt/Suite.app/Contents/MacOS/Tool.desktop" << false;
        QTest::newRow("trash") << "/home/me/.Trash/Old.desktop" << false;
        QTest::newRow("backup store") << "/backup/Backups.backupdb/x/Old.desktop" << false;
        QTest::newRow("own entry, other case") << "/USR/share/applications/Trovia.DESKTOP" << false;
        QTest::newRow("prefix of a medium's name") << "/media/me/Stick 2/b.desktop" << false;
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
        QVERIFY(troviaEntryPath(registry).endsWith("/share/applications/trovia.desktop"));
        registry.pathsById.insert("trovia.desktop", "/home/me/apps/trovia.desktop");
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
        QTest::newRow("subfolder is not noticed") << QStringList{"sub"} << false;
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
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
