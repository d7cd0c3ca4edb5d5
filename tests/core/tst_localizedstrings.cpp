#include "core/LocalizedStrings.h"

#include <QTemporaryDir>
#include <QTest>

class TestLocalizedStrings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void builtInTableHoldsTroviasTexts_data()
    {
        QTest::addColumn<QString>("key");
        for (const char *key :
             {"CouldNotLaunchAppTitle", "CouldNotLaunchAppMessage", "HotKeyDisplayingNotSupported",
              "CustomColorLabel", "ShowInFileManagerMenuItem", "QuitMenuItem"})
            QTest::newRow(key) << QString::fromLatin1(key);
    }

    void builtInTableHoldsTroviasTexts()
    {
        QFETCH(QString, key);
        const QString text = LocalizedStrings::text(key);
        QVERIFY(!text.isEmpty());
        QVERIFY2(text != key, qPrintable(text));
    }

    // A missing key reads as itself; the URLs are absent so their menu items stay hidden.
    void missingKeysYieldThemselves()
    {
        QCOMPARE(LocalizedStrings::text("NoSuchKey"), QString("NoSuchKey"));
        QVERIFY(!LocalizedStrings::contains("WebsiteURL"));
        QVERIFY(!LocalizedStrings::contains("DonationURL"));
    }

    void unreadableTableLeavesKeysToThemselves()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("broken.plist"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<plist><dict><key>CustomColorLabel</key>");
        file.close();
        QVERIFY(!LocalizedStrings::loadTable(file.fileName()));
        QCOMPARE(LocalizedStrings::text("CustomColorLabel"), QString("CustomColorLabel"));
        QVERIFY(LocalizedStrings::loadTable(":/trovia/Localizable.plist"));
        QVERIFY(LocalizedStrings::contains("CustomColorLabel"));
    }
};

QTEST_GUILESS_MAIN(TestLocalizedStrings)
#include "tst_localizedstrings.moc"
