// The trovia program's answers to --version, --help and wrong arguments: exit status and streams.
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

class TestProgramOptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void answers_data();
    void answers();
};

void TestProgramOptions::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    // Whole-stream patterns.
    QTest::addColumn<QString>("standardOutput");
    QTest::addColumn<QString>("standardError");
    const QString usage = QStringLiteral("Usage: trovia .*--toggle.*--hidden.*--help.*--version.*");
    const auto literally = [](const char *text) {
        return QRegularExpression::escape(QString::fromUtf8(text));
    };
    QTest::newRow("--version") << QStringList{"--version"} << 0
                               << literally("trovia " TROVIA_VERSION "\n") << QString();
    QTest::newRow("--help") << QStringList{"--help"} << 0 << usage << QString();
    QTest::newRow("-h") << QStringList{"-h"} << 0 << usage << QString();
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << QString()
                                    << literally("trovia: Unknown option 'bogus'.\n") + usage;
    QTest::newRow("stray argument")
        << QStringList{"firefox"} << 2 << QString()
        << literally("trovia: Unexpected argument 'firefox'.\n") + usage;
}

void TestProgramOptions::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, standardOutput);
    QFETCH(QString, standardError);
    // No display and no bus: these answers need neither, nor a running Trovia.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"})
        environment.remove(QString::fromLatin1(name));
    QProcess trovia;
    trovia.setProcessEnvironment(environment);
    trovia.start(QString::fromLocal8Bit(qgetenv("TROVIA_BINARY")), arguments);
    QVERIFY(trovia.waitForFinished(10000));
    QCOMPARE(trovia.exitStatus(), QProcess::NormalExit);
    QCOMPARE(trovia.exitCode(), exitCode);
    const auto matchesWhole = [](const QString &pattern, const QByteArray &stream) {
        const QRegularExpression whole(QRegularExpression::anchoredPattern(pattern),
                                       QRegularExpression::DotMatchesEverythingOption);
        return whole.match(QString::fromLocal8Bit(stream)).hasMatch();
    };
    const QByteArray out = trovia.readAllStandardOutput();
    const QByteArray err = trovia.readAllStandardError();
    QVERIFY2(matchesWhole(standardOutput, out), out.constData());
    QVERIFY2(matchesWhole(standardError, err), err.constData());
}

QTEST_APPLESS_MAIN(TestProgramOptions)
#include "tst_programoptions.moc"
