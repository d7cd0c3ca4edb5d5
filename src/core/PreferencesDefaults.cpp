#include "core/PreferencesDefaults.h"

#include "core/Settings.h"
#include "core/SettingsKeys.h"

namespace PreferencesDefaults
{

bool includeClassicApps(const Settings &settings)
{
    return settings.value(IncludeClassicAppsKey);
}

bool matchMoreThanNames(const Settings &settings)
{
    return settings.value(MatchMoreThanNamesKey);
}

} // namespace PreferencesDefaults
