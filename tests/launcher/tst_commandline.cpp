#include "launcher/CommandLine.h"

#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
    void waylandRunsThroughXWayland_data();
    void waylandRunsThroughXWayland();
};

void TestCommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("toggle");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<bool>("help");
    QTest::addColumn<bool>("error");
    QTest::newRow("nothing") << QStringList{"trovia"} << false << false << false << false;
    QTest::newRow("toggle") << QStringList{"trovia", "--toggle"} << true << false << false << false;
    QTest::newRow("hidden") << QStringList{"trovia", "--hidden"} << false << true << false << false;
    QTest::newRow("help") << QStringList{"trovia", "-h"} << false << false << true << false;
    QTest::newRow("Qt's options pass")
        << QStringList{"trovia", "-platform", "xcb", "--display", ":1", "--hidden"} << false << true
        << false << false;
    QTest::newRow("unknown option")
        << QStringList{"trovia", "--bogus"} << false << false << false << true;
    QTest::newRow("stray argument")
        << QStringList{"trovia", "firefox"} << false << false << false << true;
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, toggle);
    QFETCH(bool, hidden);
    QFETCH(bool, help);
    QFETCH(bool, error);
    const CommandLine line = CommandLine::parse(arguments);
    QCOMPARE(line.error.isEmpty(), !error);
    if (error)
        return;
    QCOMPARE(line.toggle, toggle);
    QCOMPARE(line.hidden, hidden);
    QCOMPARE(line.help, help);
    QVERIFY(line.usage.startsWith(QLatin1String("Usage: trovia ")));
    QVERIFY(line.usage.contains(QLatin1String("--toggle")));
    QVERIFY(!line.usage.contains(QLatin1String("platform")));
}

void TestCommandLine::waylandRunsThroughXWayland_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expected");
    const QStringList plain{"trovia", "--hidden"};
    QTest::newRow("X11") << QStringList{"DISPLAY=:0"} << plain << plain;
    QTest::newRow("Wayland") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << plain
                             << QStringList{"trovia", "-platform", "xcb", "--hidden"};
    QTest::newRow("Wayland, QT_QPA_PLATFORM=wayland for the user's programs")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "QT_QPA_PLATFORM=wayland"} << plain
        << QStringList{"trovia", "-platform", "xcb", "--hidden"};
    const QStringList chosen{"trovia", "-platform", "wayland"};
    QTest::newRow("Wayland, platform chosen by argument")
        << QStringList{"WAYLAND_DISPLAY=wayland-0"} << chosen << chosen;
}

void TestCommandLine::waylandRunsThroughXWayland()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expected);
    QProcessEnvironment env;
    for (const QString &variable : environment)
        env.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    QCOMPARE(applicationArguments(arguments, env), expected);
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
