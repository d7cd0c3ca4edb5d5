#include "PropertyList.h"
#include "StderrCapture.h"
#include "UsageLogger.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <limits>
#include <plist/plist.h>

namespace
{

constexpr int most = std::numeric_limits<int>::max();

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QVariantMap usesIn(const QString &path)
{
    return PropertyList::fromFile(path).value.toMap().value("Applications Uses").toMap();
}

QByteArray xmlLog(const QString &uses)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
           "<key>Applications Uses</key><dict>" +
           uses.toUtf8() + "</dict></dict></plist>\n";
}

} // namespace

class TestUsageLogger : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString plistPath;

private Q_SLOTS:
    void init()
    {
        QVERIFY(dir.isValid());
        QDir(dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(dir.path()));
        plistPath = dir.filePath("Trovia/Usage log.plist");
    }

    void sharedLoggerLivesInTheUsersDataFolder()
    {
        QCOMPARE(UsageLogger::defaultPlistPath(),
                 qEnvironmentVariable("XDG_DATA_HOME") + "/Trovia/Usage log.plist");
        QCOMPARE(&UsageLogger::sharedLogger(), &UsageLogger::sharedLogger());
        QCOMPARE(UsageLogger::sharedLogger().plistPath(), UsageLogger::defaultPlistPath());
    }

    void lookingUpWritesNothing()
    {
        UsageLogger logger(plistPath);
        QCOMPARE(logger.usageForApplicationAtPath("/a/x.desktop"), 0);
        QVERIFY(!QFile::exists(plistPath));
        QVERIFY(logger.plist().value("Applications Uses").toMap().isEmpty());
    }

    void launchesAreCountedAndWrittenAtOnce()
    {
        UsageLogger logger(plistPath);
        logger.applicationAtPathLaunched("/a/x.desktop");
        QCOMPARE(usesIn(plistPath), QVariantMap({{"/a/x.desktop", qint64(1)}}));
        logger.applicationAtPathLaunched("/a/x.desktop");
        logger.applicationAtPathLaunched("/a/X.desktop");
        const QVariantMap expected{{"/a/x.desktop", qint64(2)}, {"/a/X.desktop", qint64(1)}};
        QCOMPARE(usesIn(plistPath), expected);
        QCOMPARE(logger.plist(), QVariantMap({{"Applications Uses", expected}}));
        QVERIFY(readFile(plistPath).startsWith("<?xml"));

        // The next run reads what this one wrote.
        UsageLogger nextRun(plistPath);
        QCOMPARE(nextRun.usageForApplicationAtPath("/a/x.desktop"), 2);
        QCOMPARE(nextRun.usageForApplicationAtPath("/a/X.desktop"), 1);
        QCOMPARE(nextRun.usageForApplicationAtPath("/a/other.desktop"), 0);
    }

    void missingFoldersAreCreated()
    {
        plistPath = dir.filePath("fresh/.local/share/Trovia/Usage log.plist");
        UsageLogger logger(plistPath);
        QDir(dir.filePath("fresh")).removeRecursively();
        logger.applicationAtPathLaunched("/a/x.desktop");
        QCOMPARE(usesIn(plistPath).value("/a/x.desktop"), QVariant(qint64(1)));
    }

    void binaryFileIsReadAndRewrittenAsXml()
    {
        QVERIFY(QDir().mkpath(QFileInfo(plistPath).path()));
        plist_t uses = plist_new_dict();
        plist_dict_set_item(uses, "/a/x.desktop", plist_new_uint(7));
        plist_t root = plist_new_dict();
        plist_dict_set_item(root, "Applications Uses", uses);
        char *bytes = nullptr;
        uint32_t length = 0;
        plist_to_bin(root, &bytes, &length);
        plist_free(root);
        QVERIFY(writeFile(plistPath, QByteArray(bytes, int(length))));
        std::free(bytes);
        QVERIFY(readFile(plistPath).startsWith("bplist"));

        UsageLogger logger(plistPath);
        QCOMPARE(logger.usageForApplicationAtPath("/a/x.desktop"), 7);
        logger.applicationAtPathLaunched("/a/x.desktop");
        QVERIFY(readFile(plistPath).startsWith("<?xml"));
        QCOMPARE(usesIn(plistPath), QVariantMap({{"/a/x.desktop", qint64(8)}}));
        QVERIFY(!QFile::exists(plistPath + ".corrupt"));
    }

    // Whatever could not be taken from the file is logged, and the file is kept aside before
    // the first write replaces it.
    void unusableFileIsMovedAsideBeforeTheFirstWrite_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QVariantMap>("counts");
        QTest::newRow("garbage") << QByteArray("not a property list\n") << QVariantMap{};
        QTest::newRow("truncated")
            << xmlLog("<key>/a/y.desktop</key><integer>3</integer>").left(90) << QVariantMap{};
        QTest::newRow("no uses dictionary")
            << QByteArray("<?xml version=\"1.0\"?><plist version=\"1.0\"><array/></plist>")
            << QVariantMap{};
        QTest::newRow("malformed entries") << xmlLog("<key>/a/int</key><integer>3</integer>"
                                                     "<key>/a/real</key><real>2.9</real>"
                                                     "<key>/a/text</key><string>five</string>"
                                                     "<key>/a/negative</key><integer>-4</integer>"
                                                     "<key>/a/dict</key><dict/>")
                                           << QVariantMap{{"/a/int", 3}, {"/a/real", 2}};
    }

    void unusableFileIsMovedAsideBeforeTheFirstWrite()
    {
        QFETCH(QByteArray, content);
        QFETCH(QVariantMap, counts);
        QVERIFY(QDir().mkpath(QFileInfo(plistPath).path()));
        QVERIFY(writeFile(plistPath, content));
        QVERIFY(writeFile(plistPath + ".corrupt", "an older casualty"));

        StderrCapture log;
        UsageLogger logger(plistPath);
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().contains(plistPath));
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            QCOMPARE(logger.usageForApplicationAtPath(it.key()), it.value().toInt());
        QCOMPARE(logger.usageForApplicationAtPath("/a/text"), 0);
        QCOMPARE(readFile(plistPath), content);

        logger.applicationAtPathLaunched("/a/new");
        QCOMPARE(readFile(plistPath + ".corrupt"), content);
        QVariantMap expected;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            expected.insert(it.key(), qint64(it.value().toInt()));
        expected.insert("/a/new", qint64(1));
        QCOMPARE(usesIn(plistPath), expected);

        // Only the first write moves the file aside.
        logger.applicationAtPathLaunched("/a/new");
        QCOMPARE(readFile(plistPath + ".corrupt"), content);
        QCOMPARE(usesIn(plistPath).value("/a/new"), QVariant(qint64(2)));
    }

    void countStopsAtTheLargest32BitValue()
    {
        QVERIFY(QDir().mkpath(QFileInfo(plistPath).path()));
        QVERIFY(
            writeFile(plistPath, xmlLog(QString("<key>/a/max</key><integer>%1</integer>"
                                                "<key>/a/near</key><integer>%2</integer>"
                                                "<key>/a/huge</key><integer>8589934592</integer>"
                                                "<key>/a/big real</key><real>1e300</real>")
                                            .arg(most)
                                            .arg(most - 1))));
        UsageLogger logger(plistPath);
        QCOMPARE(logger.usageForApplicationAtPath("/a/huge"), most);
        QCOMPARE(logger.usageForApplicationAtPath("/a/big real"), most);
        logger.applicationAtPathLaunched("/a/near");
        logger.applicationAtPathLaunched("/a/near");
        logger.applicationAtPathLaunched("/a/max");
        QCOMPARE(logger.usageForApplicationAtPath("/a/near"), most);
        QCOMPARE(logger.usageForApplicationAtPath("/a/max"), most);
        QCOMPARE(usesIn(plistPath).value("/a/max"), QVariant(qint64(most)));
    }

    void unwritableFolderKeepsCountsInMemory()
    {
        // A file where the folder should be: no account, root or not, can write below it.
        QVERIFY(writeFile(dir.filePath("Trovia"), "in the way"));
        StderrCapture log;
        UsageLogger logger(plistPath);
        logger.applicationAtPathLaunched("/a/x.desktop");
        logger.applicationAtPathLaunched("/a/x.desktop");
        QCOMPARE(logger.usageForApplicationAtPath("/a/x.desktop"), 2);
        QVERIFY(!logger.save());
        QVERIFY(!QFile::exists(plistPath));
        QCOMPARE(readFile(dir.filePath("Trovia")), QByteArray("in the way"));
        QCOMPARE(log.lines().size(), 3);
        QVERIFY(log.lines().first().startsWith(plistPath));
    }

    void reloadingForgetsUnsavedCounts()
    {
        UsageLogger logger(plistPath);
        logger.applicationAtPathLaunched("/a/x.desktop");
        UsageLogger other(plistPath);
        other.applicationAtPathLaunched("/a/y.desktop");
        QCOMPARE(logger.usageForApplicationAtPath("/a/y.desktop"), 0);
        logger.load();
        QCOMPARE(logger.usageForApplicationAtPath("/a/y.desktop"), 1);
        QCOMPARE(logger.usageForApplicationAtPath("/a/x.desktop"), 1);
    }
};

int main(int argc, char **argv)
{
    // The shared logger's folder follows XDG_DATA_HOME; keep it away from the real one.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    TestUsageLogger test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_usagelogger.moc"
