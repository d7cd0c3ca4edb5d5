#include "core/ResourcePaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QStringList besideOrRelativeToExecutable(const QString &name, const QString &fromExecutable)
{
    const QDir executableDir(QCoreApplication::applicationDirPath());
    return {executableDir.filePath(name), QDir::cleanPath(executableDir.filePath(fromExecutable))};
}

QString resourceDirectory()
{
    for (const QString &candidate : besideOrRelativeToExecutable(
             QStringLiteral("resources"), QStringLiteral(TROVIA_RESOURCE_DIR_FROM_BINARY))) {
        if (QFileInfo(candidate).isDir())
            return candidate;
    }
    return QStringLiteral(TROVIA_INSTALLED_RESOURCE_DIR);
}

QString resourcePath(const QString &name)
{
    return QDir(resourceDirectory()).filePath(name);
}
