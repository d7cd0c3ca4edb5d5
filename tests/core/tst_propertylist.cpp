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

    void binaryDictionaryReads()
    {
        // {"a": 1} in Apple's binary format.
        const PropertyList::ReadResult read = PropertyList::fromData(QByteArray::fromHex(
            "62706c6973743030d1010251611001080b0d00000000000001010000000000000003000000000000000000"
            "0000000000000f"));
        QVERIFY2(read.ok(), qPrintable(read.error));
        QCOMPARE(read.value.toMap(), (QVariantMap{{"a", qint64(1)}}));
    }

    // Only an XML or binary list with a dictionary at its root is a usage log or a preset file.
    void garbageIsAFailureWithAReason_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("not a plist");
        QTest::newRow("truncated xml") << QByteArray("<?xml version=\"1.0\"?><plist><dict><key>a");
        QTest::newRow("nested 100,000 deep") << "<plist version=\"1.0\"><dict><key>a</key>" +
                                                    QByteArray("<array>").repeated(100000) +
                                                    QByteArray("</array>").repeated(100000) +
                                                    "</dict></plist>";
        QTest::newRow("OpenStep dictionary")
            << QByteArray("{ \"Applications Uses\" = { a = 1; }; }");
        QTest::newRow("OpenStep word") << QByteArray("Applications");
        QTest::newRow("JSON object") << QByteArray(R"({"Applications Uses": {"a": 1}})");
        QTest::newRow("xml array root")
            << QByteArray("<?xml version=\"1.0\"?><plist "
                          "version=\"1.0\"><array><string>a</string></array></plist>");
        QTest::newRow("xml string root") << QByteArray(
            "<?xml version=\"1.0\"?><plist version=\"1.0\"><string>a</string></plist>");
        QTest::newRow("binary array root") << QByteArray::fromHex(
            "62706c6973743030a1015161080a0000000000000101000000000000000200000000000000000000000000"
            "00000c");
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
