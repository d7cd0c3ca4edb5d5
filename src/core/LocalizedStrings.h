#pragma once

#include <QString>

// Trovia's user-visible texts, looked up by key in its one string table
// (resources/Localizable.plist, compiled into the program). A key the table lacks yields the key
// itself, so a missing text shows up plainly instead of as an empty label. Texts come in the
// language of the installed translation, in English where it has none.
namespace LocalizedStrings
{

QString text(const QString &key);

// True when the table holds a text for key (menu items whose text is a URL exist only then).
bool contains(const QString &key);

// Replaces the table for the rest of the run; an unreadable table leaves every key to itself.
// For tests and for a translated table at start.
bool loadTable(const QString &path);

} // namespace LocalizedStrings
