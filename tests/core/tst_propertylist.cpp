#include "core/PropertyList.h"

#include <QDateTime>
#include <QTest>

class TestPropertyList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void xmlRoundTripKeepsEveryType()
    {
        const QVariantMap value{
            {"text", QString("Zoë & <friends>")},
            {"count", qint64(4294967295)},
            {"ratio", 0.25},
            {"flag", true},
            {"bytes", QByteArray("\x00\x01\xff", 3)},
            {"list", QVariantList{qint64(1), QString("two")}},
            {"nested", QVariantMap{{"a", qint64(1)}}},
        };
        const QByteArray xml = PropertyList::toXml(value);
        QVERIFY(xml.startsWith("<?xml"));
        const PropertyList::ReadResult read = PropertyList::fromData(xml);
        QVERIFY(read.ok());
        QCOMPARE(read.value.toMap(), value);
    }

    void garbageIsAFailureWithAReason_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("not a plist");
        QTest::newRow("truncated xml") << QByteArray("<?xml version=\"1.0\"?><plist><dict><key>a");
        QTest::newRow("nested 100,000 deep")
            << "<plist version=\"1.0\">" + QByteArray("<array>").repeated(100000) +
                   QByteArray("</array>").repeated(100000) + "</plist>";
    }

    void garbageIsAFailureWithAReason()
    {
        QFETCH(QByteArray, data);
        const PropertyList::ReadResult read = PropertyList::fromData(data);
        QVERIFY(!read.ok());
        QVERIFY(!read.error.isEmpty());
    }

    void missingFileNamesThePath()
    {
        const PropertyList::ReadResult read = PropertyList::fromFile("/nonexistent/x.plist");
        QVERIFY(!read.ok());
        QVERIFY(read.error.contains("/nonexistent/x.plist"));
    }
};

QTEST_GUILESS_MAIN(TestPropertyList)
#include "tst_propertylist.moc"
