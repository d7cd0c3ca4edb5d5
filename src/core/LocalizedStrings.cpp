#include "core/LocalizedStrings.h"

#include "core/Logging.h"
#include "core/PropertyList.h"

#include <QCoreApplication>
#include <QVariantMap>

namespace
{

QVariantMap readTable(const QString &path, bool *ok)
{
    const PropertyList::ReadResult result = PropertyList::fromFile(path);
    *ok = result.ok() && result.value.typeId() == QMetaType::QVariantMap;
    if (!*ok) {
        qCWarning(lcCore).noquote()
            << (result.ok() ? QStringLiteral("%1: the string table is not a dictionary.").arg(path)
                            : result.error);
        return {};
    }
    return result.value.toMap();
}

QVariantMap &table()
{
    static QVariantMap strings = [] {
        bool ok = false;
        return readTable(QStringLiteral(":/trovia/Localizable.plist"), &ok);
    }();
    return strings;
}

} // namespace

namespace LocalizedStrings
{

QString text(const QString &key)
{
    const QVariant value = table().value(key);
    if (value.typeId() != QMetaType::QString)
        return key;
    // The installed translation knows each text by its English wording and its key.
    const QByteArray english = value.toString().toUtf8();
    return QCoreApplication::translate("Localizable", english.constData(),
                                       key.toUtf8().constData());
}

bool contains(const QString &key)
{
    const QVariant value = table().value(key);
    return value.typeId() == QMetaType::QString && !value.toString().isEmpty();
}

bool loadTable(const QString &path)
{
    bool ok = false;
    QVariantMap strings = readTable(path, &ok);
    table() = strings;
    return ok;
}

} // namespace LocalizedStrings
