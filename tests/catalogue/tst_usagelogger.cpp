#include "FileSizeLimit.h"
#include "catalogue/UsageLogger.h"
#include "core/PropertyList.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <limits>
#include <plist/plist.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr int most = std::numeric_limits<int>::max();

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The next log lines: count of them, each naming the file; any other warning fails the test.
void expectLogLines(int count, const QString &path)
{
    const QRegularExpression naming(QRegularExpression::escape(path));
    for (int i = 0; i < count; ++i)
        QTest::ignoreMessage(QtWarningMsg, naming);
    QTest::failOnWarning(QRegularExpression(".*"));
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
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

QByteArray binaryLog(const char *path, uint64_t count)
{
    plist_t uses = plist_new_dict();
    plist_dict_set_item(uses, path, plist_new_uint(count));
    plist_t root = plist_new_dict();
    plist_dict_set_item(root, "Applications Uses", uses);
    char *bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &bytes, &length);
    plist_free(root);
    const QByteArray result(bytes, int(length));
    std::free(bytes);
    return result;
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
        QDir(dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(dir.path()));
        plistPath = dir.filePath("fresh/.local/share/Trovia/Usage log.plist");
    }

    // Looking up writes nothing; each launch is written at once, missing folders created, and
    // the next run reads it back.
    void launchesAreCountedAndWrittenAtOnce()
    {
        UsageLogger logger(plistPath);
        QCOMPARE(logger.usageForApplicationAtPath("/a/x.desktop"), 0);
        QVERIFY(!QFile::exists(plistPath));
        logger.applicationAtPathLaunched("/a/x.desktop");
        logger.applicationAtPathLaunched("/a/x.desktop");
        logger.applicationAtPathLaunched("/a/X.desktop");
        QVERIFY(readFile(plistPath).startsWith("<?xml"));
        QCOMPARE(usesIn(plistPath), QVariantMap({{"/a/x.desktop", 2}, {"/a/X.desktop", 1}}));
        QCOMPARE(UsageLogger(plistPath).usageForApplicationAtPath("/a/x.desktop"), 2);
    }

    // What could be read counts, each value at most the largest 32-bit number; a file that
    // could not be used whole is logged and kept aside before the first write replaces it.
    void fileStates_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QVariantMap>("counts");
        QTest::addColumn<bool>("unusable");
        QTest::newRow("binary") << binaryLog("/a/x", 7) << QVariantMap{{"/a/x", 7}} << false;
        QTest::newRow("beyond 32 bits")
            << xmlLog("<key>/a/huge</key><integer>8589934592</integer>"
                      "<key>/a/big real</key><real>1e300</real>")
            << QVariantMap{{"/a/huge", most}, {"/a/big real", most}} << false;
        QTest::newRow("garbage") << QByteArray("not a property list\n") << QVariantMap{} << true;
        QTest::newRow("truncated")
            << xmlLog("<key>/a/y</key><integer>3</integer>").left(90) << QVariantMap{} << true;
        QTest::newRow("no uses dictionary")
            << QByteArray("<?xml version=\"1.0\"?><plist version=\"1.0\"><array/></plist>")
            << QVariantMap{} << true;
        QTest::newRow("nested 100,000 deep")
            << xmlLog("<key>/a/deep</key>" + QString("<array>").repeated(100000) +
                      QString("</array>").repeated(100000))
            << QVariantMap{} << true;
        QTest::newRow("malformed entries") << xmlLog("<key>/a/int</key><integer>3</integer>"
                                                     "<key>/a/real</key><real>2.9</real>"
                                                     "<key>/a/text</key><string>five</string>"
                                                     "<key>/a/negative</key><integer>-4</integer>"
                                                     "<key>/a/dict</key><dict/>")
                                           << QVariantMap{{"/a/int", 3}, {"/a/real", 2}} << true;
    }

    void fileStates()
    {
        QFETCH(QByteArray, content);
        QFETCH(QVariantMap, counts);
        QFETCH(bool, unusable);
        QVERIFY(writeFile(plistPath, content));
        QVERIFY(writeFile(plistPath + ".corrupt", "an older casualty"));

        expectLogLines(unusable ? 1 : 0, plistPath);
        UsageLogger logger(plistPath);
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            QCOMPARE(logger.usageForApplicationAtPath(it.key()), it.value().toInt());
        QCOMPARE(logger.usageForApplicationAtPath("/a/text"), 0);

        // Only the first write moves the file aside, beside the earlier casualty.
        logger.applicationAtPathLaunched("/a/new");
        logger.applicationAtPathLaunched("/a/new");
        QCOMPARE(readFile(plistPath + ".corrupt"), "an older casualty");
        QCOMPARE(readFile(plistPath + ".corrupt.2"), unusable ? content : QByteArray());
        QVERIFY(!QFile::exists(plistPath + ".corrupt.3"));
        counts.insert("/a/new", 2);
        QCOMPARE(usesIn(plistPath), counts);
    }

    // A log that cannot be read may hold intact counts: it is not corrupt, and is neither moved
    // aside nor written over; launches are still counted in memory.
    void unreadableFileIsLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("no permission") << "file";
        QTest::newRow("a folder") << "folder";
        // Opening a FIFO would wait for a writer: the first keystroke would never return.
        QTest::newRow("a FIFO") << "fifo";
    }

    void unreadableFileIsLeftAlone()
    {
        QFETCH(QString, kind);
        const QByteArray intact = xmlLog("<key>/a/x</key><integer>9</integer>");
        if (kind == "folder") {
            QVERIFY(QDir().mkpath(plistPath));
        } else if (kind == "fifo") {
            QVERIFY(QDir().mkpath(QFileInfo(plistPath).path()));
            QCOMPARE(mkfifo(QFile::encodeName(plistPath).constData(), 0600), 0);
        } else {
            QVERIFY(writeFile(plistPath, intact));
            QVERIFY(QFile::setPermissions(plistPath, {}));
        }
        // Root reads any file: read as an ordinary user would.
        const bool root = geteuid() == 0;
        if (root)
            QVERIFY(QFile::setPermissions(dir.path(),
                                          QFile::permissions(dir.path()) | QFile::ExeOther));
        expectLogLines(1, plistPath);
        const bool asNobody = root && seteuid(65534) == 0;
        UsageLogger logger(plistPath);
        if (asNobody)
            QCOMPARE(seteuid(0), 0);
        QCOMPARE(asNobody, root);

        logger.applicationAtPathLaunched("/a/x");
        logger.applicationAtPathLaunched("/a/x");
        QCOMPARE(logger.usageForApplicationAtPath("/a/x"), 2);
        QVERIFY(!logger.save());
        QCOMPARE(QDir(QFileInfo(plistPath).path())
                     .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{"Usage log.plist"});
        if (kind == "file") {
            QVERIFY(QFile::setPermissions(plistPath, QFile::ReadOwner | QFile::WriteOwner));
            QCOMPARE(readFile(plistPath), intact);
        }
    }

    void countStopsAtTheLargest32BitValue()
    {
        QVERIFY(writeFile(plistPath, xmlLog(QString("<key>/a/max</key><integer>%1</integer>"
                                                    "<key>/a/near</key><integer>%2</integer>")
                                                .arg(most)
                                                .arg(most - 1))));
        UsageLogger logger(plistPath);
        for (const char *path : {"/a/near", "/a/near", "/a/max"})
            logger.applicationAtPathLaunched(path);
        QCOMPARE(usesIn(plistPath), QVariantMap({{"/a/near", most}, {"/a/max", most}}));
    }

    // A full disk: the write fails part way, and the file written before stays whole.
    void failedWriteKeepsThePreviousFile()
    {
        UsageLogger logger(plistPath);
        logger.applicationAtPathLaunched("/a/x.desktop");
        const QByteArray before = readFile(plistPath);

        // No room beyond the old log's size.
        FileSizeLimit full(before.size());
        QVERIFY(full.isActive());
        expectLogLines(2, plistPath);
        logger.applicationAtPathLaunched("/a/a much longer path than the first one.desktop");
        const bool written = logger.save();
        full.lift();

        QVERIFY(!written);
        QCOMPARE(readFile(plistPath), before);
        QCOMPARE(QDir(QFileInfo(plistPath).path()).entryList(QDir::Files),
                 QStringList{"Usage log.plist"});
    }

    void unwritableFolderKeepsCountsInMemory()
    {
        // A file where the folder should be: no account, root or not, can write below it.
        const QString blocker = QFileInfo(plistPath).path();
        QVERIFY(writeFile(blocker, "in the way"));
        expectLogLines(3, plistPath);
        UsageLogger logger(plistPath);
        logger.applicationAtPathLaunched("/a/x.desktop");
        logger.applicationAtPathLaunched("/a/x.desktop");
        QCOMPARE(logger.usageForApplicationAtPath("/a/x.desktop"), 2);
        QVERIFY(!logger.save());
        QCOMPARE(readFile(blocker), QByteArray("in the way"));
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TestUsageLogger test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_usagelogger.moc"
