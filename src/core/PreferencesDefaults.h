#pragma once

// The class-side settings operations of the Preferences: the run's registered defaults and the
// questions whether Windows (Wine) applications are shown and what the query matches.
class Settings;

namespace PreferencesDefaults
{

void registerInitialDefaults(Settings &settings);
bool includeClassicApps(const Settings &settings);
// Whether the second tier (keywords, kinds, commands, desktop actions) is matched.
bool matchMoreThanNames(const Settings &settings);

} // namespace PreferencesDefaults
