#include "catalogue/CatalogueSnapshot.h"

#include "core/AtomicFile.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimeZone>

namespace CatalogueSnapshot
{

namespace
{

constexpr quint32 magic = 0x54525643; // "TRVC"
// 2: each record's search texts and desktop actions follow its icon name. An older file is
// refused, and the catalogue built afresh.
constexpr quint32 version = 2;
constexpr QDataStream::Version streamVersion = QDataStream::Qt_6_4;
// Far beyond any real catalogue (about 200 bytes a record); a bigger file is not read at all.
constexpr qint64 largestFile = qint64(256) << 20;
constexpr QCryptographicHash::Algorithm digestAlgorithm = QCryptographicHash::Sha1;

QByteArray payloadOf(const CatalogueContents &contents)
{
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setVersion(streamVersion);
    const ApplicationList &apps = contents.index.apps();
    out << contents.reloadDate.toMSecsSinceEpoch() << contents.folders << quint32(apps.size());
    for (const ApplicationRef &app : apps) {
        out << app->file() << app->displayName() << app->isClassicApp() << app->iconName();
        out << quint32(app->searchTexts().size());
        for (const Application::SearchText &text : app->searchTexts())
            out << quint8(text.kind) << text.text;
        out << quint32(app->actions().size());
        for (const ApplicationRef &action : app->actions())
            out << action->actionId() << action->displayName();
    }
    return payload;
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
    ApplicationList apps;
    apps.reserve(qsizetype(count));
    for (quint32 i = 0; i < count; ++i) {
        QByteArray file;
        QString name;
        bool classic = false;
        QString iconName;
        in >> file >> name >> classic >> iconName;
        if (in.status() != QDataStream::Ok || file.isEmpty())
            return std::nullopt;
        auto app = std::make_shared<Application>(QUrl::fromLocalFile(QFile::decodeName(file)), name,
                                                 classic, iconName, file);
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
        app->setSearchTexts(texts);
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
            app->addAction(id, actionName);
        }
        if (in.status() != QDataStream::Ok)
            return std::nullopt;
        apps.append(std::move(app));
    }
    if (!in.atEnd())
        return std::nullopt;
    contents.reloadDate = QDateTime::fromMSecsSinceEpoch(reloadDate, QTimeZone::utc());
    contents.index = MatchingIndex(apps);
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
    const QByteArray payload = payloadOf(contents);
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setVersion(streamVersion);
    out << magic << version << payload << QCryptographicHash::hash(payload, digestAlgorithm);

    QDir().mkpath(QFileInfo(path).absolutePath());
    return writeFileAtomically(path, data, error);
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
    QDataStream in(file.readAll());
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
    QByteArray payload;
    QByteArray digest;
    in >> payload >> digest;
    if (in.status() != QDataStream::Ok || !in.atEnd()) {
        *error = QStringLiteral("truncated snapshot");
        return std::nullopt;
    }
    std::optional<CatalogueContents> contents;
    if (digest == QCryptographicHash::hash(payload, digestAlgorithm))
        contents = contentsOf(payload);
    if (!contents)
        *error = QStringLiteral("corrupt snapshot");
    return contents;
}

} // namespace CatalogueSnapshot
