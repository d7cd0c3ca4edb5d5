#pragma once

#include "catalogue/Matching.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// What one catalogue build produced, swapped in whole: the records with their matching index,
// and what the next refresh compares against.
struct CatalogueContents {
    MatchingIndex index;
    // Taken just before the registry was read: a change while it was read counts as later.
    QDateTime reloadDate;
    QStringList removableMedia;
    // The applications folders and every folder below them, as the build found them.
    QStringList folders;
};

// The catalogue as the last build left it, kept in the user's cache so that the next start can
// match at once: a versioned binary file (QDataStream) with a magic number and a checksum,
// holding each record's file, display name, Windows flag, icon name, search texts and desktop
// actions, and the folders with the build's date. Written atomically; anything else found at the
// path is refused, never trusted.
namespace CatalogueSnapshot
{

// $XDG_CACHE_HOME/Trovia/catalogue.
QString defaultPath();

// Writes atomically; false with the reason in error when it could not (the old file stays).
bool write(const QString &path, const CatalogueContents &contents, QString *error);

// Nothing, with the reason in error, for a missing, unreadable, truncated, corrupt or
// foreign-version file, or anything that is not a regular file.
std::optional<CatalogueContents> read(const QString &path, QString *error);

} // namespace CatalogueSnapshot
