#include "core/Translations.h"

#include "core/Logging.h"
#include "core/ResourcePaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace
{

QString withoutEncodingAndModifier(QString language)
{
    // Not a regular expression: compiling one at start-up costs half a megabyte.
    for (qsizetype at = 0; at < language.size(); ++at) {
        if (language.at(at) == QLatin1Char('.') || language.at(at) == QLatin1Char('@')) {
            language.truncate(at);
            break;
        }
    }
    return language;
}

bool isUntranslatedLocale(const QString &locale)
{
    const QString name = withoutEncodingAndModifier(locale);
    return name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX");
}

QStringList availableTranslations(const QString &directory)
{
    // "trovia_*.qm", letter case aside, compared here: a name filter would compile a regular
    // expression.
    QStringList languages;
    const QStringList files = QDir(directory).entryList(QDir::Files, QDir::Name);
    for (const QString &file : files) {
        if (file.startsWith(QLatin1String("trovia_"), Qt::CaseInsensitive) &&
            file.endsWith(QLatin1String(".qm"), Qt::CaseInsensitive) && file.size() >= 10)
            languages << file.mid(7, file.size() - 7 - 3);
    }
    return languages;
}

} // namespace

namespace Translations
{

QStringList preferredLanguages(const QProcessEnvironment &environment)
{
    QString locale;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment.value(QLatin1String(name));
        if (!locale.isEmpty())
            break;
    }
    if (isUntranslatedLocale(locale))
        return {};
    QStringList languages;
    const QStringList listed =
        environment.value(QStringLiteral("LANGUAGE")).split(u':', Qt::SkipEmptyParts);
    for (const QString &entry : listed)
        languages << withoutEncodingAndModifier(entry);
    languages << withoutEncodingAndModifier(locale);
    languages.removeAll(QString());
    return languages;
}

QString chooseTranslation(const QStringList &preferred, const QStringList &available)
{
    for (const QString &language : preferred) {
        const QString base = language.section(u'_', 0, 0);
        if (base == QLatin1String("en"))
            return {};
        if (available.contains(language))
            return language;
        if (available.contains(base))
            return base;
    }
    return {};
}

QString translationsDirectory()
{
    const QString besideExecutable = QCoreApplication::applicationDirPath() + "/translations";
    if (QFileInfo(besideExecutable).isDir())
        return besideExecutable;
    return resourcePath(QStringLiteral("translations"));
}

QString install(QCoreApplication &application, const QString &directory,
                const QProcessEnvironment &environment)
{
    const QString language =
        chooseTranslation(preferredLanguages(environment), availableTranslations(directory));
    if (language.isEmpty())
        return {};
    auto *trovia = new QTranslator(&application);
    if (!trovia->load(QStringLiteral("trovia_") + language, directory)) {
        qCWarning(lcCore).noquote()
            << QStringLiteral("Failed loading the %1 translation from %2").arg(language, directory);
        delete trovia;
        return {};
    }
    QCoreApplication::installTranslator(trovia);
    // Qt's own texts (the dialogs' standard buttons), where the system has them.
    auto *qt = new QTranslator(&application);
    if (qt->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return language;
}

} // namespace Translations
