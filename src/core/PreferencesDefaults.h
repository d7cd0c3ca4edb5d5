#pragma once

// The class-side settings operations of the Preferences: the run's registered defaults and the
// question whether Windows (Wine) applications are shown.
class Settings;

namespace PreferencesDefaults
{

void registerInitialDefaults(Settings &settings);
bool includeClassicApps(const Settings &settings);

} // namespace PreferencesDefaults
