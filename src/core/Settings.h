#pragma once

#include "core/SettingsKeys.h"

#include <QColor>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <optional>
#include <type_traits>

// How each type of key is kept in memory and in the INI file, which gives everything back as text.
namespace SettingFormat
{

// A read gives false when stored holds no value of the type.
bool read(const QVariant &stored, bool &value);
bool read(const QVariant &stored, int &value);
bool read(const QVariant &stored, qint64 &value);
bool read(const QVariant &stored, float &value);
bool read(const QVariant &stored, QString &value);
bool read(const QVariant &stored, QStringList &value);
bool read(const QVariant &stored, QColor &value);
template <typename T> bool read(const QVariant &stored, std::optional<T> &value)
{
    T held{};
    if (!read(stored, held))
        return false;
    value = held;
    return true;
}

template <typename T> QVariant stored(const T &value)
{
    return QVariant::fromValue(value);
}
// Archived: the colour model it was made in and its components, so that it reads back exactly.
QVariant stored(const QColor &value);

// A key with no default is stored as the value it may hold.
template <typename T> struct StoredType {
    using Type = T;
};
template <typename T> struct StoredType<std::optional<T>> {
    using Type = T;
};
template <typename T> using Stored = typename StoredType<T>::Type;

// Whether a V may be stored under a key of type T: a truth value is never a number, a number is
// never text, only a colour is a colour (QColor would take a name).
template <typename T, typename V> constexpr bool storableAs()
{
    if constexpr (std::is_same_v<T, V>)
        return true;
    else if constexpr (std::is_same_v<T, bool> || std::is_same_v<V, bool>)
        return false;
    else if constexpr (std::is_integral_v<T>)
        return std::is_integral_v<V> || (std::is_enum_v<V> && std::is_convertible_v<V, T>);
    else if constexpr (std::is_floating_point_v<T>)
        return std::is_arithmetic_v<V>;
    else if constexpr (std::is_same_v<T, QColor>)
        return std::is_same_v<V, Qt::GlobalColor>;
    else
        return !std::is_arithmetic_v<V> && std::is_convertible_v<const V &, T>;
}

} // namespace SettingFormat

// The user's settings: an INI file read once into memory. A read gives the stored value, else the
// key's default (SettingsKeys.h), which is never written. Changes are saved once control is back in
// the event loop (or at sync() or destruction): the whole file is written beside it and renamed
// into place only once it reads back whole, so a full disk never leaves a short file in place of
// the good one. Its signals are Trovia's notifications: a store of a key that one of them names
// emits it once the value is stored, and every receiver has run when the emission returns. A step
// that stores several keys stores the announcing one last.
class Settings : public QObject
{
    Q_OBJECT
public:
    // The user's store: $XDG_CONFIG_HOME/Trovia/Trovia.conf.
    static QString standardPath();

    explicit Settings(const QString &filePath, QObject *parent = nullptr);
    ~Settings() override;

    QString filePath() const;

    // The value stored under key, else the key's default: also when what is stored is not of the
    // key's type (text for a number, a number beyond the type, a colour that does not unarchive),
    // and then *rejected, when given, is set.
    template <typename T> T value(const SettingKey<T> &key, bool *rejected = nullptr) const
    {
        const QVariant stored = values.value(key.name);
        T held{};
        const bool readable = stored.isValid() && SettingFormat::read(stored, held);
        if (rejected)
            *rejected = stored.isValid() && !readable;
        return readable ? held : key.defaultValue;
    }
    // What is stored under key as text, else its default's; for messages naming a rejected value.
    template <typename T> QString text(const SettingKey<T> &key) const
    {
        const QVariant stored = values.value(key.name);
        return (stored.isValid() ? stored : SettingFormat::stored(key.defaultValue)).toString();
    }
    template <typename T> bool hasStoredValue(const SettingKey<T> &key) const
    {
        return values.contains(key.name);
    }

    // Stores value under key, then emits the key's signal. Only a value of the key's type
    // compiles: no number for a truth value, no text for a number or a colour.
    template <typename T, typename V,
              std::enable_if_t<SettingFormat::storableAs<SettingFormat::Stored<T>, V>(), int> = 0>
    void setValue(const SettingKey<T> &key, const V &value)
    {
        store(key.name, SettingFormat::stored(SettingFormat::Stored<T>(value)), key.notice);
    }
    template <typename... T> void remove(const SettingKey<T> &...keys)
    {
        (removeName(keys.name), ...);
    }

    // Saves now what is not saved yet (a failed save's changes included); nothing to do otherwise.
    void sync();

Q_SIGNALS:
    // The window's colour, style or list height changed.
    void windowAppearanceChanged();
    // Whether Windows (Wine) applications are listed changed.
    void classicAppInclusionChanged();
    // Whether more than the names are matched changed.
    void matchScopeChanged();
    // The excluded locations changed (stored and written before the emission).
    void excludedLocationsChanged();

private:
    void store(const QString &name, const QVariant &value, SettingNotice notice);
    void removeName(const QString &name);
    void changed();
    void announce(SettingNotice notice);
    void save();

    QString path;
    QVariantMap values;
    bool unsaved = false;
    bool saveScheduled = false;
};
