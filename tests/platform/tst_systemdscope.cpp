// The name of a launched program's own systemd scope.
#include "platform/xdg/SystemdScope.h"

#include <QRegularExpression>
#include <QTest>

class TestSystemdScope : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void applicationIdIsEscapedForAUnitName_data()
    {
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("reverse DNS") << QByteArray("org.gnome.Evince") << "org.gnome.Evince";
        QTest::newRow("colon and underscore") << QByteArray("a:b_c") << "a:b_c";
        QTest::newRow("dash separates the name's parts") << QByteArray("my-app") << "my\\x2dapp";
        QTest::newRow("space and slash") << QByteArray("a b/c") << "a\\x20b\\x2fc";
        QTest::newRow("backslash") << QByteArray("a\\b") << "a\\x5cb";
        QTest::newRow("UTF-8 byte by byte") << QByteArray("caf\xc3\xa9") << "caf\\xc3\\xa9";
        QTest::newRow("at and percent") << QByteArray("x@y%z") << "x\\x40y\\x25z";
    }

    void applicationIdIsEscapedForAUnitName()
    {
        QFETCH(QByteArray, id);
        QFETCH(QString, escaped);
        QCOMPARE(SystemdScope::escapedApplicationId(id), escaped);
    }

    // Two launches of one program get two scopes.
    void unitNamesAreScopesOfTheirOwn()
    {
        const QString first = SystemdScope::unitName("my-app");
        const QString second = SystemdScope::unitName("my-app");
        const QRegularExpression form(
            QStringLiteral("^app-trovia-my\\\\x2dapp-[0-9a-f]+\\.scope$"));
        QVERIFY2(form.match(first).hasMatch(), qPrintable(first));
        QVERIFY2(form.match(second).hasMatch(), qPrintable(second));
        QVERIFY(first != second);
    }
};

QTEST_GUILESS_MAIN(TestSystemdScope)
#include "tst_systemdscope.moc"
