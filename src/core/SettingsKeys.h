#pragma once

#include "core/SurfaceStyle.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

// Which of Settings' signals a store of the key emits.
enum class SettingNotice {
    None,
    WindowAppearance,
    ClassicAppInclusion,
    MatchScope,
    ExcludedLocations
};

// A settings key: its name in the file, the type it is read and stored as, and the value a read
// gives while nothing readable is stored. The default is never written.
template <typename T> struct SettingKey {
    using Type = T;
    QLatin1String name;
    T defaultValue;
    SettingNotice notice = SettingNotice::None;
};

// Every settings key Trovia uses; code refers to these, never to the literals.

inline const SettingKey<int> WindowStyleKey{QLatin1String("Window Style"), ShinyStyle,
                                            SettingNotice::WindowAppearance};
// The colour every reader of the window colour takes; none until start-up stores the chosen
// preset's.
inline const SettingKey<QColor> WindowColorKey{QLatin1String("Window Color"), QColor(),
                                               SettingNotice::WindowAppearance};
// A preset's name, or "Custom".
inline const SettingKey<QString> WindowColorPresetKey{QLatin1String("Window Color Preset"),
                                                      QStringLiteral("Medium Gray")};
inline const SettingKey<QColor> CustomWindowColorKey{QLatin1String("Custom Window Color"),
                                                     QColor::fromHsvF(0.0f, 0.0f, 0.9f, 1.0f)};
// A virtual key code and modifier bits (KeyCodes.h), the Escape key with Alt by default; read
// wide, so that the hot key can tell a code that is no key from an unreadable one.
inline const SettingKey<qint64> HotKeyCodeKey{QLatin1String("Hot Key Code"), 53};
inline const SettingKey<qint64> HotKeyModifiersKey{QLatin1String("Hot Key Modifiers"), 2048};
inline const SettingKey<bool> IncludeClassicAppsKey{QLatin1String("Include Classic Apps"), true,
                                                    SettingNotice::ClassicAppInclusion};
// Whether keywords, generic names, the untranslated name, the command and desktop actions find
// applications too, after the name matches.
inline const SettingKey<bool> MatchMoreThanNamesKey{QLatin1String("Match More Than Names"), true,
                                                    SettingNotice::MatchScope};
inline const SettingKey<bool> ShowFullscreenMessageKey{QLatin1String("Show Fullscreen Message"),
                                                       true};
// The list's clamp to the screen takes any number.
inline const SettingKey<qint64> MaximumListHeightKey{QLatin1String("Maximum List Height"), 7,
                                                     SettingNotice::WindowAppearance};
inline const SettingKey<QStringList> ExcludedLocationsKey{
    QLatin1String("Excluded Locations"), {}, SettingNotice::ExcludedLocations};
// The main window's origin, saved at quit; the pair is used only when both are there.
inline const SettingKey<std::optional<float>> MainWindowXKey{QLatin1String("Main Window X"), {}};
inline const SettingKey<std::optional<float>> MainWindowYKey{QLatin1String("Main Window Y"), {}};
// Hot key problems the user was already told about, one "desktop|problem|combination" each.
inline const SettingKey<QStringList> HotKeyProblemsToldKey{QLatin1String("Hot Key Problems Told"),
                                                           {}};
// The desktops on which the user runs "trovia --toggle" from a binding of their own.
inline const SettingKey<QStringList> HotKeyBoundByUserKey{QLatin1String("Hot Key Bound By User"),
                                                          {}};
