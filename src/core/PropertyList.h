#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// Property lists through libplist: XML or binary in, XML out. Only a list whose root is a
// dictionary reads; other text, or another root, is a failure with its reason. Dictionaries become
// QVariantMap, arrays QVariantList, integers qint64 (libplist 2.2 keeps them unsigned and cannot
// tell a negative one from one above 2^63: both read negative), reals double, booleans bool,
// strings QString, data QByteArray, dates QDateTime.
namespace PropertyList
{

struct ReadResult {
    QVariant value; // invalid on failure
    QString error;  // the reason, when value is invalid
    bool ok() const { return value.isValid(); }
};

ReadResult fromData(const QByteArray &data);
ReadResult fromFile(const QString &path);

// XML serialisation; an empty result means the value held something a property list cannot.
QByteArray toXml(const QVariant &value, QString *error = nullptr);

} // namespace PropertyList
