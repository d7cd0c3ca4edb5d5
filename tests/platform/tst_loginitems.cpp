#include "platform/xdg/LoginItems.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gio/gdesktopappinfo.h>
#include <memory>
#include <unistd.h>

using Files = QMap<QString, QByteArray>;

// Entries other programs wrote, in the shapes found in real autostart folders.
const QByteArray otherEntry = "# written by hand\n[Desktop Entry]\nType=Application\n"
                              "Name=Syncthing\nName[de]=Syncthing  \n"
                              "Exec=/usr/bin/syncthing serve --no-browser\n"
                              "X-GNOME-Autostart-Delay=5\n\n"
                              "[Desktop Action Quit]\nExec=syncthing cli operations shutdown\n";
const QByteArray brokenEntry = "not a desktop entry \x01\xff\n[unterminated\n";
const QByteArray disabledEntry = "[Desktop Entry]\nType=Application\nName=Old\n"
                                 "Exec=/usr/bin/old --hidden\nHidden=true\n";

QByteArray entryFor(const QString &exec, const QByteArray &extra = {})
{
    return "[Desktop Entry]\nType=Application\nName=T\nExec=" + exec.toUtf8() + "\n" + extra;
}

class TestLoginItems : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    QString folder;
    const QString trovia = QCoreApplication::applicationFilePath();

    void write(const QString &name, const QByteArray &contents)
    {
        QVERIFY(QDir().mkpath(folder));
        QFile file(folder + '/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(contents), contents.size());
    }

    // Every file of the autostart folder, desktop entries or not, with its bytes.
    Files files() const
    {
        Files all;
        const QDir dir(folder);
        for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            QFile file(dir.filePath(name));
            all.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>");
        }
        return all;
    }

    static QStringList entryNames(const ASLoginItems &items)
    {
        QStringList names;
        for (const LoginItem &item : items.loginItemsArray())
            names.append(item.fileName);
        return names;
    }

    void writeOtherPrograms()
    {
        write("syncthing.desktop", otherEntry);
        write("broken.desktop", brokenEntry);
        write("zz-old.desktop", disabledEntry);
        write("README", "not an entry\n");
        QVERIFY(QFile::link(folder + "/syncthing.desktop", folder + "/linked.desktop"));
    }

private Q_SLOTS:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        folder = home->filePath("autostart");
    }

    // Trovia's entry is added once, hidden, beside other programs' entries, which survive the
    // add and the remove byte for byte, in their order.
    void otherProgramsEntriesSurviveByteForByte()
    {
        writeOtherPrograms();
        const Files before = files();
        ASLoginItems items(folder);
        const QStringList order = entryNames(items);
        QCOMPARE(order, (QStringList{"broken.desktop", "linked.desktop", "syncthing.desktop",
                                     "zz-old.desktop"}));
        QVERIFY(!items.loginItemExists(trovia));
        QVERIFY(items.removeLoginItem(trovia));
        QCOMPARE(files(), before);

        QVERIFY(items.addLoginItem(trovia));
        QVERIFY(items.loginItemExists(trovia));
        Files withTrovia = files();
        QVERIFY(withTrovia.remove("trovia.desktop"));
        QCOMPARE(withTrovia, before);

        QVERIFY(items.removeLoginItem(trovia));
        QCOMPARE(files(), before);
        QCOMPARE(entryNames(items), order);
        QVERIFY(QFileInfo(folder + "/linked.desktop").isSymLink());
    }

    void pathMatchingIsExactForPresenceAndCaseBlindForRemoval()
    {
        const QString upper = trovia.toUpper();
        QVERIFY(upper != trovia);
        write("a-trovia.desktop", entryFor(upper));
        ASLoginItems items(folder);
        QVERIFY(!items.loginItemExists(trovia));
        QVERIFY(items.loginItemExists(upper));

        QVERIFY(items.addLoginItem(trovia));
        QCOMPARE(entryNames(items), (QStringList{"a-trovia.desktop", "trovia.desktop"}));

        // The first entry found ignoring case goes; Trovia's own, which differs, stays.
        QVERIFY(items.removeLoginItem(trovia));
        QCOMPARE(entryNames(items), QStringList{"trovia.desktop"});
        QVERIFY(items.loginItemExists(trovia));
        QVERIFY(items.removeLoginItem(trovia));
        QVERIFY(items.loginItemsArray().isEmpty());
    }

    void entriesReadAsThePathTheyStart_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("hide");
        QTest::newRow("absolute, hidden")
            << entryFor("/usr/bin/foo --hidden") << "/usr/bin/foo" << true;
        QTest::newRow("found on PATH")
            << entryFor("sh -c true") << QStandardPaths::findExecutable("sh") << false;
        QTest::newRow("quotes, field code")
            << entryFor(R"("/opt/My App/run" %U --hidden)") << "/opt/My App/run" << true;
        QTest::newRow("turned off with Hidden") << disabledEntry << "" << true;
        QTest::newRow("off for GNOME")
            << entryFor("/usr/bin/foo", "X-GNOME-Autostart-enabled=false\n") << "" << false;
        QTest::newRow("unbalanced quote") << entryFor("\"/usr/bin/foo") << "" << false;
        QTest::newRow("not a desktop entry") << brokenEntry << "" << false;
    }

    void entriesReadAsThePathTheyStart()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, path);
        QFETCH(bool, hide);
        write("entry.desktop", contents);
        ASLoginItems items(folder);
        const QList<LoginItem> list = items.loginItemsArray();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.first().path, path);
        if (!path.isEmpty())
            QCOMPARE(list.first().hide, hide);
        // An entry that starts nothing never matches, not even the empty path.
        QVERIFY(!items.loginItemExists(path.isEmpty() ? "/usr/bin/foo" : QString()));
    }

    // A program at an awkward path really starts, with --hidden, from the entry Trovia writes,
    // quoted as desktop entries quote (double quotes; single quotes quote nothing there).
    void entryForAnOddPathStartsThatProgram_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("quoted"); // as Exec holds it
        QTest::newRow("spaces and quotes") << "my \"odd\" app's run"
                                           << "my \\\"odd\\\" app's run";
        QTest::newRow("shell characters") << "a$b`c`;d&e*f(g)\\h"
                                          << "a\\$b\\`c\\`;d&e*f(g)\\\\h";
    }

    void entryForAnOddPathStartsThatProgram()
    {
        QFETCH(QString, name);
        QFETCH(QString, quoted);
        const QString program = home->filePath(name);
        const QString marker = home->filePath("marker");
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s' \"$*\" > \"$TROVIA_TEST_MARKER\"\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("TROVIA_TEST_MARKER", QFile::encodeName(marker));

        ASLoginItems items(folder);
        QVERIFY(items.addLoginItem(program));
        const QString entry = folder + '/' + items.loginItemsArray().first().fileName;
        g_autoptr(GKeyFile) keyFile = g_key_file_new();
        QVERIFY(
            g_key_file_load_from_file(keyFile, QFile::encodeName(entry), G_KEY_FILE_NONE, nullptr));
        g_autofree gchar *exec = g_key_file_get_string(keyFile, "Desktop Entry", "Exec", nullptr);
        QCOMPARE(QString::fromUtf8(exec),
                 '"' + home->path() + '/' + quoted + QStringLiteral("\" --hidden"));
        g_autoptr(GDesktopAppInfo) info =
            g_desktop_app_info_new_from_filename(QFile::encodeName(entry).constData());
        QVERIFY(info);
        g_autoptr(GError) error = nullptr;
        QVERIFY(g_app_info_launch(G_APP_INFO(info), nullptr, nullptr, &error));
        QTRY_VERIFY(QFileInfo(marker).size() > 0);
        QFile result(marker);
        QVERIFY(result.open(QIODevice::ReadOnly));
        QCOMPARE(result.readAll(), QByteArray("--hidden"));
        QVERIFY(items.removeLoginItem(program));
        QVERIFY(files().isEmpty());
    }

    // Writes that cannot happen are reported and lose nothing.
    void failedWritesAreReported()
    {
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.write("keep me");
        blocker.close();
        QVERIFY(!ASLoginItems(folder).addLoginItem(trovia));
        QVERIFY(blocker.open(QIODevice::ReadOnly));
        QCOMPARE(blocker.readAll(), QByteArray("keep me"));
        blocker.close();
        QVERIFY(blocker.remove());

        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        writeOtherPrograms();
        ASLoginItems items(folder);
        QVERIFY(items.addLoginItem(trovia));
        const Files before = files();
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(!items.addLoginItem("/usr/bin/other"));
        QVERIFY(!items.removeLoginItem(trovia));
        QVERIFY(
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QCOMPARE(files(), before);
    }

    void defaultItemsLiveInTheUsersAutostartFolder()
    {
        const QString configHome = home->filePath("config");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome));
        ASLoginItems shared;
        QVERIFY(shared.addLoginItem(trovia));
        folder = configHome + "/autostart";
        QCOMPARE(files().keys(), QStringList{"trovia.desktop"});
        // A session manager built on GIO reads it as a valid entry that starts Trovia hidden.
        g_autoptr(GDesktopAppInfo) info = g_desktop_app_info_new_from_filename(
            QFile::encodeName(folder + "/trovia.desktop").constData());
        QVERIFY(info);
        QCOMPARE(QString::fromUtf8(g_app_info_get_commandline(G_APP_INFO(info))),
                 trovia + " --hidden");
        QVERIFY(shared.removeLoginItem(trovia));
    }
};

QTEST_GUILESS_MAIN(TestLoginItems)
#include "tst_loginitems.moc"
