#include "core/ResourcePaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString resourceDirectory()
{
    const QDir executableDir(QCoreApplication::applicationDirPath());
    for (const QString &candidate : {executableDir.filePath(QStringLiteral("resources")),
                                     QDir::cleanPath(executableDir.filePath(
                                         QStringLiteral(TROVIA_RESOURCE_DIR_FROM_BINARY)))}) {
        if (QFileInfo(candidate).isDir())
            return candidate;
    }
    return QStringLiteral(TROVIA_INSTALLED_RESOURCE_DIR);
}

QString resourcePath(const QString &name)
{
    return QDir(resourceDirectory()).filePath(name);
}
