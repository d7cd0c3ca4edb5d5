#pragma once

#include "FakeShortcutBackend.h"
#include "FakeWindowSystem.h"
#include "catalogue/UsageLogger.h"
#include "core/ExcludedLocations.h"
#include "core/Settings.h"
#include "hotkey/HotKeyManager.h"
#include "launcher/Services.h"
#include "platform/ApplicationLauncher.h"
#include "platform/FileRevealer.h"
#include "platform/KeyboardLayout.h"
#include "platform/LoginItems.h"
#include "platform/Notifications.h"

#include <QFile>
#include <QStringList>
#include <QTimer>
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

// The login items as a list of paths; while refusing, nothing is written.
class FakeLoginItems : public LoginItems
{
public:
    QStringList paths;
    bool refusing = false;
    bool loginItemExists(const QString &path) const override { return paths.contains(path); }
    bool addLoginItem(const QString &path) override
    {
        if (refusing)
            return false;
        if (!paths.contains(path))
            paths << path;
        return true;
    }
    bool removeLoginItem(const QString &path) override
    {
        if (refusing)
            return false;
        paths.removeIf(
            [&path](const QString &item) { return item.compare(path, Qt::CaseInsensitive) == 0; });
        return true;
    }
};

// A US layout: what the keys up to Escape type, by virtual key code.
class FakeKeyboardLayout : public KeyboardLayout
{
public:
    QString charactersForKeyCode(quint16 virtualKeyCode) const override
    {
        static const QString keys =
            QStringLiteral("asdfhgzxcv\u00A7bqweryt123465=97-80]ou[ip\rlj'k;\\,/nm.\t `");
        if (virtualKeyCode == 53)
            return QStringLiteral("\x1b");
        return virtualKeyCode < keys.size() ? QString(keys.at(virtualKeyCode)) : QString();
    }
};

// A desktop where no notification server answers.
class FakeNotifications : public Notifications
{
public:
    void show(const QString &, const QString &, QObject *context,
              std::function<void(bool shown)> done) override
    {
        // Answered from the event loop, as D-Bus would.
        QTimer::singleShot(0, context, [done] { done(false); });
    }
};

// A run's services over the folder home, as main() makes them for the user: the settings in
// config/Trovia/Trovia.conf, the usage log in data/Trovia, and the desktop faked: the hot key,
// login items, keyboard, notifications and windows, launches and reveals recorded.
class TestServices
{
public:
    explicit TestServices(const QString &home)
        : settings(home + QStringLiteral("/config/Trovia/Trovia.conf")),
          usageLog(home + QStringLiteral("/data/Trovia/Usage log.plist")),
          hotKeys(settings, nullptr, keyboardLayout, notifications), excludedLocations(settings)
    {
        auto backend = std::make_unique<FakeShortcutBackend>();
        shortcuts = backend.get();
        hotKeys.setBackend(std::move(backend));
    }

    Services services()
    {
        return {settings,   usageLog, hotKeys,  excludedLocations,
                loginItems, launcher, revealer, windowSystem};
    }

    FakeKeyboardLayout keyboardLayout;
    FakeNotifications notifications;
    Settings settings;
    UsageLogger usageLog;
    HotKeyManager hotKeys;
    ExcludedLocations excludedLocations;
    FakeLoginItems loginItems;
    RecordingLauncher launcher;
    RecordingRevealer revealer;
    FakeWindowSystem windowSystem;
    FakeShortcutBackend *shortcuts = nullptr;
};
