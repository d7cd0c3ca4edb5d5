#include "core/AtomicFile.h"

#include <QSaveFile>

bool writeFileAtomically(const QString &path, const QByteArray &contents, QString *error)
{
    QSaveFile file(path);
    // Writing in place would leave half a file behind on failure.
    file.setDirectWriteFallback(false);
    // Buffered, the last write happens in commit(), which in Qt 6.4 renames even when it failed.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
        file.write(contents) == contents.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}
