// The real registry and launcher over fixture desktop entries in temporary XDG folders. GLib reads
// the XDG variables once per process, so main() sets them up before anything touches GIO.
#include "ActivatableApplication.h"
#include "catalogue/Catalogue.h"
#include "platform/xdg/GioApplicationLauncher.h"
#include "platform/xdg/GioApplicationRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

QString root;

// Launches through the helper this build made.
GioApplicationLauncher launcherWithHelper()
{
    return GioApplicationLauncher(QStringLiteral(TROVIA_LAUNCH_HELPER));
}

QString homeApps()
{
    return root + "/home/applications";
}
QString systemApps()
{
    return root + "/system/applications";
}
QString looseEntries()
{
    return root + "/loose";
}
QString marker()
{
    return root + "/marker";
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

void writeEntry(const QString &folder, const QString &file, const QString &body)
{
    QDir().mkpath(folder);
    QFile entry(folder + "/" + file);
    entry.open(QIODevice::WriteOnly);
    entry.write("[Desktop Entry]\nType=Application\n" + body.toUtf8() + "\n");
}

// A program that records the process group and session it runs in, then its environment.
void writeRecorder(const QString &path)
{
    QFile script(path);
    script.open(QIODevice::WriteOnly);
    script.write("#!/bin/sh\nread -r stat < /proc/$$/stat\nset -- $stat\n"
                 "{ echo \"pid=$1 pgid=$5 sid=$6\"; env; } > \"$0.part\"\n"
                 "/bin/mv \"$0.part\" \"$0.out\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A terminal that records the command line it was given.
void writeTerminal(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile script(path);
    script.open(QIODevice::WriteOnly);
    script.write("#!/bin/sh\nprintf '%s\\n' \"${0##*/}\" \"$@\" > " + QFile::encodeName(root) +
                 "/terminal.part\n/bin/mv " + QFile::encodeName(root) + "/terminal.part " +
                 QFile::encodeName(root) + "/terminal\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QStringList readLines(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

// A D-Bus activatable program on the test's bus: records the platform data of each activation.
void writeFixtures()
{
    writeEntry(homeApps(), "plain.desktop", "Name=Plain Tool\nExec=true\nIcon=utilities-terminal");
    writeEntry(homeApps(), "legacy-icon.desktop", "Name=Legacy\nExec=true\nIcon=legacy.png");
    writeEntry(homeApps(), "file-icon.desktop",
               "Name=File Icon\nExec=true\nIcon=" + root + "/icon.png");
    writeEntry(homeApps(), "localised.desktop", "Name=Calculator\nName[de]=Rechner\nExec=true");
    writeEntry(homeApps(), "nodisplay.desktop", "Name=No Display\nExec=true\nNoDisplay=true");
    writeEntry(homeApps(), "hidden.desktop", "Name=Hidden\nExec=true\nHidden=true");
    writeEntry(homeApps(), "tryexec.desktop", "Name=Try\nExec=true\nTryExec=/nonexistent/try");
    writeEntry(homeApps(), "elsewhere.desktop", "Name=Elsewhere\nExec=true\nOnlyShowIn=KDE;");
    writeEntry(homeApps(), "notepad.desktop",
               "Name=Notepad\nExec=env WINEPREFIX=/home/me/.wine wine64 notepad.exe");
    // Written beside and moved into place, so the test never reads half of it.
    writeEntry(homeApps(), "marker.desktop",
               "Name=Marker\nExec=sh -c \"env > " + marker() + ".part && mv " + marker() +
                   ".part " + marker() + "\"");
    writeRecorder(root + "/recorder");
    // Outside the applications folders, so that the registry's listing does not change.
    writeEntry(looseEntries(), "recorder.desktop", "Name=Recorder\nExec=" + root + "/recorder");
    writeEntry(looseEntries(), "late-writer.desktop",
               "Name=Late Writer\nExec=sh -c \"sleep 1; echo out && touch " + root +
                   "/late-writer\"");
    writeEntry(looseEntries(), "in-terminal.desktop",
               "Name=In Terminal\nExec=/bin/true --flag \"two words\"\nTerminal=true");
    writeEntry(looseEntries(), "org.trovia.TestActivatable.desktop",
               "Name=Activatable\nExec=/bin/true\nDBusActivatable=true");
    writeEntry(homeApps(), "broken.desktop", "Name=Broken\nExec=/nonexistent/program");
    writeEntry(homeApps(), "deleted.desktop", "Name=Deleted Later\nExec=true");
    writeEntry(homeApps(), "org.trovia.Trovia.desktop", "Name=Trovia\nExec=true");
    writeEntry(homeApps(), "shadowed.desktop", "Name=Shadow Home\nExec=true");
    writeEntry(systemApps(), "shadowed.desktop", "Name=Shadow System\nExec=true");
    writeEntry(systemApps(), "system.desktop", "Name=System Tool\nExec=true");
}

QStringList readMarker()
{
    QFile file(marker());
    file.open(QIODevice::ReadOnly);
    return QString::fromLocal8Bit(file.readAll()).split('\n');
}

QMap<QString, RegistryEntry> entriesByFile()
{
    QMap<QString, RegistryEntry> result;
    GioApplicationRegistry registry;
    for (const RegistryEntry &entry : registry.entries())
        result.insert(QFileInfo(entry.path).fileName(), entry);
    return result;
}

ApplicationRef findApp(const ApplicationList &apps, const QString &name)
{
    for (const ApplicationRef &app : apps) {
        if (app->displayName() == name)
            return app;
    }
    return nullptr;
}

} // namespace

class TestGioApplications : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // A small icon theme of our own, so icon lookups do not depend on the machine's themes.
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        const QString theme = root + "/icons/trovia-test";
        QVERIFY(QDir().mkpath(theme + "/16x16/apps"));
        QFile index(theme + "/index.theme");
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=trovia-test\nDirectories=16x16/apps\n\n"
                    "[16x16/apps]\nSize=16\nType=Fixed\n");
        index.close();
        QVERIFY(image.save(theme + "/16x16/apps/application-x-executable.png"));
        QVERIFY(image.save(theme + "/16x16/apps/utilities-terminal.png"));
        QVERIFY(image.save(root + "/icon.png"));
        QIcon::setThemeSearchPaths({root + "/icons"});
        QIcon::setThemeName("trovia-test");
    }

    void entriesCarryNameFlagIconAndPath()
    {
        const QMap<QString, RegistryEntry> entries = entriesByFile();
        // GIO also drops an entry whose program is not there (broken.desktop).
        QCOMPARE(entries.keys(),
                 QStringList({"deleted.desktop", "file-icon.desktop", "legacy-icon.desktop",
                              "localised.desktop", "marker.desktop", "notepad.desktop",
                              "org.trovia.Trovia.desktop", "plain.desktop", "shadowed.desktop",
                              "system.desktop"}));
        QCOMPARE(entries["plain.desktop"].path, homeApps() + "/plain.desktop");
        QCOMPARE(entries["plain.desktop"].displayName, QString("Plain Tool"));
        QCOMPARE(entries["plain.desktop"].iconName, QString("utilities-terminal"));
        QCOMPARE(entries["legacy-icon.desktop"].iconName, QString("legacy"));
        QCOMPARE(entries["file-icon.desktop"].iconName, root + "/icon.png");
        QCOMPARE(entries["localised.desktop"].iconName, QString());
        QCOMPARE(entries["localised.desktop"].displayName, QString("Rechner"));
        QCOMPARE(entries["shadowed.desktop"].path, homeApps() + "/shadowed.desktop");
        QCOMPARE(entries["shadowed.desktop"].displayName, QString("Shadow Home"));
        QCOMPARE(entries["system.desktop"].path, systemApps() + "/system.desktop");
        for (const RegistryEntry &entry : entries)
            QCOMPARE(entry.isClassicApp, entry.displayName == "Notepad");
    }

    void wineRule_data()
    {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<bool>("wine");
        QTest::newRow("wine") << "wine notepad.exe" << true;
        QTest::newRow("full path wine64") << "/usr/bin/wine64 x.exe" << true;
        QTest::newRow("env and variables")
            << "env WINEPREFIX=/x WINEDEBUG=-all wine-stable x.exe" << true;
        QTest::newRow("quoted path") << "\"/opt/my wine/wine\" \"C:\\\\a b.exe\"" << true;
        QTest::newRow("wine later") << "sh -c 'wine x.exe'" << false;
        QTest::newRow("winecfg") << "winecfg" << false;
        QTest::newRow("native") << "gimp %U" << false;
        QTest::newRow("unbalanced quote") << "wine \"x.exe" << false;
    }

    void wineRule()
    {
        QFETCH(QString, exec);
        QFETCH(bool, wine);
        QCOMPARE(GioApplicationRegistry::isWineCommandLine(exec), wine);
    }

    void applicationsFoldersAreTheExistingXdgOnes()
    {
        GioApplicationRegistry registry;
        QCOMPARE(registry.applicationsFolders(), QStringList({homeApps(), systemApps()}));
    }

    // A desktop action is named as its entry says now, even an entry no longer shown.
    void actionNamesAreReadFromTheEntry_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("actionName");
        QTest::addColumn<QString>("applicationName");
        QTest::newRow("localised, entry hidden") << "private"
                                                 << "Privat"
                                                 << "Fuchs";
        QTest::newRow("no such action") << "gone"
                                        << ""
                                        << "";
        QTest::newRow("action without a name") << "nameless"
                                               << ""
                                               << "";
    }

    void actionNamesAreReadFromTheEntry()
    {
        QFETCH(QString, action);
        QFETCH(QString, actionName);
        QFETCH(QString, applicationName);
        writeEntry(looseEntries(), "fox.desktop",
                   "Name=Fox\nName[de]=Fuchs\nExec=true\nNoDisplay=true\n"
                   "Actions=private;nameless;\n\n[Desktop Action private]\nName=Private\n"
                   "Name[de]=Privat\nExec=true\n\n[Desktop Action nameless]\nExec=true");
        GioApplicationRegistry registry;
        const RegistryActionNames names =
            registry.actionNames(looseEntries() + "/fox.desktop", action);
        QCOMPARE(names.action, actionName);
        QCOMPARE(names.application, applicationName);
        QCOMPARE(registry.actionNames(looseEntries() + "/missing.desktop", action).action,
                 QString());
    }

    // Media are told by their block devices in sysfs, here a tree of our own whose entries name
    // /dev/null (a USB stick), /dev/zero (a CD drive), /dev/random (an SD card, whose disk alone
    // says removable) and /dev/full (an internal disk). A medium that holds the home or an
    // applications folder is the system's own.
    void removableMediaAreReadFromTheMountTable()
    {
        QTemporaryDir sysfs;
        const QString devices = sysfs.filePath("devices/pci0000:00");
        const QString stick = devices + "/usb1/1-1/host6/block/sdz/sdz1";
        const QString cd = devices + "/ata1/block/sr9";
        const QString card = devices + "/mmc0/block/mmcblk9/mmcblk9p1";
        const QString disk = devices + "/nvme0/block/nvme9n1/nvme9n1p1";
        for (const QString &folder : {stick, cd, card, disk, sysfs.filePath("class/block")})
            QVERIFY(QDir().mkpath(folder));
        writeFile(cd + "/removable", "1\n");
        writeFile(card + "/../removable", "1\n");
        writeFile(disk + "/../removable", "0\n");
        for (const auto &[name, target] :
             {std::pair{"null", stick}, {"zero", cd}, {"random", card}, {"full", disk}})
            QVERIFY(QFile::link(target, sysfs.filePath(QString("class/block/") + name)));
        const QString table = sysfs.filePath("mounts");
        writeFile(table,
                  "/dev/full / ext4 rw 0 0\nproc /proc proc rw 0 0\n"
                  "/dev/null /media/u/USB\\040STICK vfat rw 0 0\n"
                  "/dev/full /data ext4 rw 0 0\n/dev/zero /media/cdrom iso9660 ro 0 0\n"
                  "/dev/random /media/u/SD vfat rw 0 0\n"
                  "/dev/null /media/u/USB\\040STICK vfat rw 0 0\n/dev/null / ext4 rw 0 0\n"
                  "/dev/null /var ext4 rw 0 0\n/dev/null /usr/local ext4 rw 0 0\n"
                  "/dev/null /home/u\\040v ext4 rw 0 0\n/dev/null /home/u\\040vx ext4 rw 0 0\n");
        const QStringList kept{"/home/u v", "/usr/share/applications",
                               "/usr/local/share/applications",
                               "/var/lib/flatpak/exports/share/applications"};
        const QString blocks = sysfs.filePath("class/block");
        QCOMPARE(GioApplicationRegistry::removableMountPoints(table, blocks, kept),
                 QStringList({"/media/u/USB STICK", "/media/cdrom", "/media/u/SD", "/home/u vx"}));
        QCOMPARE(GioApplicationRegistry::removableMountPoints(sysfs.filePath("none"), blocks, kept),
                 QStringList());
    }

    // GIO resolves Trovia's own entry by its id, and the catalogue leaves it out.
    void catalogueLeavesOutTroviasOwnEntry()
    {
        GioApplicationRegistry registry;
        QCOMPARE(troviaEntryPath(registry), homeApps() + "/org.trovia.Trovia.desktop");
        QCOMPARE(registry.entryPathForId("no-such-entry.desktop"), QString());
        // The root file system is never a removable medium, or nothing would be left.
        QVERIFY(!registry.mountedRemovableMedia().contains("/"));
        Catalogue catalogue(registry);
        catalogue.buildApplicationList();
        QCOMPARE(catalogue.apps().size(), entriesByFile().size() - 1);
        QVERIFY(!findApp(catalogue.apps(), "Trovia"));
    }

    // Adding an entry changes its folder's date; GIO notices the file on its own shortly after.
    void refreshPicksUpAnAddedEntry()
    {
        GioApplicationRegistry registry;
        Catalogue catalogue(registry);
        catalogue.buildApplicationList();
        QVERIFY(!catalogue.applicationsChangedSinceLastBuild());
        // File dates come from the kernel's coarse clock, which may lag a few milliseconds.
        const QDateTime built = catalogue.lastReloadDate();
        QTRY_VERIFY(QDateTime::currentDateTimeUtc() > built.addMSecs(50));
        writeEntry(homeApps(), "added.desktop", "Name=Added Later\nExec=true");
        QVERIFY(catalogue.applicationsChangedSinceLastBuild());
        QTRY_VERIFY(entriesByFile().contains("added.desktop"));
        QVERIFY(catalogue.refreshIfApplicationsChanged());
        QVERIFY(findApp(catalogue.apps(), "Added Later"));
        QVERIFY(!catalogue.applicationsChangedSinceLastBuild());
        QVERIFY(QFile::remove(homeApps() + "/added.desktop"));
        QTRY_VERIFY(!entriesByFile().contains("added.desktop"));
    }

    // Every build reads the entries as they are on disk now, also one changed in place.
    void buildReadsEntriesAsTheyAreNow()
    {
        GioApplicationRegistry registry;
        Catalogue catalogue(registry);
        writeEntry(homeApps(), "steps.desktop", "Name=Shown Later\nExec=true\nNoDisplay=true");
        catalogue.buildApplicationList();
        QVERIFY(!findApp(catalogue.apps(), "Shown Later"));
        writeEntry(homeApps(), "steps.desktop", "Name=Shown Later\nExec=true");
        catalogue.buildApplicationList();
        QVERIFY(findApp(catalogue.apps(), "Shown Later"));
        QVERIFY(QFile::remove(homeApps() + "/steps.desktop"));
    }

    // What a hostile applications folder may hold. The change is noticed by the refresh, the
    // listing ends, every entry is listed once, and a listed entry launches in its Path folder.
    // GIO indexes the folders at a process's first launch, and again only once its monitors saw
    // them change: the loops row also runs alone (catalogue.cmake), where its launch is the first.
    void hostileFolders_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("file"); // below the home applications folder
        QTest::addColumn<bool>("listed");
        QTest::newRow("two symbolic link loops") << "loops" << QByteArray("looped.desktop") << true;
        QTest::newRow("FIFO named like an entry") << "fifo" << QByteArray("fifo.desktop") << false;
        QTest::newRow("name not UTF-8") << "entry" << QByteArray("caf\xe9.desktop") << true;
        QTest::newRow("entry in a subfolder")
            << "entry" << QByteArray("wine/Programs/notepad2.desktop") << true;
    }

    void hostileFolders()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, file);
        QFETCH(bool, listed);
        const QByteArray folder = QFile::encodeName(homeApps());
        const QByteArray path = folder + "/" + file;
        QVERIFY(QDir().mkpath(homeApps() + "/wine/Programs"));
        GioApplicationRegistry registry;
        Catalogue catalogue(registry);
        catalogue.buildApplicationList();
        const qsizetype before = catalogue.apps().size();
        const QDateTime built = catalogue.lastReloadDate();
        QTRY_VERIFY(QDateTime::currentDateTimeUtc() > built.addMSecs(50));

        const QString launched = root + "/launched";
        const QString workFolder = root + "/work folder";
        QVERIFY(QDir().mkpath(workFolder));
        if (kind == "fifo") {
            QCOMPARE(mkfifo(path.constData(), 0600), 0);
        } else {
            // Written by its bytes: a QString path would not keep a name that is not UTF-8.
            const QByteArray marker = QFile::encodeName(launched);
            const QByteArray text = "[Desktop Entry]\nType=Application\nName=Hostile\n"
                                    "Exec=sh -c \"pwd > " +
                                    marker + ".part && mv " + marker + ".part " + marker +
                                    "\"\nPath=" + QFile::encodeName(workFolder) + "\n";
            const int descriptor = open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            QVERIFY(descriptor >= 0);
            QCOMPARE(write(descriptor, text.constData(), size_t(text.size())), text.size());
            close(descriptor);
        }
        if (kind == "loops") {
            QCOMPARE(symlink(".", folder + "/a"), 0);
            QCOMPARE(symlink(".", folder + "/b"), 0);
        }
        const auto removeFixture = qScopeGuard([&] {
            for (const QByteArray &name : {path, folder + "/a", folder + "/b"})
                unlink(name.constData());
        });
        QVERIFY(catalogue.applicationsChangedSinceLastBuild());
        catalogue.buildApplicationList();
        QSet<QString> paths;
        for (const ApplicationRef &app : catalogue.apps())
            paths.insert(app->path());
        QCOMPARE(paths.size(), catalogue.apps().size());
        QCOMPARE(catalogue.apps().size(), before + (listed ? 1 : 0));
        ApplicationRef found;
        for (const ApplicationRef &app : catalogue.apps()) {
            if (app->file() == path)
                found = app;
        }
        QCOMPARE(bool(found), listed);
        if (listed) {
            QVERIFY(launcherWithHelper().launch(found->file()));
            QTRY_VERIFY(QFile::exists(launched));
            QFile written(launched);
            QVERIFY(written.open(QIODevice::ReadOnly));
            QCOMPARE(QFile::decodeName(written.readAll().trimmed()),
                     QFileInfo(workFolder).canonicalFilePath());
            QVERIFY(written.remove());
        }
        if (kind == "loops") {
            // Launched past GIO's index, a hidden entry is still refused.
            const Application hidden(QUrl::fromLocalFile(homeApps() + "/hidden.desktop"), "Hidden",
                                     false, QString());
            QVERIFY(!launcherWithHelper().launch(hidden.file()));
        }
    }

    // The launched program runs with the environment Trovia was given, QT_QPA_PLATFORM included,
    // less the startup id of Trovia's own start.
    void launchRunsTheEntrysProgram()
    {
        GioApplicationRegistry registry;
        Catalogue catalogue(registry);
        catalogue.buildApplicationList();
        const ApplicationRef app = findApp(catalogue.apps(), "Marker");
        QVERIFY(app);
        QVERIFY(launcherWithHelper().launch(app->file()));
        QTRY_VERIFY(QFile::exists(marker()));
        const QStringList env = readMarker();
        QVERIFY(env.contains("KEEP_ME=1"));
        QVERIFY(env.contains("TROVIA_TEST_VARIABLE=1"));
        QVERIFY(env.contains("QT_QPA_PLATFORM=offscreen"));
        for (const QString &variable : env)
            QVERIFY2(!variable.startsWith("DESKTOP_STARTUP_ID=stale"), qPrintable(variable));
    }

    // The program runs in a session of its own, so that a hang-up sent to Trovia's terminal, group
    // or session does not reach it.
    void launchedProgramLeadsItsOwnSession()
    {
        QVERIFY(
            launcherWithHelper().launch(QFile::encodeName(looseEntries() + "/recorder.desktop")));
        QTRY_VERIFY(QFile::exists(root + "/recorder.out"));
        const QStringList lines = readLines(root + "/recorder.out");
        const QStringList ids = lines.first().split(' ');
        QCOMPARE(ids.size(), 3);
        const QString pid = ids[0].section('=', 1);
        QCOMPARE(ids[2], "sid=" + pid);
        QCOMPARE(ids[1], "pgid=" + pid);
        QVERIFY(getsid(0) != pid.toInt());
        QVERIFY(lines.contains("KEEP_ME=1"));
    }

    // Terminal=true runs the entry's command line in the user's default terminal, else in
    // Debian's; with neither, GIO's own choice, and no terminal at all fails, saying which were
    // tried.
    void terminalEntriesRunInTheUsersTerminal_data()
    {
        QTest::addColumn<QStringList>("terminals");
        QTest::addColumn<QStringList>("received");
        QTest::newRow("xdg-terminal-exec first")
            << QStringList{"xdg-terminal-exec", "x-terminal-emulator"}
            << QStringList{"xdg-terminal-exec", "/bin/true", "--flag", "two words"};
        QTest::newRow("x-terminal-emulator")
            << QStringList{"x-terminal-emulator"}
            << QStringList{"x-terminal-emulator", "-e", "/bin/true", "--flag", "two words"};
        QTest::newRow("one of GIO's")
            << QStringList{"xterm"}
            << QStringList{"xterm", "-e", "/bin/true", "--flag", "two words"};
        QTest::newRow("none") << QStringList() << QStringList();
    }

    void terminalEntriesRunInTheUsersTerminal()
    {
        QFETCH(QStringList, terminals);
        QFETCH(QStringList, received);
        const QString folder = root + "/terminals-" + QTest::currentDataTag();
        QDir().mkpath(folder);
        for (const QString &terminal : terminals)
            writeTerminal(folder + "/" + terminal);
        QFile::remove(root + "/terminal");
        const QByteArray path = qgetenv("PATH");
        const auto restore = qScopeGuard([path] { qputenv("PATH", path); });
        qputenv("PATH", QFile::encodeName(folder));
        const QByteArray entry = QFile::encodeName(looseEntries() + "/in-terminal.desktop");
        if (received.isEmpty()) {
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression("in-terminal.desktop: .*xdg-terminal-exec.*"
                                                    "x-terminal-emulator"));
            QVERIFY(!launcherWithHelper().launch(entry));
            return;
        }
        QVERIFY(launcherWithHelper().launch(entry));
        QTRY_VERIFY(QFile::exists(root + "/terminal"));
        QCOMPARE(readLines(root + "/terminal"), received);
    }

    // A D-Bus activatable entry is activated on the bus, not spawned.
    void dbusActivatableEntryIsActivatedOnTheBus()
    {
        ActivatableApplication application("org.trovia.TestActivatable",
                                           "/org/trovia/TestActivatable");
        QVERIFY(application.start());
        QVERIFY(launcherWithHelper().launch(
            QFile::encodeName(looseEntries() + "/org.trovia.TestActivatable.desktop")));
        QTRY_COMPARE(application.activations.size(), 1);
    }

    void launchFailsForWhatCannotRun_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("deleted after the build") << "deleted.desktop";
        QTest::newRow("hidden") << "hidden.desktop";
        QTest::newRow("program missing") << "broken.desktop";
        QTest::newRow("never existed") << "nothing.desktop";
    }

    void launchFailsForWhatCannotRun()
    {
        QFETCH(QString, file);
        GioApplicationRegistry registry;
        Catalogue catalogue(registry);
        catalogue.buildApplicationList();
        const Application app(QUrl::fromLocalFile(homeApps() + "/" + file), file, false, QString());
        if (file == "deleted.desktop") {
            QVERIFY(findApp(catalogue.apps(), "Deleted Later"));
            QVERIFY(QFile::remove(app.path()));
        }
        QVERIFY(!launcherWithHelper().launch(app.file()));
    }

    // The launch helper ends at once: a program writing later must not write into a pipe to it.
    void launchedProgramOutlivesTheHelper()
    {
        QVERIFY(launcherWithHelper().launch(
            QFile::encodeName(looseEntries() + "/late-writer.desktop")));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(root + "/late-writer"), 10000);
    }

    // What Trovia makes of its helper's answer; the helper's lines are Trovia's own warnings.
    void launchReportsTheHelpersAnswer_data()
    {
        QTest::addColumn<QByteArray>("script"); // empty: no helper at all
        QTest::addColumn<bool>("launched");
        QTest::addColumn<QStringList>("warnings");
        QTest::newRow("launched, after a line of its log")
            << QByteArray("printf 'a warning\\n\\0001\\n'") << true << QStringList{"a warning"};
        QTest::newRow("not launched") << QByteArray("printf '\\0000\\n'") << false << QStringList();
        QTest::newRow("ends without an answer")
            << QByteArray("printf 'half a line'; exit 1") << false
            << QStringList{".*plain.desktop: the launch helper gave no answer.", "half a line"};
        QTest::newRow("missing") << QByteArray() << false
                                 << QStringList{
                                        ".*plain.desktop: the launch helper .* did not start: .*"};
    }

    void launchReportsTheHelpersAnswer()
    {
        QFETCH(QByteArray, script);
        QFETCH(bool, launched);
        QFETCH(QStringList, warnings);
        const QString helper = root + "/helper-" + QTest::currentDataTag();
        if (!script.isEmpty()) {
            writeFile(helper, "#!/bin/sh\n" + script + "\n");
            QVERIFY(QFile::setPermissions(helper, QFile::ReadOwner | QFile::ExeOwner));
        }
        for (const QString &warning : std::as_const(warnings))
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^" + warning + "$"));
        QCOMPARE(
            GioApplicationLauncher(helper).launch(QFile::encodeName(homeApps() + "/plain.desktop")),
            launched);
    }

    void iconsComeFromTheThemeOrTheFile_data()
    {
        QTest::addColumn<QString>("iconName");
        QTest::addColumn<QString>("themeName");
        const QString generic = "application-x-executable";
        QTest::newRow("themed") << "utilities-terminal"
                                << "utilities-terminal";
        QTest::newRow("none") << "" << generic;
        QTest::newRow("not in the theme") << "no-such-icon" << generic;
        QTest::newRow("missing file") << root + "/missing.png" << generic;
        QTest::newRow("file") << root + "/icon.png"
                              << "";
    }

    void iconsComeFromTheThemeOrTheFile()
    {
        QFETCH(QString, iconName);
        QFETCH(QString, themeName);
        const Application app(QUrl::fromLocalFile("/a/x.desktop"), "X", false, iconName);
        GioApplicationLauncher launcher;
        const QIcon icon = app.icon(launcher);
        QVERIFY(!icon.isNull());
        QVERIFY(!icon.pixmap(16, 16).isNull());
        QCOMPARE(icon.name(), themeName);
    }
};

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    root = dir.path();
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + "/home"));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(root + "/system:" + root + "/empty"));
    qputenv("XDG_CURRENT_DESKTOP", "TroviaTest");
    qputenv("LANGUAGE", "de");
    qputenv("KEEP_ME", "1");
    qputenv("TROVIA_TEST_VARIABLE", "1");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("DESKTOP_STARTUP_ID", "stale");
    writeFixtures();
    QGuiApplication app(argc, argv);
    TestGioApplications test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_gioapplications.moc"
