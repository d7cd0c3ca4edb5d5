#include "platform/FolderWalk.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace FolderWalk
{

namespace
{

Identity identityOf(const struct stat &status)
{
    return {quint64(status.st_dev), quint64(status.st_ino)};
}

// above: the folders from the root down to folder, which a link back to one of them would repeat.
void walkFolder(const QByteArray &folder, const QByteArray &relative, const QByteArray &suffix,
                QList<Identity> &above, Walk &walk)
{
    DIR *dir = opendir(folder.constData());
    if (!dir)
        return;
    // Without stat, a plain file that is not wanted needs no further look: a walk for folders
    // alone passes over a folder of 100,000 entries without sorting them.
    QList<QByteArray> names;
    while (const dirent *item = readdir(dir)) {
        const char *name = item->d_name;
        const bool wanted = !suffix.isEmpty() && QByteArrayView(name).endsWith(suffix);
        const bool mayBeFolder =
            item->d_type == DT_DIR || item->d_type == DT_LNK || item->d_type == DT_UNKNOWN;
        if ((wanted || mayBeFolder) && qstrcmp(name, ".") != 0 && qstrcmp(name, "..") != 0)
            names.append(QByteArray(name));
    }
    closedir(dir);
    std::sort(names.begin(), names.end());

    for (const QByteArray &name : std::as_const(names)) {
        const bool wanted = !suffix.isEmpty() && name.endsWith(suffix);
        const QByteArray path = folder + '/' + name;
        struct stat status;
        if (stat(path.constData(), &status) != 0)
            continue;
        const QByteArray below = relative.isEmpty() ? name : relative + '/' + name;
        // A folder named like an entry is not entered, as GIO does.
        if (wanted) {
            if (S_ISREG(status.st_mode))
                walk.files.append({path, below, identityOf(status)});
        } else if (S_ISDIR(status.st_mode)) {
            const Identity identity = identityOf(status);
            if (walk.loop.isEmpty() && above.contains(identity))
                walk.loop = path;
            if (walk.entered.contains(identity))
                continue;
            walk.entered.insert(identity);
            walk.folders.append(path);
            above.append(identity);
            walkFolder(path, below, suffix, above, walk);
            above.removeLast();
        }
    }
}

} // namespace

void walk(const QByteArray &root, const QByteArray &suffix, Walk &walk)
{
    struct stat status;
    if (stat(root.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        walk.entered.contains(identityOf(status)))
        return;
    walk.entered.insert(identityOf(status));
    walk.folders.append(root);
    QList<Identity> above{identityOf(status)};
    walkFolder(root, QByteArray(), suffix, above, walk);
}

} // namespace FolderWalk
