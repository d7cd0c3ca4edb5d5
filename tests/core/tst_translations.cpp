#include "core/LocalizedStrings.h"
#include "core/Translations.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace
{

const QStringList shippedLanguages = {QStringLiteral("de"),    QStringLiteral("es"),
                                      QStringLiteral("fr"),    QStringLiteral("ja"),
                                      QStringLiteral("pt_BR"), QStringLiteral("zh_CN")};

QString sourceTranslations()
{
    return qEnvironmentVariable("TROVIA_SOURCE_DIR") + QStringLiteral("/translations");
}

QStringList placeholders(const QString &text)
{
    QStringList found;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("%(\\d|n)")).globalMatch(text);
    while (it.hasNext())
        found << it.next().captured();
    found.sort();
    return found;
}

// A text's mnemonic marker: a single "&" (a doubled one is a literal ampersand).
bool hasMnemonic(const QString &text)
{
    return QString(text).remove(QStringLiteral("&&")).contains(u'&');
}

struct Problems {
    QStringList list;
    void add(const QString &source, const QString &what)
    {
        list << what + QStringLiteral(": ") + source;
    }
};

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void languageFollowsTheLocaleVariables_data()
    {
        QTest::addColumn<QStringList>("variables"); // NAME=value
        QTest::addColumn<QString>("language");
        QTest::newRow("LANG") << QStringList{"LANG=de_DE.UTF-8"} << "de";
        QTest::newRow("region kept") << QStringList{"LANG=pt_BR.UTF-8"} << "pt_BR";
        QTest::newRow("other region of a language with one")
            << QStringList{"LANG=de_AT.UTF-8@euro"} << "de";
        QTest::newRow("other region of a regional translation")
            << QStringList{"LANG=pt_PT.UTF-8"} << "";
        QTest::newRow("LC_MESSAGES over LANG")
            << QStringList{"LANG=de_DE.UTF-8", "LC_MESSAGES=ja_JP.UTF-8"} << "ja";
        QTest::newRow("LC_ALL over LC_MESSAGES")
            << QStringList{"LC_MESSAGES=ja_JP.UTF-8", "LC_ALL=es_ES.UTF-8"} << "es";
        QTest::newRow("LANGUAGE over all, in its order")
            << QStringList{"LC_ALL=es_ES.UTF-8", "LANGUAGE=sv:zh_CN:fr"} << "zh_CN";
        QTest::newRow("LANGUAGE falls back to the locale")
            << QStringList{"LANG=fr_FR.UTF-8", "LANGUAGE=sv:nb"} << "fr";
        QTest::newRow("English earlier in LANGUAGE wins")
            << QStringList{"LANG=de_DE.UTF-8", "LANGUAGE=en_GB:de"} << "";
        QTest::newRow("C locale ignores LANGUAGE")
            << QStringList{"LC_ALL=C", "LANGUAGE=de", "LANG=de_DE.UTF-8"} << "";
        QTest::newRow("nothing set") << QStringList{} << "";
    }

    void languageFollowsTheLocaleVariables()
    {
        QFETCH(QStringList, variables);
        QFETCH(QString, language);
        QProcessEnvironment environment;
        for (const QString &variable : variables)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        QCOMPARE(Translations::chooseTranslation(Translations::preferredLanguages(environment),
                                                 shippedLanguages),
                 language);
    }

    // The built translation reaches the string table; a text it lacks stays English, and a key
    // the table lacks still shows itself.
    void installedTranslationTranslatesTheStringTable()
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
        QCOMPARE(Translations::install(*QCoreApplication::instance(),
                                       qEnvironmentVariable("TROVIA_BUILT_TRANSLATIONS"),
                                       environment),
                 QStringLiteral("de"));
        QCOMPARE(LocalizedStrings::text(QStringLiteral("QuitMenuItem")),
                 QStringLiteral("Trovia beenden"));
        QCOMPARE(LocalizedStrings::text(QStringLiteral("SelectedRowAnnouncement"))
                     .arg(QStringLiteral("Terminal"), QStringLiteral("1"), QStringLiteral("6")),
                 QStringLiteral("Terminal, 1 von 6"));
        QCOMPARE(LocalizedStrings::text(QStringLiteral("NoSuchKey")), QStringLiteral("NoSuchKey"));
    }

    // Every language is complete: lupdate, run over the sources as translators run it, finds no
    // new, untranslated, vanished or doubled text, and each translation keeps the source's
    // placeholders and mnemonic.
    void everyTranslationIsComplete_data()
    {
        QTest::addColumn<QString>("language");
        const QStringList files =
            QDir(sourceTranslations()).entryList({QStringLiteral("trovia_*.ts")}, QDir::Files);
        QStringList languages;
        for (const QString &file : files)
            languages << file.mid(7, file.size() - 10);
        languages.sort();
        QCOMPARE(languages, shippedLanguages);
        for (const QString &language : languages)
            QTest::newRow(qPrintable(language)) << language;
    }

    void everyTranslationIsComplete()
    {
        QFETCH(QString, language);
        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QString ts = work.filePath(QStringLiteral("trovia_%1.ts").arg(language));
        QVERIFY(
            QFile::copy(sourceTranslations() + QStringLiteral("/trovia_%1.ts").arg(language), ts));
        QFile::setPermissions(ts, QFile::ReadOwner | QFile::WriteOwner);
        QFile original(ts);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const qsizetype messagesBefore = original.readAll().count("<message>");
        original.close();

        QProcess lupdate;
        lupdate.start(qEnvironmentVariable("TROVIA_LUPDATE"),
                      {QStringLiteral("-locations"), QStringLiteral("none"),
                       QStringLiteral("-no-ui-lines"),
                       QLatin1Char('@') + qEnvironmentVariable("TROVIA_LUPDATE_SOURCES"),
                       QStringLiteral("-ts"), ts});
        QVERIFY2(lupdate.waitForFinished(60000), qPrintable(lupdate.errorString()));
        QCOMPARE(lupdate.exitCode(), 0);

        QFile file(ts);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        Problems problems;
        int messages = 0;
        QString source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                ++messages;
                const QString type = xml.attributes().value(QLatin1String("type")).toString();
                const QString translation = xml.readElementText();
                if (!type.isEmpty())
                    problems.add(source, type);
                else if (translation.isEmpty())
                    problems.add(source, QStringLiteral("empty"));
                else if (placeholders(translation) != placeholders(source))
                    problems.add(source, QStringLiteral("placeholders differ"));
                else if (hasMnemonic(translation) != hasMnemonic(source))
                    problems.add(source, QStringLiteral("mnemonic differs"));
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(messages > 0);
        // lupdate keeps one of messages held twice (a merge can leave both copies).
        QVERIFY2(messages == messagesBefore,
                 "duplicate messages: run the update_translations target");
        QVERIFY2(problems.list.isEmpty(), qPrintable(problems.list.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
