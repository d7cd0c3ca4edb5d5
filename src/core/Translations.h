#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class QCoreApplication;

// Trovia in the user's language: its compiled Qt Linguist translations (trovia_<language>.qm,
// covering the string table and the interface descriptions) and Qt's own for its dialogs.
namespace Translations
{

// The user's languages, most wanted first, as gettext chooses them: LANGUAGE (a colon-separated
// list) before the first of LC_ALL, LC_MESSAGES and LANG that is set; a "C" or "POSIX" locale means
// untranslated, whatever LANGUAGE says. Encoding and modifier are dropped: "de_DE.UTF-8" is
// "de_DE".
QStringList preferredLanguages(const QProcessEnvironment &environment);

// The translation to use from the available ones (e.g. "de", "pt_BR"): for each preferred language
// its own file, then its language without region ("de_AT" takes "de"; "pt_PT" does not take
// "pt_BR"). English, the texts' own language, ends the search. Empty: stay in English.
QString chooseTranslation(const QStringList &preferred, const QStringList &available);

// Where the .qm files are: "translations" beside the executable when it exists (the build tree),
// else the folder "translations" among the installed resources (<prefix>/share/trovia).
QString translationsDirectory();

// Installs the translators for the user's language from directory; the chosen language, or
// empty when Trovia stays in English.
QString install(QCoreApplication &application, const QString &directory = translationsDirectory(),
                const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

} // namespace Translations
