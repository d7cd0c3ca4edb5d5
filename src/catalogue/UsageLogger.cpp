#include "catalogue/UsageLogger.h"

#include "core/AtomicFile.h"
#include "core/Logging.h"
#include "core/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cmath>
#include <limits>
#include <optional>

namespace
{

const QString usesKey = QStringLiteral("Applications Uses");
constexpr int maximumCount = std::numeric_limits<int>::max();

// A count as stored: an integer, or a real from another writer; nothing for anything else.
std::optional<int> countFrom(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::LongLong: {
        const qint64 count = value.toLongLong();
        if (count < 0)
            return std::nullopt;
        return count > maximumCount ? maximumCount : int(count);
    }
    case QMetaType::Double: {
        const double count = value.toDouble();
        if (!std::isfinite(count) || count < 0)
            return std::nullopt;
        return count >= double(maximumCount) ? maximumCount : int(count);
    }
    default:
        return std::nullopt;
    }
}

// Renames the file to the first free "<file>.corrupt", "<file>.corrupt.2", ...: an earlier
// casualty is never replaced. False when the file could not be moved.
bool moveAside(const QString &path)
{
    for (int n = 1; n <= 1000; ++n) {
        const QString aside =
            path + QStringLiteral(".corrupt") + (n == 1 ? QString() : QStringLiteral(".%1").arg(n));
        // QFile::rename never replaces an existing file; a failure for another reason ends the
        // search.
        if (QFile::rename(path, aside))
            return true;
        const QFileInfo taken(aside);
        if (!taken.exists() && !taken.isSymLink())
            return false;
    }
    return false;
}

} // namespace

QString UsageLogger::defaultPlistPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Trovia/Usage log.plist");
}

UsageLogger::UsageLogger(const QString &plistPath) : filePath(plistPath)
{
    QDir().mkpath(QFileInfo(filePath).absolutePath());
    load();
}

void UsageLogger::applicationAtPathLaunched(const QString &path)
{
    const int count = usageForApplicationAtPath(path);
    usedApplications.insert(path, count == maximumCount ? count : count + 1);
    save();
}

int UsageLogger::usageForApplicationAtPath(const QString &path) const
{
    return usedApplications.value(path, 0);
}

void UsageLogger::load()
{
    usedApplications.clear();
    keepFileBeforeWriting = false;
    leaveFileAlone = false;
    const QFileInfo info(filePath);
    if (!info.exists())
        return;

    // Only a file that was read and does not parse is corrupt. One that cannot be read (no
    // permission, not a plain file) may hold intact counts: it is neither moved nor replaced.
    QFile file(filePath);
    QByteArray data;
    if (info.isFile() && file.open(QIODevice::ReadOnly))
        data = file.readAll();
    if (!info.isFile() || !file.isOpen() || file.error() != QFileDevice::NoError) {
        qCWarning(lcCatalogue).noquote()
            << (QStringLiteral("%1: cannot be read (%2); it is left as it is and this session's "
                               "launches are not written to it.")
                    .arg(filePath,
                         info.isFile() ? file.errorString() : QStringLiteral("not a plain file")));
        leaveFileAlone = true;
        return;
    }

    const PropertyList::ReadResult read = PropertyList::fromData(data);
    if (!read.ok()) {
        qCWarning(lcCatalogue).noquote() << QStringLiteral("%1: %2").arg(filePath, read.error);
        keepFileBeforeWriting = true;
        return;
    }
    const QVariant uses = read.value.toMap().value(usesKey);
    if (uses.metaType().id() != QMetaType::QVariantMap) {
        qCWarning(lcCatalogue).noquote()
            << QStringLiteral("%1: no \"%2\" dictionary.").arg(filePath, usesKey);
        keepFileBeforeWriting = true;
        return;
    }
    const QVariantMap entries = uses.toMap();
    usedApplications.reserve(entries.size());
    int malformed = 0;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        if (const std::optional<int> count = countFrom(it.value()))
            usedApplications.insert(it.key(), *count);
        else
            ++malformed;
    }
    if (malformed > 0) {
        qCWarning(lcCatalogue).noquote()
            << QStringLiteral("%1: ignored %2 entries whose count is not a number.")
                   .arg(filePath)
                   .arg(malformed);
        keepFileBeforeWriting = true;
    }
}

bool UsageLogger::save()
{
    if (leaveFileAlone)
        return false;
    QString error;
    const QByteArray xml = PropertyList::toXml(plist(), &error);
    if (xml.isEmpty()) {
        qCWarning(lcCatalogue).noquote() << error;
        return false;
    }
    // A fresh account has no ~/.local/share yet.
    QDir().mkpath(QFileInfo(filePath).absolutePath());

    if (keepFileBeforeWriting && QFileInfo::exists(filePath)) {
        if (!moveAside(filePath)) {
            qCWarning(lcCatalogue).noquote()
                << QStringLiteral("%1: could not be moved aside; it is left as it is.")
                       .arg(filePath);
            return false;
        }
    }
    keepFileBeforeWriting = false;

    if (!writeFileAtomically(filePath, xml, &error)) {
        qCWarning(lcCatalogue).noquote() << QStringLiteral("%1: %2").arg(filePath, error);
        return false;
    }
    return true;
}

QVariantMap UsageLogger::plist() const
{
    QVariantMap uses;
    for (auto it = usedApplications.cbegin(); it != usedApplications.cend(); ++it)
        uses.insert(it.key(), qint64(it.value()));
    return {{usesKey, uses}};
}
