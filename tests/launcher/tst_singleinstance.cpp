#include "launcher/SingleInstance.h"

#include <QDBusConnection>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <future>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private:
    // A later start is another process with a bus connection of its own; its blocking request
    // runs beside this test's event loop.
    static std::future<bool> requestFromAnotherStart(const QString &dir, const QByteArray &token,
                                                     bool fromBinding)
    {
        return std::async(std::launch::async, [dir, token, fromBinding] {
            SingleInstance second(dir);
            const QString name = QStringLiteral("second start");
            bool answered = false;
            {
                QDBusConnection bus =
                    QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
                answered = !second.acquire() &&
                           SingleInstance::requestToggle(token, 5000, bus, fromBinding);
            }
            QDBusConnection::disconnectFromBus(name);
            return answered;
        });
    }

private Q_SLOTS:
    void secondStartAsksTheFirstToToggle_data()
    {
        QTest::addColumn<QByteArray>("token");
        QTest::addColumn<QByteArray>("delivered");
        QTest::addColumn<bool>("fromBinding");
        QTest::newRow("startup id")
            << QByteArray("trovia-123_TIME4567") << QByteArray("trovia-123_TIME4567") << false;
        QTest::newRow("no token") << QByteArray() << QByteArray() << false;
        QTest::newRow("token with a space is dropped")
            << QByteArray("a b") << QByteArray() << false;
        QTest::newRow("trovia --toggle") << QByteArray("t_TIME1") << QByteArray("t_TIME1") << true;
    }

    void secondStartAsksTheFirstToToggle()
    {
        QFETCH(QByteArray, token);
        QFETCH(QByteArray, delivered);
        QFETCH(bool, fromBinding);
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.acquire());
        QVERIFY(first.listen());
        QSignalSpy toggles(&first, &SingleInstance::toggleRequested);

        std::future<bool> request = requestFromAnotherStart(dir.path(), token, fromBinding);
        QVERIFY(toggles.wait(5000));
        QCOMPARE(toggles.count(), 1);
        QCOMPARE(toggles.first().at(0).toByteArray(), delivered);
        QCOMPARE(toggles.first().at(1).toBool(), fromBinding);
        QVERIFY(request.get());
        QDBusConnection::sessionBus().unregisterService(
            QString::fromLatin1(SingleInstance::serviceName));
        QDBusConnection::sessionBus().unregisterObject(QStringLiteral("/org/trovia/Trovia"));
    }

    void nobodyAnsweringIsReported()
    {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.acquire()); // holds the lock but never answers

        SingleInstance second(dir.path());
        QVERIFY(!second.acquire());
        QVERIFY(!SingleInstance::requestToggle("token", 200));
    }

    void lockOfACrashedTroviaIsTakenOver()
    {
        QTemporaryDir dir;
        {
            // The lock a Trovia leaves when it is killed: a process number that no longer runs.
            QFile lock(dir.filePath(QStringLiteral("trovia/trovia.lock")));
            QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("trovia"))));
            QVERIFY(lock.open(QIODevice::WriteOnly));
            lock.write("2147483000\ntrovia\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        }
        SingleInstance next(dir.filePath(QStringLiteral("trovia")));
        QVERIFY(next.acquire());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
