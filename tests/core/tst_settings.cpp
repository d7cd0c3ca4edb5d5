#include "FileSizeLimit.h"
#include "TemporaryConfig.h"
#include "core/PreferencesDefaults.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace
{

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether settings.setValue(key, a V) compiles.
template <typename V, typename T>
constexpr auto storable(const SettingKey<T> &key, int)
    -> decltype(std::declval<Settings &>().setValue(key, std::declval<V>()), true)
{
    return true;
}
template <typename V, typename T> constexpr bool storable(const SettingKey<T> &, long)
{
    return false;
}
static_assert(storable<int>(HotKeyCodeKey, 0) && storable<quint16>(HotKeyCodeKey, 0));
static_assert(!storable<QString>(HotKeyCodeKey, 0) && !storable<bool>(HotKeyCodeKey, 0));
static_assert(storable<bool>(IncludeClassicAppsKey, 0) && !storable<int>(IncludeClassicAppsKey, 0));
static_assert(storable<QColor>(WindowColorKey, 0) && !storable<QString>(WindowColorKey, 0));
static_assert(!storable<QByteArray>(WindowColorKey, 0) && !storable<int>(WindowColorPresetKey, 0));
static_assert(storable<float>(MainWindowXKey, 0) && !storable<QString>(MainWindowXKey, 0));
static_assert(storable<SurfaceStyle>(WindowStyleKey, 0) &&
              !storable<const char *>(WindowStyleKey, 0));

// One key's store and read, whatever its type.
struct KeyCase {
    std::function<void(Settings &)> store;
    std::function<bool(const Settings &)> holdsStored;
};

template <typename T, typename V> KeyCase storing(const SettingKey<T> &key, const V &value)
{
    return {[&key, value](Settings &settings) { settings.setValue(key, value); },
            [&key, value](const Settings &settings) { return settings.value(key) == T(value); }};
}

// Whether a read of key gives its default and reports the stored value rejected.
using DefaultCheck = std::function<bool(const Settings &)>;
template <typename T> DefaultCheck readsDefault(const SettingKey<T> &key)
{
    return [&key](const Settings &settings) {
        bool rejected = false;
        return settings.value(key, &rejected) == key.defaultValue && rejected;
    };
}

} // namespace

Q_DECLARE_METATYPE(KeyCase)
Q_DECLARE_METATYPE(DefaultCheck)

class TestSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(configHome.isValid());
        store = temporarySettings(configHome);
    }

    void firstStartReadsTheDefaults()
    {
        Settings &settings = *store;
        QCOMPARE(settings.value(HotKeyCodeKey), 53);
        QCOMPARE(settings.value(HotKeyModifiersKey), 0x800);
        QCOMPARE(settings.value(WindowStyleKey), 2);
        QCOMPARE(settings.value(WindowColorPresetKey), QString("Medium Gray"));
        QVERIFY(PreferencesDefaults::includeClassicApps(settings));
        QVERIFY(!settings.value(MainWindowXKey));

        QCOMPARE(settings.value(CustomWindowColorKey), QColor::fromHsvF(0, 0, 0.9f));
    }

    void storedValueWinsAndDefaultsAreNeverWritten()
    {
        Settings &settings = *store;
        settings.setValue(IncludeClassicAppsKey, false);
        settings.sync();
        QVERIFY(!PreferencesDefaults::includeClassicApps(settings));

        // A second run: a fresh store over the same file, its defaults read before.
        QCOMPARE(settings.value(WindowStyleKey), 2);
        Settings nextRun(settings.filePath());
        QVERIFY(!nextRun.value(IncludeClassicAppsKey));
        QVERIFY(!nextRun.hasStoredValue(WindowStyleKey));
        settings.remove(IncludeClassicAppsKey);
        QVERIFY(PreferencesDefaults::includeClassicApps(settings));
    }

    // Each type is written as Trovia always wrote it, so that files of earlier runs read the same.
    void fileFormatIsKept()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("Trovia.conf");
        {
            Settings settings(file);
            settings.setValue(WindowStyleKey, MatteStyle);
            settings.setValue(IncludeClassicAppsKey, false);
            settings.setValue(HotKeyCodeKey, 122);
            settings.setValue(MainWindowXKey, 12.5f);
            settings.setValue(WindowColorPresetKey, QString("Custom"));
        }
        const QByteArray text = readFile(file);
        for (const char *line :
             {"Window%20Style=1\n", "Include%20Classic%20Apps=false\n", "Hot%20Key%20Code=122\n",
              "Main%20Window%20X=12.5\n", "Window%20Color%20Preset=Custom\n"})
            QVERIFY2(text.contains(line), text.constData());
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
            settings.setValue(WindowColorKey, color);
        }
        const QColor readBack = Settings(file).value(WindowColorKey);
        QCOMPARE(readBack.spec(), color.spec());
        QCOMPARE(readBack, color);
    }

    // What a hand or another program left in the file that is not of the key's type reads as the
    // key's default, and the read says so.
    void wrongTypedStoredValueGivesTheDefault_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<DefaultCheck>("readsDefault");
        const auto row = [](const char *tag, const auto &key, const QVariant &stored) {
            QTest::newRow(tag) << QString(key.name) << stored << readsDefault(key);
        };
        row("style as a word", WindowStyleKey, "shiny");
        row("colour as a name", WindowColorKey, "red");
        row("colour unarchivable", WindowColorKey, QByteArray("\x01"));
        row("custom colour as a number", CustomWindowColorKey, 7);
        row("preset as a list", WindowColorPresetKey, QStringList{"Medium", "Gray"});
        row("key code as a word", HotKeyCodeKey, "escape");
        row("modifiers beyond 64 bits", HotKeyModifiersKey, "99999999999999999999");
        row("truth as a word", IncludeClassicAppsKey, "maybe");
        row("truth as a list", MatchMoreThanNamesKey, QStringList{"no", "yes"});
        row("truth empty", ShowFullscreenMessageKey, "");
        row("path list as bytes", ExcludedLocationsKey, QByteArray("/opt"));
        row("origin as a word", MainWindowXKey, "left");
        row("origin not finite", MainWindowYKey, "nan");
    }

    void wrongTypedStoredValueGivesTheDefault()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, stored);
        QFETCH(DefaultCheck, readsDefault);
        QTemporaryDir dir;
        const QString file = dir.filePath("Trovia.conf");
        QSettings(file, QSettings::IniFormat).setValue(name, stored);
        QVERIFY(readsDefault(Settings(file)));
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
        Settings(file).setValue(ExcludedLocationsKey, paths);
        QCOMPARE(Settings(file).value(ExcludedLocationsKey), paths);
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
        settings.setValue(ExcludedLocationsKey, QStringList{first});
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
        settings.setValue(ExcludedLocationsKey, longer);
        settings.sync();
        full.lift();

        QCOMPARE(readFile(file), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"Trovia.conf"});
        QCOMPARE(settings.value(ExcludedLocationsKey), longer);

        if (retry) {
            settings.sync();
        } else {
            // Saved with the change, once control is back in the event loop.
            settings.setValue(IncludeClassicAppsKey, false);
            QCoreApplication::processEvents();
        }
        Settings nextRun(file);
        QCOMPARE(nextRun.value(ExcludedLocationsKey), longer);
        QCOMPARE(nextRun.hasStoredValue(IncludeClassicAppsKey), !retry);
    }

    // A store announces itself with its key's signal alone, once the value can be read back, and
    // every receiver has run when the store returns.
    void storingAKeyAnnouncesIt_data()
    {
        QTest::addColumn<KeyCase>("key");
        QTest::addColumn<QString>("signal");
        QTest::newRow("style") << storing(WindowStyleKey, MatteStyle) << "appearance";
        QTest::newRow("colour") << storing(WindowColorKey, QColor(Qt::red)) << "appearance";
        QTest::newRow("list height") << storing(MaximumListHeightKey, 12) << "appearance";
        QTest::newRow("classic apps") << storing(IncludeClassicAppsKey, false) << "classic";
        QTest::newRow("match scope") << storing(MatchMoreThanNamesKey, false) << "scope";
        QTest::newRow("excluded") << storing(ExcludedLocationsKey, QStringList{"/opt"})
                                  << "excluded";
        QTest::newRow("preset name") << storing(WindowColorPresetKey, QString("Custom")) << "";
        QTest::newRow("hot key") << storing(HotKeyCodeKey, 122) << "";
        QTest::newRow("origin") << storing(MainWindowXKey, 12.5f) << "";
    }

    void storingAKeyAnnouncesIt()
    {
        QFETCH(KeyCase, key);
        QFETCH(QString, signal);
        QTemporaryDir dir;
        Settings settings(dir.filePath("Trovia.conf"));
        QStringList seen;
        {
            QObject observer;
            const auto note = [&](const QString &name) {
                return [&, name] {
                    QVERIFY(key.holdsStored(settings));
                    seen << name;
                };
            };
            connect(&settings, &Settings::windowAppearanceChanged, &observer, note("appearance"));
            connect(&settings, &Settings::classicAppInclusionChanged, &observer, note("classic"));
            connect(&settings, &Settings::matchScopeChanged, &observer, note("scope"));
            connect(&settings, &Settings::excludedLocationsChanged, &observer, note("excluded"));
            key.store(settings);
            QCOMPARE(seen, signal.isEmpty() ? QStringList() : QStringList{signal});
        }
        QVERIFY(key.holdsStored(settings));
        // A receiver that is gone hears nothing.
        key.store(settings);
        QCOMPARE(seen.size(), signal.isEmpty() ? 0 : 1);
    }

private:
    QTemporaryDir configHome;
    std::unique_ptr<Settings> store;
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
