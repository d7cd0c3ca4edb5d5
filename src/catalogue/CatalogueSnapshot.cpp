#include "catalogue/CatalogueSnapshot.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimeZone>

namespace CatalogueSnapshot
{

namespace
{

constexpr quint32 magic = 0x54525643; // "TRVC"
// 3: the payload runs from the header to the checksum, which ends the file, so that a build
// writes the file as it goes. An older file is refused, and the catalogue built afresh.
constexpr quint32 version = 3;
constexpr QDataStream::Version streamVersion = QDataStream::Qt_6_4;
// Far beyond any real catalogue (about 200 bytes a record); a bigger file is not read at all.
constexpr qint64 largestFile = qint64(256) << 20;
constexpr QCryptographicHash::Algorithm digestAlgorithm = QCryptographicHash::Sha1;
constexpr qsizetype headerSize = 8; // the magic number and the version
constexpr qsizetype digestSize = 20;

// Passes what a stream writes on to target in pieces of 64 KB, adding it to a checksum on the
// way: the snapshot never exists in memory as a whole. A failed write fails every later one.
class DigestingWriter : public QIODevice
{
public:
    explicit DigestingWriter(QIODevice &device) : target(device), digest(digestAlgorithm)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    // Writes what is left, then the checksum of all that was written before it.
    bool finish()
    {
        const bool written = flushPiece();
        return written && target.write(digest.result()) == digestSize;
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 length) override
    {
        digest.addData(QByteArrayView(data, length));
        piece.append(data, length);
        if (piece.size() >= pieceSize && !flushPiece())
            return -1;
        return failed ? -1 : length;
    }

private:
    static constexpr qsizetype pieceSize = 64 * 1024;
    bool flushPiece()
    {
        if (!failed && !piece.isEmpty())
            failed = target.write(piece) != piece.size();
        piece.clear();
        return !failed;
    }

    QIODevice &target;
    QCryptographicHash digest;
    QByteArray piece;
    bool failed = false;
};

bool writePayload(QDataStream &out, const CatalogueContents &contents)
{
    out.setVersion(streamVersion);
    const ApplicationList &apps = contents.index.apps();
    out << contents.reloadDate.toMSecsSinceEpoch() << contents.folders << quint32(apps.size());
    for (const ApplicationRef &app : apps) {
        out << app->file() << app->displayName() << app->isClassicApp() << app->iconName();
        const QList<Application::SearchText> texts = app->searchTexts();
        out << quint32(texts.size());
        for (const Application::SearchText &text : texts)
            out << quint8(text.kind) << text.text;
        out << quint32(app->actions().size());
        for (const ApplicationRef &action : app->actions())
            out << action->actionId() << action->displayName();
        if (out.status() != QDataStream::Ok)
            return false;
    }
    return out.status() == QDataStream::Ok;
}

std::optional<CatalogueContents> contentsOf(const QByteArray &payload)
{
    QDataStream in(payload);
    in.setVersion(streamVersion);
    qint64 reloadDate = 0;
    CatalogueContents contents;
    quint32 count = 0;
    in >> reloadDate >> contents.folders >> count;
    // Each record takes at least 13 bytes; a count the payload cannot hold is corrupt.
    if (in.status() != QDataStream::Ok || count > quint32(payload.size() / 13))
        return std::nullopt;
    std::vector<Application> apps;
    apps.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        QByteArray file;
        QString name;
        bool classic = false;
        QString iconName;
        in >> file >> name >> classic >> iconName;
        if (in.status() != QDataStream::Ok || file.isEmpty())
            return std::nullopt;
        Application &app =
            apps.emplace_back(QFile::decodeName(file), name, classic, iconName, file);
        // Each text takes at least 5 bytes, each action 8.
        quint32 textCount = 0;
        in >> textCount;
        if (in.status() != QDataStream::Ok || textCount > quint32(payload.size() / 5))
            return std::nullopt;
        QList<Application::SearchText> texts;
        for (quint32 t = 0; t < textCount; ++t) {
            quint8 kind = 0;
            QString text;
            in >> kind >> text;
            if (kind >= quint8(Application::TextKind::ActionName))
                return std::nullopt;
            texts.append({Application::TextKind(kind), text});
        }
        app.setSearchTexts(texts);
        quint32 actionCount = 0;
        in >> actionCount;
        if (in.status() != QDataStream::Ok || actionCount > quint32(payload.size() / 8))
            return std::nullopt;
        for (quint32 a = 0; a < actionCount; ++a) {
            QString id;
            QString actionName;
            in >> id >> actionName;
            if (id.isEmpty())
                return std::nullopt;
            app.addAction(id, actionName);
        }
        if (in.status() != QDataStream::Ok)
            return std::nullopt;
    }
    if (!in.atEnd())
        return std::nullopt;
    contents.reloadDate = QDateTime::fromMSecsSinceEpoch(reloadDate, QTimeZone::utc());
    contents.index = MatchingIndex(sharedAsOneBlock(std::move(apps)));
    return contents;
}

} // namespace

QString defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/Trovia/catalogue");
}

bool write(const QString &path, const CatalogueContents &contents, QString *error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    // Writing in place would leave half a file behind on failure.
    file.setDirectWriteFallback(false);
    // Unbuffered: buffered, the last write happens in commit(), which in Qt 6.4 renames even when
    // it failed. The pieces of DigestingWriter keep the writes few.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        QDataStream header(&file);
        header.setVersion(streamVersion);
        header << magic << version;
        DigestingWriter payload(file);
        QDataStream out(&payload);
        if (header.status() == QDataStream::Ok && writePayload(out, contents) && payload.finish() &&
            file.commit())
            return true;
    }
    *error = file.errorString();
    return false;
}

std::optional<CatalogueContents> read(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = QStringLiteral("no snapshot yet");
        return std::nullopt;
    }
    // Opening a FIFO would wait for a writer.
    if (!info.isFile() || info.size() > largestFile) {
        *error = QStringLiteral("not a snapshot file");
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    const QByteArray data = file.readAll();
    QDataStream in(data);
    in.setVersion(streamVersion);
    quint32 fileMagic = 0;
    quint32 fileVersion = 0;
    in >> fileMagic >> fileVersion;
    if (in.status() != QDataStream::Ok || fileMagic != magic) {
        *error = QStringLiteral("not a snapshot file");
        return std::nullopt;
    }
    if (fileVersion != version) {
        *error = QStringLiteral("snapshot version %1, not %2").arg(fileVersion).arg(version);
        return std::nullopt;
    }
    if (data.size() < headerSize + digestSize) {
        *error = QStringLiteral("truncated snapshot");
        return std::nullopt;
    }
    // Read in place, not copied.
    const QByteArray payload = QByteArray::fromRawData(data.constData() + headerSize,
                                                       data.size() - headerSize - digestSize);
    const QByteArrayView digest = QByteArrayView(data).last(digestSize);
    std::optional<CatalogueContents> contents;
    if (digest == QCryptographicHash::hash(payload, digestAlgorithm))
        contents = contentsOf(payload);
    if (!contents)
        *error = QStringLiteral("corrupt snapshot");
    return contents;
}

} // namespace CatalogueSnapshot
