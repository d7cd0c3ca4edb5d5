// Trovia as its Debian package installs it, unpacked into a temporary root instead of /: the
// program finds its resources under that root and works there.
#include "TroviaSession.h"

#include <QFileInfo>
#include <QTest>

class TestPackage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void answersItsVersion();
    void hotKeyTypeAndReturnLaunch();

private:
    QTemporaryDir root;
    QString program;
};

void TestPackage::initTestCase()
{
    QVERIFY(root.isValid());
    const QString package = QString::fromLocal8Bit(qgetenv("TROVIA_PACKAGE"));
    QCOMPARE(
        QProcess::execute(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), package, root.path()}),
        0);
    program = root.filePath(QStringLiteral("usr/bin/trovia"));
    QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program));
    qputenv("TROVIA_BINARY", program.toLocal8Bit());
}

void TestPackage::answersItsVersion()
{
    QProcess trovia;
    trovia.start(program, {QStringLiteral("--version")});
    QVERIFY(trovia.waitForFinished(10000));
    QCOMPARE(trovia.exitCode(), 0);
    QCOMPARE(trovia.readAllStandardOutput(), QByteArray("trovia " TROVIA_VERSION "\n"));
}

void TestPackage::hotKeyTypeAndReturnLaunch()
{
    TroviaSession session;
    session.addEntry(QStringLiteral("alpha"), QStringLiteral("Alpha Editor"));
    session.addEntry(QStringLiteral("beta"), QStringLiteral("Beta Browser"));
    TROVIA_START_SHOWN(session);
    const QString hotKey = QStringLiteral("alt+Escape");
    QVERIFY(TroviaSession::key(hotKey));
    QTRY_VERIFY(TroviaSession::mainWindow().isEmpty());
    QVERIFY(TroviaSession::key(hotKey));
    QTRY_COMPARE(TroviaSession::activeWindow(), TroviaSession::mainWindow());

    TROVIA_TYPE_TO_LIST("bet");
    QVERIFY(TroviaSession::key(QStringLiteral("Return")));
    QTRY_COMPARE(session.launches(), QStringList{QStringLiteral("beta")});
    QTRY_COMPARE(session.usageCount(QStringLiteral("beta")), 1);
    // The interface descriptions came from the unpacked tree.
    QVERIFY2(!session.standardError().contains(QLatin1String("Failed loading")),
             qPrintable(session.standardError()));
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_e2e_package.moc"
