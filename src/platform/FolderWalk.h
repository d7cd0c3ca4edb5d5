#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <utility>

// Walking applications folders the way a hostile file system cannot exploit: symbolic links are
// followed, but every folder is entered once, by its device and inode, so that links back up the
// tree (`ln -s . a`) end the walk instead of repeating it; only regular files are reported, so a
// FIFO is never opened. Names are kept as the file system spells them, UTF-8 or not.
namespace FolderWalk
{

// A file's identity: its device and inode. Two paths to one file share it.
using Identity = std::pair<quint64, quint64>;

struct File {
    QByteArray path;         // the folder's path, then the names below it
    QByteArray relativePath; // below the folder, '/'-separated
    Identity identity;
};

// The folders and files below one or more roots; one walk over several roots enters a folder
// reached from two of them once.
struct Walk {
    QList<QByteArray> folders; // every folder entered, the roots first
    QList<File> files;         // regular files whose name ends in the suffix, in name order
    QSet<Identity> entered;
    // The first path found that leads back to a folder above it (`ln -s . a`); empty when none.
    // GIO's own walk follows such a loop until the kernel refuses the path.
    QByteArray loop;
};

// Walks root and every folder below it into walk. Files are collected only when suffix is not
// empty. A root that is not a folder adds nothing.
void walk(const QByteArray &root, const QByteArray &suffix, Walk &walk);

} // namespace FolderWalk
