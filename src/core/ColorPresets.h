#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QVariantMap>

class Settings;

// The named window colours offered by the Preferences, read from the resource ColorPresets.plist:
// a dictionary whose "Color Presets" array holds dictionaries with "Name", "Hue" (degrees),
// "Saturation" and "Brightness" (percent).
namespace ColorPresets
{

// The first step of start-up: loads the presets (the settings' keys carry their own defaults).
void initialize(Settings &settings);

// Reads the presets from path (default: the resource) and keeps them for the run, then stores the
// colour of the chosen preset ("Window Color Preset", letter case ignored) under "Window Color" and
// emits windowAppearanceChanged for each preset that carries that name. A missing or unreadable
// file leaves the list empty and the stored colour as it was.
void loadColorPresets(Settings &settings);
void loadColorPresets(Settings &settings, const QString &path);

// The presets as loaded, in file order; an entry's index identifies it for the whole run.
const QList<QVariantMap> &colorPresets();

} // namespace ColorPresets

// The opaque colour of a preset: hue / 360, saturation / 100, brightness / 100 by the HSV rule. A
// missing number reads as 0; values out of range are brought into range.
QColor colorFromPreset(const QVariantMap &preset);
