#pragma once

#include <QString>

// The programs the desktop starts when the user logs in, each known by the absolute path of its
// executable. Operations that write answer whether the desktop now holds the result.
class LoginItems
{
public:
    virtual ~LoginItems() = default;

    // True when a login item starts path exactly.
    virtual bool loginItemExists(const QString &path) const = 0;
    // Adds a login item that starts path hidden, unless one starts it already.
    virtual bool addLoginItem(const QString &path) = 0;
    // Removes the login items that start path, letter case ignored.
    virtual bool removeLoginItem(const QString &path) = 0;
};
