#include "TemporaryConfig.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"

#include <QTemporaryDir>
#include <QTest>

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(configHome.isValid());
        store = temporarySettings(configHome);
    }

    void firstStartReadsRegisteredDefaults()
    {
        Settings &settings = *store;
        QCOMPARE(settings.integer(HotKeyCodeKey), 53);
        QCOMPARE(settings.integer(HotKeyModifiersKey), 0x800);
        QCOMPARE(settings.integer(WindowStyleKey), 2);
        QCOMPARE(settings.string(WindowColorPresetKey), QString("Medium Gray"));
        QVERIFY(PreferencesDefaults::includeClassicApps(settings));
        QVERIFY(!settings.hasStoredValue(MainWindowXKey));

        QCOMPARE(settings.color(CustomWindowColorKey), QColor::fromHsvF(0, 0, 0.9f));
    }

    void storedValueWinsAndDefaultsAreNeverWritten()
    {
        Settings &settings = *store;
        settings.setBool(IncludeClassicAppsKey, false);
        settings.sync();
        QVERIFY(!PreferencesDefaults::includeClassicApps(settings));

        // A second run: a fresh store over the same file, defaults registered again.
        Settings nextRun(settings.filePath());
        nextRun.registerDefaults({{IncludeClassicAppsKey, true}, {WindowStyleKey, 2}});
        QVERIFY(!nextRun.boolean(IncludeClassicAppsKey));
        QVERIFY(!nextRun.hasStoredValue(WindowStyleKey));
        settings.remove(IncludeClassicAppsKey);
        QVERIFY(PreferencesDefaults::includeClassicApps(settings));
    }

    void archivedColoursReadBackExactly_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::newRow("hsv") << QColor::fromHsvF(0.58333f, 0.5f, 0.8f, 1.0f);
        QTest::newRow("extended rgb") << QColor::fromRgbF(1.2f, -0.1f, 0.5f);
        QTest::newRow("cmyk") << QColor::fromCmykF(0.1f, 0.2f, 0.3f, 0.4f);
    }

    void archivedColoursReadBackExactly()
    {
        QFETCH(QColor, color);
        QTemporaryDir dir;
        const QString file = dir.filePath("Trovia.conf");
        {
            Settings settings(file);
            settings.setColor(WindowColorKey, color);
        }
        const QColor readBack = Settings(file).color(WindowColorKey);
        QCOMPARE(readBack.spec(), color.spec());
        QCOMPARE(readBack, color);
    }

    void unreadableColourIsInvalid()
    {
        QTemporaryDir dir;
        Settings settings(dir.filePath("Trovia.conf"));
        settings.setObject(WindowColorKey, QByteArray("\x01"));
        QVERIFY(!settings.color(WindowColorKey).isValid());
    }

    void pathListsSurviveTheIniFormat_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("empty") << QStringList();
        QTest::newRow("commas, quotes, spaces")
            << QStringList{"/home/me/My, \"Apps\"", "/opt/x y/", "/"};
    }

    void pathListsSurviveTheIniFormat()
    {
        QFETCH(QStringList, paths);
        QTemporaryDir dir;
        const QString file = dir.filePath("Trovia.conf");
        Settings(file).setStringList(ExcludedLocationsKey, paths);
        QCOMPARE(Settings(file).stringList(ExcludedLocationsKey), paths);
    }

    void notificationsReachObserversBeforeTheEmissionReturns()
    {
        QObject observer;
        QStringList seen;
        connect(store.get(), &Settings::windowAppearanceChanged, &observer,
                [&] { seen << "appearance"; });
        connect(store.get(), &Settings::excludedLocationsChanged, &observer,
                [&] { seen << "excluded"; });
        Q_EMIT store->excludedLocationsChanged();
        QCOMPARE(seen, QStringList{"excluded"});
        {
            QObject shortLived;
            connect(store.get(), &Settings::excludedLocationsChanged, &shortLived,
                    [&] { seen << "gone"; });
        }
        Q_EMIT store->excludedLocationsChanged();
        QCOMPARE(seen, (QStringList{"excluded", "excluded"}));
    }

private:
    QTemporaryDir configHome;
    std::unique_ptr<Settings> store;
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
