#pragma once

#include <QString>

// Trovia's read-only resources (interface descriptions, colour presets, strings): the folder
// "resources" beside the executable when it exists (the build tree links one there), else the
// installed folder found from the executable (<prefix>/bin/trovia reads <prefix>/share/trovia, so
// an installed tree works wherever it is unpacked), else the folder of the configured prefix.
QString resourceDirectory();

// The full path of the resource file name; the file need not exist.
QString resourcePath(const QString &name);
