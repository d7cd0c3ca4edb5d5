#pragma once

#include <QByteArray>
#include <QIcon>
#include <QString>

// Launches desktop entries and finds their icons.
class ApplicationLauncher
{
public:
    virtual ~ApplicationLauncher() = default;

    // Launches the entry as it is on disk now; false when it is gone, hidden or the launch failed.
    // entryFile: the entry's path as the file system spells it, which need not be UTF-8.
    virtual bool launch(const QByteArray &entryFile) = 0;
    // Launches one of the entry's desktop actions the same way; false also when the entry no
    // longer lists it.
    virtual bool launchAction(const QByteArray &entryFile, const QString &actionId) = 0;

    // The icon for an entry's Icon value (a theme name or an absolute file); a generic executable
    // icon when the value is empty or names nothing that exists.
    virtual QIcon icon(const QString &iconName) = 0;
};
