#include "LocalizedStrings.h"

#include <QTemporaryDir>
#include <QTest>

class TestLocalizedStrings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void builtInTableHoldsTroviasTexts_data();
    void builtInTableHoldsTroviasTexts();
    void missingKeyYieldsKey();
    void urlsAreAbsentSoTheirMenuItemsStayHidden();
    void unreadableTableLeavesKeysToThemselves();
};

void TestLocalizedStrings::builtInTableHoldsTroviasTexts_data()
{
    QTest::addColumn<QString>("key");
    for (const char *key :
         {"CouldNotLaunchAppTitle", "CouldNotLaunchAppMessage", "HotKeyDisplayingNotSupported",
          "CustomColorLabel", "ShowInFileManagerMenuItem", "QuitMenuItem"})
        QTest::newRow(key) << QString::fromLatin1(key);
}

void TestLocalizedStrings::builtInTableHoldsTroviasTexts()
{
    QFETCH(QString, key);
    QVERIFY(LocalizedStrings::contains(key));
    const QString text = LocalizedStrings::text(key);
    QVERIFY(!text.isEmpty());
    QVERIFY2(text != key, qPrintable(text));
}

void TestLocalizedStrings::missingKeyYieldsKey()
{
    QCOMPARE(LocalizedStrings::text(QStringLiteral("NoSuchKey")), QStringLiteral("NoSuchKey"));
    QVERIFY(!LocalizedStrings::contains(QStringLiteral("NoSuchKey")));
}

void TestLocalizedStrings::urlsAreAbsentSoTheirMenuItemsStayHidden()
{
    QVERIFY(!LocalizedStrings::contains(QStringLiteral("WebsiteURL")));
    QVERIFY(!LocalizedStrings::contains(QStringLiteral("DonationURL")));
}

void TestLocalizedStrings::unreadableTableLeavesKeysToThemselves()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.plist"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<plist><dict><key>CustomColorLabel</key>");
    file.close();

    QVERIFY(!LocalizedStrings::loadTable(path));
    QCOMPARE(LocalizedStrings::text(QStringLiteral("CustomColorLabel")),
             QStringLiteral("CustomColorLabel"));

    QVERIFY(LocalizedStrings::loadTable(QStringLiteral(":/trovia/Localizable.plist")));
    QVERIFY(LocalizedStrings::contains(QStringLiteral("CustomColorLabel")));
}

QTEST_GUILESS_MAIN(TestLocalizedStrings)
#include "tst_localizedstrings.moc"
