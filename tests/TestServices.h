#pragma once

#include "FakeShortcutBackend.h"
#include "catalogue/UsageLogger.h"
#include "core/ExcludedLocations.h"
#include "core/Settings.h"
#include "hotkey/HotKeyManager.h"
#include "launcher/Services.h"
#include "platform/ApplicationLauncher.h"
#include "platform/FileRevealer.h"
#include "platform/xdg/LoginItems.h"

#include <QFile>
#include <QStringList>
#include <QUrl>
#include <memory>

// Records launches instead of starting programs; the entries in refused fail to launch.
class RecordingLauncher : public ApplicationLauncher
{
public:
    QStringList launched;
    QStringList refused;
    bool launch(const QByteArray &entryFile) override
    {
        const QString entryPath = QFile::decodeName(entryFile);
        if (refused.contains(entryPath))
            return false;
        launched << entryPath;
        return true;
    }
    bool launchAction(const QByteArray &entryFile, const QString &actionId) override
    {
        const QString key = QFile::decodeName(entryFile) + QLatin1Char('#') + actionId;
        if (refused.contains(key))
            return false;
        launched << key;
        return true;
    }
    QIcon icon(const QString &) override { return {}; }
};

class RecordingRevealer : public FileRevealer
{
public:
    QList<QUrl> revealed;
    void reveal(const QUrl &url) override { revealed << url; }
};

// A run's services over the folder home, as main() makes them for the user: the settings in
// config/Trovia/Trovia.conf, the usage log in data/Trovia, login items in config/autostart, the
// hot key on a fake desktop, and launches and reveals recorded.
class TestServices
{
public:
    explicit TestServices(const QString &home)
        : settings(home + QStringLiteral("/config/Trovia/Trovia.conf")),
          usageLog(home + QStringLiteral("/data/Trovia/Usage log.plist")), hotKeys(settings),
          excludedLocations(settings), loginItems(home + QStringLiteral("/config/autostart"))
    {
        auto backend = std::make_unique<FakeShortcutBackend>();
        shortcuts = backend.get();
        hotKeys.setBackend(std::move(backend));
    }

    Services services()
    {
        return {settings, usageLog, hotKeys, excludedLocations, loginItems, launcher, revealer};
    }

    Settings settings;
    UsageLogger usageLog;
    HotKeyManager hotKeys;
    ExcludedLocations excludedLocations;
    ASLoginItems loginItems;
    RecordingLauncher launcher;
    RecordingRevealer revealer;
    FakeShortcutBackend *shortcuts = nullptr;
};
