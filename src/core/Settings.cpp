#include "core/Settings.h"

#include "core/Logging.h"
#include "core/SettingsKeys.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace
{
// Fixed so that a colour archived by one Qt version reads back in the next.
constexpr QDataStream::Version archiveVersion = QDataStream::Qt_6_0;

// Every value Qt's INI reader finds in file. QSettings keeps each file it read in a cache for the
// whole process and hands that copy out again while the file's size and date look unchanged, so
// a file that may have changed since is read under a name this process has not used.
QVariantMap readIni(const QString &file, QSettings::Status *status = nullptr)
{
    const QSettings ini(file, QSettings::IniFormat);
    QVariantMap values;
    for (const QString &key : ini.allKeys())
        values.insert(key, ini.value(key));
    if (status)
        *status = ini.status();
    return values;
}

// Whether a value read back from the INI file is the one written: the format gives numbers and
// truth values back as their text, a list of one string as that string, an empty list as none.
bool readsBackAs(const QVariant &read, const QVariant &written)
{
    if (read.metaType() == written.metaType())
        return read == written;
    const int type = written.metaType().id();
    if (type == QMetaType::QStringList || type == QMetaType::QVariantList)
        return read.toStringList() == written.toStringList();
    return read.metaType().id() == QMetaType::QString && read.toString() == written.toString();
}

bool renamed(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Replaces target with the INI file of values, written in a fresh folder beside it and renamed
// over it only once it reads back whole: Qt 6.4 puts a short file in place when its last write
// fails (a full disk) and reports no error. Empty on success, else what went wrong.
QString replaceWithIni(const QString &target, const QVariantMap &values)
{
    // Removed with whatever a failed save leaves in it.
    QTemporaryDir work(target + QStringLiteral(".XXXXXX"));
    if (!work.isValid())
        return work.errorString();
    const QString written = work.filePath(QStringLiteral("written.conf"));
    {
        // Made first so that no values still make a file; the user's permissions carry over.
        QFile file(written);
        if (!file.open(QIODevice::WriteOnly))
            return file.errorString();
        if (QFileInfo::exists(target))
            file.setPermissions(QFile::permissions(target));
    }
    {
        QSettings ini(written, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            ini.setValue(it.key(), it.value());
        ini.sync();
        if (ini.status() != QSettings::NoError)
            return QStringLiteral("it could not be written");
    }
    const QString check = work.filePath(QStringLiteral("check.conf"));
    if (!renamed(written, check))
        return QString::fromLocal8Bit(std::strerror(errno));
    QSettings::Status status;
    const QVariantMap read = readIni(check, &status);
    bool whole = status == QSettings::NoError && read.keys() == values.keys();
    for (auto it = values.cbegin(); whole && it != values.cend(); ++it)
        whole = readsBackAs(read.value(it.key()), it.value());
    if (!whole)
        return QStringLiteral("it did not read back whole");
    if (!renamed(check, target))
        return QString::fromLocal8Bit(std::strerror(errno));
    return QString();
}

} // namespace

QString Settings::standardPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Trovia/Trovia.conf");
}

Settings::Settings(const QString &filePath, QObject *parent)
    : QObject(parent), path(QFileInfo(filePath).absoluteFilePath())
{
    // An earlier Settings of this process may have read the file before it was last replaced:
    // read it through a link under a new name (see readIni), or as it is where no link can be made.
    if (QFileInfo::exists(path)) {
        QTemporaryDir fresh(path + QStringLiteral(".XXXXXX"));
        const QString alias = fresh.filePath(QStringLiteral("Trovia.conf"));
        if (fresh.isValid() && QFile::link(path, alias)) {
            values = readIni(alias);
            return;
        }
    }
    values = readIni(path);
}

Settings::~Settings()
{
    sync();
}

QString Settings::filePath() const
{
    return path;
}

void Settings::registerDefaults(const QVariantMap &newDefaults)
{
    for (auto it = newDefaults.cbegin(); it != newDefaults.cend(); ++it)
        defaults.insert(it.key(), it.value());
}

QVariant Settings::object(const QString &key) const
{
    const QVariant stored = values.value(key);
    return stored.isValid() ? stored : defaults.value(key);
}

QString Settings::string(const QString &key) const
{
    return object(key).toString();
}

qint64 Settings::integer(const QString &key, bool *rejected) const
{
    // The INI file keeps numbers as text: "escape" must not read as 0.
    const QVariant stored = values.value(key);
    bool ok = false;
    const qint64 value = stored.toLongLong(&ok);
    if (rejected)
        *rejected = stored.isValid() && !ok;
    return ok ? value : defaults.value(key).toLongLong();
}

bool Settings::boolean(const QString &key) const
{
    return object(key).toBool();
}

float Settings::floatValue(const QString &key) const
{
    return object(key).toFloat();
}

QStringList Settings::stringList(const QString &key) const
{
    // INI stores a one-element list as a plain string and an empty list as an invalid value.
    const QVariant value = object(key);
    if (value.metaType().id() == QMetaType::QString)
        return {value.toString()};
    return value.toStringList();
}

QColor Settings::color(const QString &key) const
{
    return unarchivedColor(object(key).toByteArray());
}

bool Settings::hasStoredValue(const QString &key) const
{
    return values.contains(key);
}

void Settings::setObject(const QString &key, const QVariant &value)
{
    values.insert(key, value);
    changed();
    announce(key);
}

void Settings::announce(const QString &key)
{
    if (key == WindowStyleKey || key == WindowColorKey || key == MaximumListHeightKey) {
        Q_EMIT windowAppearanceChanged();
    } else if (key == IncludeClassicAppsKey) {
        Q_EMIT classicAppInclusionChanged();
    } else if (key == MatchMoreThanNamesKey) {
        Q_EMIT matchScopeChanged();
    } else if (key == ExcludedLocationsKey) {
        // Written through before anyone hears of it, so observers read the new list.
        sync();
        Q_EMIT excludedLocationsChanged();
    }
}

void Settings::setStringList(const QString &key, const QStringList &value)
{
    setObject(key, value);
}

void Settings::setColor(const QString &key, const QColor &color)
{
    setObject(key, archivedColor(color));
}

void Settings::remove(const QString &key)
{
    values.remove(key);
    changed();
}

void Settings::changed()
{
    unsaved = true;
    // The changes of one step (a colour being dragged, a preset: several keys) are saved together,
    // once control is back in the event loop.
    if (!saveScheduled) {
        saveScheduled = true;
        QTimer::singleShot(0, this, [this] {
            saveScheduled = false;
            sync();
        });
    }
}

void Settings::sync()
{
    if (unsaved)
        save();
}

void Settings::save()
{
    // A settings file kept as a symbolic link (among the user's dotfiles) stays one.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QString target = canonical.isEmpty() ? path : canonical;
    QDir().mkpath(QFileInfo(target).absolutePath());
    const QString problem = replaceWithIni(target, values);
    unsaved = !problem.isEmpty();
    if (unsaved)
        qCWarning(lcCore).noquote()
            << QStringLiteral("%1: the settings could not be saved (%2); the changes stay in "
                              "memory and are saved again with the next one.")
                   .arg(path, problem);
}

QByteArray Settings::archivedColor(const QColor &color)
{
    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    stream.setVersion(archiveVersion);
    stream << color;
    return data;
}

QColor Settings::unarchivedColor(const QByteArray &data)
{
    if (data.isEmpty())
        return {};
    QDataStream stream(data);
    stream.setVersion(archiveVersion);
    QColor color;
    stream >> color;
    return stream.status() == QDataStream::Ok ? color : QColor();
}
