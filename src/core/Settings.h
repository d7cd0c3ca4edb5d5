#pragma once

#include <QColor>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// The user's settings: an INI file read once into memory, with defaults registered for the run. A
// read gives the stored value, else the registered default, else nothing. Registered defaults are
// never written. Changes are saved once control is back in the event loop (or at sync() or
// destruction): the whole file is written beside it and renamed into place only once it reads
// back whole, so a full disk never leaves a short file in place of the good one.
// Its signals are Trovia's notifications: a store of a key that one of them names emits it once
// the value is stored, and every receiver has run when the emission returns. A step that stores
// several keys stores the announcing one last.
class Settings : public QObject
{
    Q_OBJECT
public:
    // The user's store: $XDG_CONFIG_HOME/Trovia/Trovia.conf.
    static QString standardPath();

    explicit Settings(const QString &filePath, QObject *parent = nullptr);
    ~Settings() override;

    QString filePath() const;

    void registerDefaults(const QVariantMap &defaults);

    QVariant object(const QString &key) const;
    QString string(const QString &key) const;
    // A whole number; the registered default when what is stored is none (text, a fraction, a
    // number beyond 64 bits), and then *rejected, when given, is set.
    qint64 integer(const QString &key, bool *rejected = nullptr) const;
    bool boolean(const QString &key) const;
    float floatValue(const QString &key) const;
    QStringList stringList(const QString &key) const;
    QColor color(const QString &key) const; // an archived colour; invalid when absent or unreadable
    bool hasStoredValue(const QString &key) const;
    QVariant registeredDefault(const QString &key) const { return defaults.value(key); }

    void setObject(const QString &key, const QVariant &value);
    void setInteger(const QString &key, qint64 value) { setObject(key, value); }
    void setBool(const QString &key, bool value) { setObject(key, value); }
    void setFloat(const QString &key, float value) { setObject(key, value); }
    void setStringList(const QString &key, const QStringList &value);
    void setColor(const QString &key, const QColor &color);
    void remove(const QString &key);

    // Saves now what is not saved yet (a failed save's changes included); nothing to do otherwise.
    void sync();

    static QByteArray archivedColor(const QColor &color);
    static QColor unarchivedColor(const QByteArray &data);

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
    void changed();
    void announce(const QString &key);
    void save();

    QString path;
    QVariantMap values;
    QVariantMap defaults;
    bool unsaved = false;
    bool saveScheduled = false;
};
