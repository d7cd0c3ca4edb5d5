#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with contents as a whole: written beside it, then renamed over it.
// The write is unbuffered, so a failed write (a full disk) refuses the rename instead of putting a
// short file in place of the good one. False, with the reason in error, when the old file stays.
bool writeFileAtomically(const QString &path, const QByteArray &contents, QString *error = nullptr);
