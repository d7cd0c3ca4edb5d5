#include "core/PropertyList.h"

#include <QDateTime>
#include <QFile>
#include <QTimeZone>
#include <cstdlib>
#include <plist/plist.h>

namespace
{

// Seconds between the Unix epoch and the property-list epoch (2001-01-01 UTC).
constexpr qint64 plistEpochOffset = 978307200;

// Deeper than any file Trovia reads, shallow enough that the recursion below fits the stack.
constexpr int maximumDepth = 512;

// Invalid when the nesting goes deeper than maximumDepth.
QVariant toVariant(plist_t node, int depth = 0)
{
    if (depth > maximumDepth)
        return {};
    switch (plist_get_node_type(node)) {
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        char *key = nullptr;
        plist_t value = nullptr;
        for (;;) {
            plist_dict_next_item(node, it, &key, &value);
            if (!key)
                break;
            const QString name = QString::fromUtf8(key);
            std::free(key);
            key = nullptr;
            QVariant item = toVariant(value, depth + 1);
            if (!item.isValid()) {
                std::free(it);
                return {};
            }
            map.insert(name, std::move(item));
        }
        std::free(it);
        return map;
    }
    case PLIST_ARRAY: {
        QVariantList list;
        const uint32_t size = plist_array_get_size(node);
        for (uint32_t i = 0; i < size; ++i) {
            QVariant item = toVariant(plist_array_get_item(node, i), depth + 1);
            if (!item.isValid())
                return {};
            list.append(std::move(item));
        }
        return list;
    }
    case PLIST_STRING: {
        char *text = nullptr;
        plist_get_string_val(node, &text);
        QString result = QString::fromUtf8(text);
        std::free(text);
        return result;
    }
    case PLIST_UINT: {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        // libplist 2.2 keeps integers unsigned; a negative integer comes back as its two's
        // complement.
        return QVariant::fromValue(static_cast<qint64>(value));
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return value;
    }
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return value != 0;
    }
    case PLIST_DATA: {
        char *bytes = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &bytes, &length);
        QByteArray result(bytes, static_cast<qsizetype>(length));
        std::free(bytes);
        return result;
    }
    case PLIST_DATE: {
        int32_t sec = 0, usec = 0;
        plist_get_date_val(node, &sec, &usec);
        return QDateTime::fromMSecsSinceEpoch((sec + plistEpochOffset) * 1000 + usec / 1000,
                                              QTimeZone::utc());
    }
    default:
        return QVariant(QString());
    }
}

plist_t toNode(const QVariant &value, bool *ok)
{
    switch (value.metaType().id()) {
    case QMetaType::QVariantMap: {
        plist_t dict = plist_new_dict();
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            plist_dict_set_item(dict, it.key().toUtf8().constData(), toNode(it.value(), ok));
        return dict;
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        plist_t array = plist_new_array();
        for (const QVariant &item : value.toList())
            plist_array_append_item(array, toNode(item, ok));
        return array;
    }
    case QMetaType::QString:
        return plist_new_string(value.toString().toUtf8().constData());
    case QMetaType::Bool:
        return plist_new_bool(value.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return plist_new_uint(static_cast<uint64_t>(value.toLongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return plist_new_real(value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return plist_new_data(bytes.constData(), static_cast<uint64_t>(bytes.size()));
    }
    case QMetaType::QDateTime: {
        const qint64 ms = value.toDateTime().toMSecsSinceEpoch() - plistEpochOffset * 1000;
        return plist_new_date(static_cast<int32_t>(ms / 1000),
                              static_cast<int32_t>(ms % 1000) * 1000);
    }
    default:
        *ok = false;
        return plist_new_string("");
    }
}

} // namespace

namespace PropertyList
{

ReadResult fromData(const QByteArray &data)
{
    plist_t root = nullptr;
    bool xmlOrBinary = true;
    if (!data.isEmpty()) {
#if TROVIA_LIBPLIST_VERSION >= 20300
        // From 2.3 libplist also reads OpenStep and JSON text, where almost any text parses.
        plist_format_t format = PLIST_FORMAT_NONE;
        plist_from_memory(data.constData(), static_cast<uint32_t>(data.size()), &root, &format);
        xmlOrBinary = format == PLIST_FORMAT_XML || format == PLIST_FORMAT_BINARY;
#else
        plist_from_memory(data.constData(), static_cast<uint32_t>(data.size()), &root);
#endif
    }
    if (!root || !xmlOrBinary || plist_get_node_type(root) != PLIST_DICT) {
        plist_free(root);
        return {QVariant(), QStringLiteral("The data is not a property list with a dictionary "
                                           "at its root.")};
    }
    ReadResult result{toVariant(root), QString()};
    plist_free(root);
    if (!result.ok())
        result.error = QStringLiteral("The property list is nested more than %1 levels deep.")
                           .arg(maximumDepth);
    return result;
}

ReadResult fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QVariant(), QStringLiteral("%1: %2").arg(path, file.errorString())};
    ReadResult result = fromData(file.readAll());
    if (!result.ok())
        result.error = QStringLiteral("%1: %2").arg(path, result.error);
    return result;
}

QByteArray toXml(const QVariant &value, QString *error)
{
    bool ok = true;
    plist_t root = toNode(value, &ok);
    char *xml = nullptr;
    uint32_t length = 0;
    if (ok)
        plist_to_xml(root, &xml, &length);
    plist_free(root);
    QByteArray result;
    if (xml) {
        result = QByteArray(xml, static_cast<qsizetype>(length));
        std::free(xml);
    }
    if (result.isEmpty() && error)
        *error = QStringLiteral("The value cannot be written as a property list.");
    return result;
}

} // namespace PropertyList
