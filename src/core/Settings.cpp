#include "core/Settings.h"

#include <QDataStream>
#include <QDir>
#include <QStandardPaths>

namespace
{
// Fixed so that a colour archived by one Qt version reads back in the next.
constexpr QDataStream::Version archiveVersion = QDataStream::Qt_6_0;
} // namespace

QString Settings::standardPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Trovia/Trovia.conf");
}

Settings::Settings(const QString &filePath, QObject *parent)
    : QObject(parent), store(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
}

Settings::~Settings() = default;

QString Settings::filePath() const
{
    return store->fileName();
}

void Settings::registerDefaults(const QVariantMap &newDefaults)
{
    for (auto it = newDefaults.cbegin(); it != newDefaults.cend(); ++it)
        defaults.insert(it.key(), it.value());
}

QVariant Settings::object(const QString &key) const
{
    const QVariant stored = store->value(key);
    return stored.isValid() ? stored : defaults.value(key);
}

QString Settings::string(const QString &key) const
{
    return object(key).toString();
}

qint64 Settings::integer(const QString &key, bool *rejected) const
{
    // The INI file keeps numbers as text: "escape" must not read as 0.
    const QVariant stored = store->value(key);
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
    return store->contains(key);
}

void Settings::setObject(const QString &key, const QVariant &value)
{
    store->setValue(key, value);
}

void Settings::setStringList(const QString &key, const QStringList &value)
{
    store->setValue(key, value);
}

void Settings::setColor(const QString &key, const QColor &color)
{
    store->setValue(key, archivedColor(color));
}

void Settings::remove(const QString &key)
{
    store->remove(key);
}

void Settings::sync()
{
    store->sync();
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
