#include "core/PreferencesDefaults.h"

#include "core/Settings.h"
#include "core/SettingsKeys.h"

namespace PreferencesDefaults
{

void registerInitialDefaults(Settings &settings)
{
    settings.registerDefaults({
        {IncludeClassicAppsKey, true},
        {MatchMoreThanNamesKey, true},
        {HotKeyCodeKey, 53},
        {HotKeyModifiersKey, 2048},
        {WindowColorPresetKey, QStringLiteral("Medium Gray")},
        {CustomWindowColorKey, Settings::archivedColor(QColor::fromHsvF(0.0f, 0.0f, 0.9f, 1.0f))},
        {WindowStyleKey, static_cast<int>(ShinyStyle)},
        {MaximumListHeightKey, 7},
        {ShowFullscreenMessageKey, true},
    });
}

bool includeClassicApps(const Settings &settings)
{
    return settings.boolean(IncludeClassicAppsKey);
}

bool matchMoreThanNames(const Settings &settings)
{
    return settings.boolean(MatchMoreThanNamesKey);
}

} // namespace PreferencesDefaults
