#pragma once

// The class-side settings questions of the Preferences: whether Windows (Wine) applications are
// shown and what the query matches.
class Settings;

namespace PreferencesDefaults
{

bool includeClassicApps(const Settings &settings);
// Whether the second tier (keywords, kinds, commands, desktop actions) is matched.
bool matchMoreThanNames(const Settings &settings);

} // namespace PreferencesDefaults
