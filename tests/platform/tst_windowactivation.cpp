#include "platform/x11/WindowActivation.h"

#include <QTest>

class TestWindowActivation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void timestampFromStartupId_data();
    void timestampFromStartupId();
};

void TestWindowActivation::timestampFromStartupId_data()
{
    QTest::addColumn<QByteArray>("id");
    QTest::addColumn<quint32>("time");
    QTest::newRow("launcher's id")
        << QByteArray("xfce4-panel-1234-host-trovia-0_TIME28400512") << quint32(28400512);
    QTest::newRow("last _TIME counts") << QByteArray("a_TIME5_b_TIME77") << quint32(77);
    QTest::newRow("largest server time") << QByteArray("x_TIME4294967295") << quint32(4294967295u);
    QTest::newRow("no time") << QByteArray("gnome-shell/Trovia/1234-0-host") << quint32(0);
    QTest::newRow("not a number") << QByteArray("x_TIMEnow") << quint32(0);
    QTest::newRow("out of range") << QByteArray("x_TIME4294967296") << quint32(0);
    QTest::newRow("empty") << QByteArray() << quint32(0);
}

void TestWindowActivation::timestampFromStartupId()
{
    QFETCH(QByteArray, id);
    QFETCH(quint32, time);
    QCOMPARE(WindowActivation::timestampFromStartupId(id), time);
}

QTEST_APPLESS_MAIN(TestWindowActivation)
#include "tst_windowactivation.moc"
