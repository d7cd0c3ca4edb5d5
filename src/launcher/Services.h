#pragma once

class ApplicationLauncher;
class ExcludedLocations;
class FileRevealer;
class HotKeyManager;
class LoginItems;
class Settings;
class UsageLogger;
class WindowSystem;

// The services of a run: made by main() (a test makes its own over temporary folders) and handed
// to the classes that use them, which own none of them.
struct Services {
    Settings &settings;
    UsageLogger &usageLog;
    HotKeyManager &hotKeys;
    ExcludedLocations &excludedLocations;
    LoginItems &loginItems;
    ApplicationLauncher &launcher;
    FileRevealer &revealer;
    WindowSystem &windowSystem;
};
