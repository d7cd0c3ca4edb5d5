#pragma once

#include "platform/LoginItems.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

// One login item: a desktop entry of the XDG autostart folder, seen as a "Path" and a "Hide".
struct LoginItem {
    // "Path": the absolute path of the program the entry's Exec starts; empty when the entry
    // starts nothing (no Exec, unreadable, or turned off with Hidden or X-GNOME-Autostart-enabled).
    QString path;
    // "Hide": the program is started with --hidden.
    bool hide = false;
    // The entry's file in the autostart folder; empty for an entry not yet saved.
    QString fileName;
    // The entry's bytes as read, or as they will be written for a new entry.
    QByteArray contents;
    // Every (group, key) with its value as stored: two entries are equal when these are.
    QMap<QPair<QString, QString>, QString> keys;
};

// The user's login items: the desktop entries of $XDG_CONFIG_HOME/autostart, in file-name order.
// Every operation reads the folder afresh. Entries already in the folder are never rewritten, so
// other programs' entries keep their files and bytes; a new entry is a file of its own, written
// atomically. Operations that write answer whether the folder now holds the result.
class ASLoginItems : public LoginItems
{
public:
    // An empty folder means $XDG_CONFIG_HOME/autostart, looked up at each operation.
    explicit ASLoginItems(QString autostartFolder = {});

    QString autostartFolder() const;

    // True when an entry's "Path" equals path exactly.
    bool loginItemExists(const QString &path) const override;
    // Appends {"Path": path, "Hide": true} unless loginItemExists(path); then nothing is written.
    bool addLoginItem(const QString &path) override;
    // Removes every entry equal to the first whose "Path" equals path, letter case ignored.
    bool removeLoginItem(const QString &path) override;

    QList<LoginItem> loginItemsArray() const;
    // Makes the folder hold exactly these entries: writes the new ones, deletes the entries no
    // longer listed. Nothing is deleted when a new entry cannot be written.
    bool saveLoginItemsArray(const QList<LoginItem> &items);

    // A new entry that starts path, with --hidden when hide.
    static LoginItem newLoginItem(const QString &path, bool hide);
    // The entry as the autostart folder would hold it under fileName.
    static LoginItem loginItemFromContents(const QString &fileName, const QByteArray &contents);

private:
    QString folder;
};
