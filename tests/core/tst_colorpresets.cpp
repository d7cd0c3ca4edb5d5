#include "core/ColorPresets.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

namespace
{

QVariantMap preset(const QString &name, const QVariant &hue, const QVariant &saturation,
                   const QVariant &brightness)
{
    QVariantMap map{{"Name", name}};
    for (const auto &[key, value] : {std::pair{"Hue", hue}, std::pair{"Saturation", saturation},
                                     std::pair{"Brightness", brightness}}) {
        if (value.isValid())
            map.insert(key, value);
    }
    return map;
}

} // namespace

class TestColorPresets : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    int appearancePosts = 0;

    std::unique_ptr<Settings> settings;

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(home.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                   ? file.fileName()
                   : QString();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        settings = std::make_unique<Settings>(home.filePath("Trovia/Trovia.conf"));
        connect(settings.get(), &Settings::windowAppearanceChanged, this,
                [this] { ++appearancePosts; });
    }

    // The shipped file, found through the resource folder, at a first start.
    void firstStartStoresMediumGray()
    {
        QVERIFY(!settings->hasStoredValue(WindowColorKey));
        ColorPresets::initialize(*settings);

        QStringList names;
        for (const QVariantMap &entry : ColorPresets::colorPresets())
            names << entry.value("Name").toString();
        QCOMPARE(appearancePosts, 1);
        QCOMPARE(settings->value(WindowColorKey),
                 colorFromPreset(ColorPresets::colorPresets().at(names.indexOf("Medium Gray"))));
    }

    // Hue / 360, saturation and brightness / 100 by the HSV rule, opaque; a missing number reads
    // as 0, numbers out of range are brought into it.
    void colorFromPresetFollowsTheHsvRule_data()
    {
        QTest::addColumn<QVariantMap>("entry");
        QTest::addColumn<float>("hue");
        QTest::addColumn<float>("saturation");
        QTest::addColumn<float>("brightness");
        QTest::newRow("integers") << preset("Blue", 210, 50, 80) << 0.58333f << 0.5f << 0.8f;
        QTest::newRow("a full turn is no turn")
            << preset("Red", 360, 80, 90) << 0.f << 0.8f << 0.9f;
        QTest::newRow("missing numbers") << preset("x", {}, {}, {}) << 0.f << 0.f << 0.f;
        QTest::newRow("saturation above 100") << preset("x", 0, 150, 50) << 0.f << 1.f << 0.5f;
        QTest::newRow("past a full turn") << preset("x", 450, 50, 50) << 0.25f << 0.5f << 0.5f;
        QTest::newRow("not a number") << preset("x", qQNaN(), 50, 50) << 0.f << 0.5f << 0.5f;
    }

    void colorFromPresetFollowsTheHsvRule()
    {
        QFETCH(QVariantMap, entry);
        QFETCH(float, hue);
        QFETCH(float, saturation);
        QFETCH(float, brightness);
        const QColor color = colorFromPreset(entry).toRgb();
        const QColor expected = QColor::fromHsvF(hue, saturation, brightness).toRgb();
        QVERIFY(color.isValid());
        QCOMPARE(color.alphaF(), 1.0f);
        for (const auto &[seen, wanted] : {std::pair{color.redF(), expected.redF()},
                                           std::pair{color.greenF(), expected.greenF()},
                                           std::pair{color.blueF(), expected.blueF()}})
            QVERIFY2(std::abs(seen - wanted) < 1e-4, qPrintable(color.name()));
    }

    // At start-up the stored name, letter case ignored, picks the preset(s) whose colour becomes
    // "Window Color", each announced; an unusable file gives no presets and changes nothing.
    void loadingAppliesTheChosenPreset_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("posts");
        QTest::addColumn<QColor>("stored"); // invalid: the colour stored before stays
        const auto file = [this](const char *name, const QVariant &presets) {
            return writeFile(name, PropertyList::toXml(QVariantMap{{"Color Presets", presets}}));
        };
        const QVariantList some{preset("Ocean", 210, 50, 80), preset("Sand", 40, 20, 90)};
        const QString twice = file("twice.plist", QVariantList{preset("Twin", 10, 50, 50),
                                                               preset("Other", 100, 50, 50),
                                                               preset("twin", 200, 60, 70)});
        QTest::newRow("letter case ignored") << file("some.plist", some) << "oCEAN" << 2 << 1
                                             << colorFromPreset(preset("", 210, 50, 80));
        QTest::newRow("every one of the name, in order")
            << twice << "Twin" << 3 << 2 << colorFromPreset(preset("", 200, 60, 70));
        QTest::newRow("custom") << file("some.plist", some) << "Custom" << 2 << 0 << QColor();
        QTest::newRow("not a dictionary per entry")
            << file("mixed.plist", QVariantList{"Ocean", preset("Medium Gray", 0, 0, 50), 42})
            << "Medium Gray" << 1 << 1 << colorFromPreset(preset("", 0, 0, 50));
        QTest::newRow("missing file")
            << home.filePath("absent.plist") << "Ocean" << 0 << 0 << QColor();
        QTest::newRow("without the key")
            << writeFile("nokey.plist", PropertyList::toXml(QVariantMap{{"x", 1}})) << "Ocean" << 0
            << 0 << QColor();
        QTest::newRow("not a property list")
            << writeFile("garbage.plist", "<plist><dict><key>Color Presets") << "Ocean" << 0 << 0
            << QColor();
    }

    void loadingAppliesTheChosenPreset()
    {
        QFETCH(QString, path);
        QFETCH(QString, chosen);
        QFETCH(int, count);
        QFETCH(int, posts);
        QFETCH(QColor, stored);
        const QColor before = QColor::fromRgbF(0.9f, 0.1f, 0.1f);
        settings->setValue(WindowColorPresetKey, chosen);
        settings->setValue(WindowColorKey, before);
        appearancePosts = 0;
        ColorPresets::loadColorPresets(*settings, path);
        QCOMPARE(ColorPresets::colorPresets().size(), count);
        QCOMPARE(appearancePosts, posts);
        QCOMPARE(settings->value(WindowColorKey), stored.isValid() ? stored : before);
    }
};

QTEST_GUILESS_MAIN(TestColorPresets)
#include "tst_colorpresets.moc"
