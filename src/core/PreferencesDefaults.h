#pragma once

// The class-side settings operations of the Preferences: the run's registered defaults and the
// question whether Windows (Wine) applications are shown.
namespace PreferencesDefaults
{

void registerInitialDefaults();
bool includeClassicApps();

} // namespace PreferencesDefaults
