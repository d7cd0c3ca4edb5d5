#include "core/ColorPresets.h"

#include "core/PropertyList.h"
#include "core/ResourcePaths.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"

#include <cmath>

namespace
{

QList<QVariantMap> &presetList()
{
    static QList<QVariantMap> presets;
    return presets;
}

float finiteOrZero(float value)
{
    return std::isfinite(value) ? value : 0.0f;
}

// A colour that QColor refuses would reach the settings as an invalid colour: keep it in range.
float unitInterval(float value)
{
    return qBound(0.0f, finiteOrZero(value), 1.0f);
}

float hueFraction(float value)
{
    value = finiteOrZero(value);
    if (value >= 0.0f && value <= 1.0f)
        return value; // 1.0 is the same hue as 0.0 and stays as given
    return value - std::floor(value);
}

} // namespace

namespace ColorPresets
{

void initialize(Settings &settings)
{
    loadColorPresets(settings);
}

void loadColorPresets(Settings &settings)
{
    loadColorPresets(settings, resourcePath(QStringLiteral("ColorPresets.plist")));
}

void loadColorPresets(Settings &settings, const QString &path)
{
    QList<QVariantMap> &presets = presetList();
    presets.clear();
    const PropertyList::ReadResult file = PropertyList::fromFile(path);
    // Entries that are not dictionaries cannot be presets.
    const QVariantList entries = file.value.toMap().value(QStringLiteral("Color Presets")).toList();
    for (const QVariant &entry : entries) {
        if (entry.metaType().id() == QMetaType::QVariantMap)
            presets.append(entry.toMap());
    }

    const QString chosen = settings.value(WindowColorPresetKey);
    for (const QVariantMap &preset : std::as_const(presets)) {
        if (preset.value(QStringLiteral("Name")).toString().compare(chosen, Qt::CaseInsensitive) !=
            0)
            continue;
        settings.setValue(WindowColorKey, colorFromPreset(preset));
    }
}

const QList<QVariantMap> &colorPresets()
{
    return presetList();
}

} // namespace ColorPresets

QColor colorFromPreset(const QVariantMap &preset)
{
    const float brightness = preset.value(QStringLiteral("Brightness")).toFloat();
    const float saturation = preset.value(QStringLiteral("Saturation")).toFloat();
    const float hue = preset.value(QStringLiteral("Hue")).toFloat();
    return QColor::fromHsvF(hueFraction(hue / 360.0f), unitInterval(saturation / 100.0f),
                            unitInterval(brightness / 100.0f), 1.0f);
}
