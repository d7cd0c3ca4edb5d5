#include "ResourcePaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString resourceDirectory()
{
    const QString besideExecutable = QCoreApplication::applicationDirPath() + "/resources";
    if (QFileInfo(besideExecutable).isDir())
        return besideExecutable;
    return QStringLiteral(TROVIA_RESOURCE_DIR);
}

QString resourcePath(const QString &name)
{
    return QDir(resourceDirectory()).filePath(name);
}
