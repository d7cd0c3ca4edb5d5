// Writes the string table's texts as a C++ file that lupdate reads, so the .ts files cover them
// like any tr() text: context "Localizable", the English text as source, the key as comment
// (the same triple LocalizedStrings::text translates).
#include "core/PropertyList.h"

#include <QFile>
#include <QSaveFile>
#include <QVariantMap>
#include <cstdio>

namespace
{

QByteArray cString(const QString &text)
{
    QByteArray quoted = "\"";
    for (const char c : text.toUtf8()) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (c == '\n')
            quoted += "\\n";
        else
            quoted += c;
    }
    return quoted + '"';
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <string table> <C++ file to write>\n", argv[0]);
        return 2;
    }
    const PropertyList::ReadResult table = PropertyList::fromFile(QString::fromLocal8Bit(argv[1]));
    if (!table.ok() || table.value.typeId() != QMetaType::QVariantMap) {
        std::fprintf(stderr, "%s: not a string table: %s\n", argv[1], qPrintable(table.error));
        return 1;
    }
    QByteArray source = "// The string table's texts for lupdate; generated, never compiled.\n";
    const QVariantMap strings = table.value.toMap();
    for (auto entry = strings.cbegin(); entry != strings.cend(); ++entry) {
        if (entry.value().typeId() == QMetaType::QString)
            source += "QT_TRANSLATE_NOOP3(\"Localizable\", " + cString(entry.value().toString()) +
                      ", " + cString(entry.key()) + ")\n";
    }
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        out.write(source) != source.size() || !out.commit()) {
        std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
