#pragma once

#include "core/Settings.h"

#include <QTemporaryDir>
#include <memory>

// Settings of a first run: a store in the fresh folder configHome.
inline std::unique_ptr<Settings> temporarySettings(const QTemporaryDir &configHome)
{
    return std::make_unique<Settings>(configHome.filePath(QStringLiteral("Trovia/Trovia.conf")));
}
