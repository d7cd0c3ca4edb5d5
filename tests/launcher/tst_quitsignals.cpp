#include "launcher/QuitSignals.h"

#include <QSignalSpy>
#include <QTest>
#include <csignal>

class TestQuitSignals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void signalReachesTheEventLoop_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void signalReachesTheEventLoop()
    {
        QFETCH(int, signalNumber);
        QuitSignals quitSignals;
        QVERIFY(quitSignals.install());
        QSignalSpy spy(&quitSignals, &QuitSignals::quitRequested);

        // Without the handler this would end the test process.
        QCOMPARE(::raise(signalNumber), 0);
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toInt(), signalNumber);
    }
};

QTEST_GUILESS_MAIN(TestQuitSignals)
#include "tst_quitsignals.moc"
