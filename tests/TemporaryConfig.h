#pragma once

#include "core/PreferencesDefaults.h"
#include "core/Settings.h"

#include <QTemporaryDir>
#include <memory>

// Settings of a first run: a store in the fresh folder configHome, Trovia's defaults registered.
inline std::unique_ptr<Settings> temporarySettings(const QTemporaryDir &configHome)
{
    auto settings =
        std::make_unique<Settings>(configHome.filePath(QStringLiteral("Trovia/Trovia.conf")));
    PreferencesDefaults::registerInitialDefaults(*settings);
    return settings;
}
