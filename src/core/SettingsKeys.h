#pragma once

#include "core/SurfaceStyle.h"

#include <QString>

// Every settings key Trovia uses; code refers to these, never to the literals.

inline const QString WindowStyleKey = QStringLiteral("Window Style");
inline const QString WindowColorKey = QStringLiteral("Window Color");
inline const QString WindowColorPresetKey = QStringLiteral("Window Color Preset");
inline const QString CustomWindowColorKey = QStringLiteral("Custom Window Color");
inline const QString HotKeyCodeKey = QStringLiteral("Hot Key Code");
inline const QString HotKeyModifiersKey = QStringLiteral("Hot Key Modifiers");
inline const QString IncludeClassicAppsKey = QStringLiteral("Include Classic Apps");
// Whether keywords, generic names, the untranslated name, the command and desktop actions find
// applications too, after the name matches.
inline const QString MatchMoreThanNamesKey = QStringLiteral("Match More Than Names");
inline const QString ShowFullscreenMessageKey = QStringLiteral("Show Fullscreen Message");
inline const QString MaximumListHeightKey = QStringLiteral("Maximum List Height");
inline const QString ExcludedLocationsKey = QStringLiteral("Excluded Locations");
inline const QString MainWindowXKey = QStringLiteral("Main Window X");
inline const QString MainWindowYKey = QStringLiteral("Main Window Y");
// Hot key problems the user was already told about, one "desktop|problem|combination" each.
inline const QString HotKeyProblemsToldKey = QStringLiteral("Hot Key Problems Told");
// The desktops on which the user runs "trovia --toggle" from a binding of their own.
inline const QString HotKeyBoundByUserKey = QStringLiteral("Hot Key Bound By User");
