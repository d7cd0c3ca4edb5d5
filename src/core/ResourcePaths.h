#pragma once

#include <QString>
#include <QStringList>

// Trovia's read-only resources (interface descriptions, colour presets, strings): the folder
// "resources" beside the executable when it exists (the build tree links one there), else the
// installed folder found from the executable (<prefix>/bin/trovia reads <prefix>/share/trovia, so
// an installed tree works wherever it is unpacked), else the folder of the configured prefix.
QString resourceDirectory();

// Where an installed file of Trovia's may be, first found first: name beside the executable (the
// build tree), then fromExecutable, relative to the executable's folder (an installed tree,
// wherever it is unpacked).
QStringList besideOrRelativeToExecutable(const QString &name, const QString &fromExecutable);

// The full path of the resource file name; the file need not exist.
QString resourcePath(const QString &name);
