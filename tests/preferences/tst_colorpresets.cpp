#include "ColorPresets.h"
#include "NotificationCenter.h"
#include "PropertyList.h"
#include "ResourcePaths.h"
#include "Settings.h"
#include "SettingsKeys.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

namespace
{

QVariantMap preset(const QString &name, const QVariant &hue, const QVariant &saturation,
                   const QVariant &brightness)
{
    QVariantMap map{{"Name", name}};
    if (hue.isValid())
        map.insert("Hue", hue);
    if (saturation.isValid())
        map.insert("Saturation", saturation);
    if (brightness.isValid())
        map.insert("Brightness", brightness);
    return map;
}

} // namespace

class TestColorPresets : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir home;
    int appearancePosts = 0;

    QString writePresetFile(const QString &name, const QVariant &root)
    {
        const QString path = home.filePath(name);
        QSaveFile file(path);
        file.setDirectWriteFallback(false);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(PropertyList::toXml(root));
        return file.commit() ? path : QString();
    }

    QString writePresets(const QString &name, const QVariantList &presets)
    {
        return writePresetFile(name, QVariantMap{{"Color Presets", presets}});
    }

    void choose(const QString &presetName, const QColor &storedColor)
    {
        Settings::standard().setObject(WindowColorPresetKey, presetName);
        Settings::standard().setColor(WindowColorKey, storedColor);
        appearancePosts = 0;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        NotificationCenter::defaultCenter().addObserver(WindowAppearanceChangedNotification, this,
                                                        [this] { ++appearancePosts; });
    }

    // The shipped file, found through the resource folder, at a first start.
    void firstStartStoresMediumGray()
    {
        QVERIFY(!Settings::standard().hasStoredValue(WindowColorKey));
        ColorPresets::initialize();

        const QList<QVariantMap> &presets = ColorPresets::colorPresets();
        QVERIFY(presets.size() >= 10);
        QStringList names;
        for (const QVariantMap &entry : presets) {
            const QString name = entry.value("Name").toString();
            QVERIFY2(!names.contains(name, Qt::CaseInsensitive), qPrintable(name));
            QVERIFY(name.compare("Custom", Qt::CaseInsensitive) != 0);
            names << name;
            for (const char *key : {"Hue", "Saturation", "Brightness"})
                QVERIFY2(entry.contains(key), qPrintable(name + " lacks " + key));
            QVERIFY(entry.value("Hue").toFloat() >= 0 && entry.value("Hue").toFloat() <= 360);
        }
        QVERIFY(names.contains("Medium Gray"));
        QCOMPARE(appearancePosts, 1);

        const QVariantMap mediumGray = presets.at(names.indexOf("Medium Gray"));
        const QColor stored = Settings::standard().color(WindowColorKey);
        QVERIFY(stored.isValid());
        QCOMPARE(stored, colorFromPreset(mediumGray));
        QVERIFY(QFile::exists(resourcePath("ColorPresets.plist")));
    }

    void colorFromPresetFollowsTheHsvRule_data()
    {
        QTest::addColumn<QVariantMap>("entry");
        QTest::addColumn<float>("hue");
        QTest::addColumn<float>("saturation");
        QTest::addColumn<float>("brightness");
        QTest::newRow("integers") << preset("Blue", 210, 50, 80) << 0.58333f << 0.5f << 0.8f;
        QTest::newRow("reals") << preset("Blue", 210.0, 50.0, 80.0) << 0.58333f << 0.5f << 0.8f;
        QTest::newRow("missing numbers read as 0")
            << preset("Black", QVariant(), QVariant(), QVariant()) << 0.0f << 0.0f << 0.0f;
        QTest::newRow("saturation above 100") << preset("x", 0, 150, 50) << 0.0f << 1.0f << 0.5f;
        QTest::newRow("negative brightness") << preset("x", 0, 50, -20) << 0.0f << 0.5f << 0.0f;
        QTest::newRow("hue past a full turn") << preset("x", 450, 50, 50) << 0.25f << 0.5f << 0.5f;
        QTest::newRow("negative hue") << preset("x", -90, 50, 50) << 0.75f << 0.5f << 0.5f;
        QTest::newRow("not a number") << preset("x", qQNaN(), 50, 50) << 0.0f << 0.5f << 0.5f;
        QTest::newRow("text") << preset("x", QString("oops"), 50, 50) << 0.0f << 0.5f << 0.5f;
    }

    void colorFromPresetFollowsTheHsvRule()
    {
        QFETCH(QVariantMap, entry);
        QFETCH(float, hue);
        QFETCH(float, saturation);
        QFETCH(float, brightness);
        const QColor color = colorFromPreset(entry);
        QVERIFY(color.isValid());
        QCOMPARE(color.alphaF(), 1.0f);
        const QColor expected = QColor::fromHsvF(hue, saturation, brightness, 1.0f);
        QVERIFY2(std::abs(color.hsvHueF() - expected.hsvHueF()) < 1e-4 || saturation == 0,
                 qPrintable(QString::number(color.hsvHueF())));
        QVERIFY(std::abs(color.hsvSaturationF() - saturation) < 1e-4);
        QVERIFY(std::abs(color.valueF() - brightness) < 1e-4);
    }

    void fullTurnIsTheSameColourAsNoTurn()
    {
        const QColor full = colorFromPreset(preset("Red", 360, 80, 90));
        const QColor none = colorFromPreset(preset("Red", 0, 80, 90));
        QVERIFY(full.isValid());
        QCOMPARE(full.toRgb(), none.toRgb());
        QVERIFY(full.toRgb().redF() > full.toRgb().greenF());
    }

    void storedNameMatchesWithoutRegardToCase()
    {
        const QString path =
            writePresets("case.plist", {preset("Ocean", 210, 50, 80), preset("Sand", 40, 20, 90)});
        choose("oCEAN", Qt::black);
        ColorPresets::loadColorPresets(path);
        QCOMPARE(ColorPresets::colorPresets().size(), 2);
        QCOMPARE(Settings::standard().color(WindowColorKey),
                 colorFromPreset(preset("", 210, 50, 80)));
        QCOMPARE(appearancePosts, 1);
    }

    void everyPresetOfTheNameIsAppliedInOrder()
    {
        const QString path =
            writePresets("twice.plist", {preset("Twin", 10, 50, 50), preset("Other", 100, 50, 50),
                                         preset("twin", 200, 60, 70)});
        choose("Twin", Qt::black);
        ColorPresets::loadColorPresets(path);
        QCOMPARE(appearancePosts, 2);
        QCOMPARE(Settings::standard().color(WindowColorKey),
                 colorFromPreset(preset("", 200, 60, 70)));
    }

    void unmatchedNameKeepsTheStoredColour_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("custom") << "Custom";
        QTest::newRow("preset no longer in the file") << "Gone";
    }

    void unmatchedNameKeepsTheStoredColour()
    {
        QFETCH(QString, chosen);
        const QString path = writePresets("some.plist", {preset("Ocean", 210, 50, 80)});
        const QColor custom = QColor::fromRgbF(0.2f, 0.4f, 0.6f);
        choose(chosen, custom);
        ColorPresets::loadColorPresets(path);
        QCOMPARE(ColorPresets::colorPresets().size(), 1);
        QCOMPARE(Settings::standard().color(WindowColorKey), custom);
        QCOMPARE(appearancePosts, 0);
    }

    void unusableFilesGiveNoPresets_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("count");
        QTest::newRow("missing file") << home.filePath("absent.plist") << 0;
        QTest::newRow("without the key")
            << writePresetFile("nokey.plist", QVariantMap{{"x", 1}}) << 0;
        QTest::newRow("root is an array")
            << writePresetFile("array.plist", QVariantList{1, 2}) << 0;
        QTest::newRow("not a dictionary per entry")
            << writePresetFile(
                   "mixed.plist",
                   QVariantMap{{"Color Presets",
                                QVariantList{"Ocean", preset("Medium Gray", 0, 0, 50), 42}}})
            << 1;
        QFile garbage(home.filePath("garbage.plist"));
        if (garbage.open(QIODevice::WriteOnly))
            garbage.write("<plist><dict><key>Color Presets");
        garbage.close();
        QTest::newRow("not a property list") << garbage.fileName() << 0;
    }

    void unusableFilesGiveNoPresets()
    {
        QFETCH(QString, path);
        QFETCH(int, count);
        const QColor before = QColor::fromRgbF(0.9f, 0.1f, 0.1f);
        choose("Medium Gray", before);
        ColorPresets::loadColorPresets(path);
        QCOMPARE(ColorPresets::colorPresets().size(), count);
        QCOMPARE(appearancePosts, count);
        QCOMPARE(Settings::standard().color(WindowColorKey) == before, count == 0);
    }
};

QTEST_GUILESS_MAIN(TestColorPresets)
#include "tst_colorpresets.moc"
