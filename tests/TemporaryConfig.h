#pragma once

#include "core/PreferencesDefaults.h"

#include <QTemporaryDir>

// Points Trovia's settings at a fresh folder and registers its defaults; false when the folder
// could not be made.
inline bool useTemporaryConfig(const QTemporaryDir &configHome)
{
    if (!configHome.isValid())
        return false;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    PreferencesDefaults::registerInitialDefaults();
    return true;
}
