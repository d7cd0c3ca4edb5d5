#include "FileSizeLimit.h"
#include "TemporaryConfig.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace
{

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

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

    // A full disk: a change that cannot be written leaves the file as it was and stays in memory;
    // the next save, a retry or another change, writes everything.
    void failedSaveKeepsTheFileAndTheChange_data()
    {
        QTest::addColumn<bool>("retry");
        QTest::newRow("retry") << true;
        QTest::newRow("another change") << false;
    }

    void failedSaveKeepsTheFileAndTheChange()
    {
        QFETCH(bool, retry);
        QTemporaryDir dir;
        const QString file = dir.filePath("Trovia.conf");
        Settings settings(file);
        // Long enough that the log lines written under the limit below fit.
        const QString first = "/" + QString(1000, 'a');
        settings.setStringList(ExcludedLocationsKey, {first});
        settings.sync();
        const QByteArray before = readFile(file);
        QVERIFY(before.contains(first.toUtf8()));

        // No room beyond the old file's size.
        FileSizeLimit full(before.size());
        QVERIFY(full.isActive());
        // At least one log line, and each one names the file.
        const QString naming = QRegularExpression::escape(file);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^" + naming));
        QTest::failOnWarning(QRegularExpression("^(?!" + naming + ")"));
        const QStringList longer{first, "/b"};
        settings.setStringList(ExcludedLocationsKey, longer);
        settings.sync();
        full.lift();

        QCOMPARE(readFile(file), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"Trovia.conf"});
        QCOMPARE(settings.stringList(ExcludedLocationsKey), longer);

        if (retry) {
            settings.sync();
        } else {
            // Saved with the change, once control is back in the event loop.
            settings.setBool(IncludeClassicAppsKey, false);
            QCoreApplication::processEvents();
        }
        Settings nextRun(file);
        QCOMPARE(nextRun.stringList(ExcludedLocationsKey), longer);
        QCOMPARE(nextRun.hasStoredValue(IncludeClassicAppsKey), !retry);
    }

    // A store announces itself with its key's signal alone, once the value can be read back, and
    // every receiver has run when the store returns.
    void storingAKeyAnnouncesIt_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("signal");
        QTest::newRow("style") << WindowStyleKey << "appearance";
        QTest::newRow("colour") << WindowColorKey << "appearance";
        QTest::newRow("list height") << MaximumListHeightKey << "appearance";
        QTest::newRow("classic apps") << IncludeClassicAppsKey << "classic";
        QTest::newRow("match scope") << MatchMoreThanNamesKey << "scope";
        QTest::newRow("excluded") << ExcludedLocationsKey << "excluded";
        QTest::newRow("preset name") << WindowColorPresetKey << "";
        QTest::newRow("hot key") << HotKeyCodeKey << "";
    }

    void storingAKeyAnnouncesIt()
    {
        QFETCH(QString, key);
        QFETCH(QString, signal);
        const QVariant value = QStringLiteral("stored");
        QStringList seen;
        {
            QObject observer;
            const auto note = [&](const QString &name) {
                return [&, name] {
                    QCOMPARE(store->object(key), value);
                    seen << name;
                };
            };
            connect(store.get(), &Settings::windowAppearanceChanged, &observer, note("appearance"));
            connect(store.get(), &Settings::classicAppInclusionChanged, &observer, note("classic"));
            connect(store.get(), &Settings::matchScopeChanged, &observer, note("scope"));
            connect(store.get(), &Settings::excludedLocationsChanged, &observer, note("excluded"));
            store->setObject(key, value);
            QCOMPARE(seen, signal.isEmpty() ? QStringList() : QStringList{signal});
        }
        // A receiver that is gone hears nothing.
        store->setObject(key, value);
        QCOMPARE(seen.size(), signal.isEmpty() ? 0 : 1);
        store->remove(key);
    }

private:
    QTemporaryDir configHome;
    std::unique_ptr<Settings> store;
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
