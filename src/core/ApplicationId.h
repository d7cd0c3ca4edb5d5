#pragma once

#include <QString>

// Who Trovia is to the desktop: its desktop entry is named after this id, the same as its
// metainfo's. A reverse-DNS id, as GNOME's shortcuts portal takes no other.
inline QString troviaApplicationId()
{
    return QStringLiteral("org.trovia.Trovia");
}

inline QString troviaDesktopEntryId()
{
    return troviaApplicationId() + QStringLiteral(".desktop");
}
