// Finding applications by what else their entries say: real entry files read by the registry in a
// German session, built into a catalogue, matched with and without the second tier.
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSnapshot.h"
#include "platform/xdg/GioApplicationRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{

// Each entry's Exec names a program of bin/ (on PATH, or by its absolute path).
struct Entry {
    const char *id;
    const char *keys;
};

const Entry entries[] = {
    {"browser-bench", "Name=Browser Benchmarks\n"
                      "Exec=bench\n"},
    {"firefox", "Name=Firefox\n"
                "GenericName=Web Browser\n"
                "GenericName[de]=Webbrowser\n"
                "Keywords=Internet;WWW;Browser;Web;Explorer;\n"
                "Keywords[de]=Internet;WWW;Browser;Web;Surfen;\n"
                "Exec=env MOZ_ENABLE_WAYLAND=1 @BIN@/firefox-esr %u\n"
                "Actions=new-window;new-private-window;\n"
                "\n[Desktop Action new-window]\n"
                "Name=New Window\n"
                "Name[de]=Neues Fenster\n"
                "Exec=@BIN@/firefox-esr --new-window\n"
                "\n[Desktop Action new-private-window]\n"
                "Name=New Private Window\n"
                "Name[de]=Neues privates Fenster\n"
                "Exec=@BIN@/firefox-esr --private-window\n"},
    {"gimp", "Name=GNU Image Manipulation Program\n"
             "Name[de]=GNU Bildbearbeitungsprogramm\n"
             "GenericName=Image Editor\n"
             "GenericName[de]=Bildeditor\n"
             "Exec=@BIN@/gimp-2.10 %U\n"},
    {"calculator", "Name=Calculator\n"
                   "Name[de]=Rechner\n"
                   "Keywords=calculation;arithmetic;scientific;\n"
                   "Keywords[de]=Berechnung;Arithmetik;wissenschaftlich;\n"
                   "Exec=gnome-calculator\n"},
    {"texty",
     "Name=Texty\n"
     "Exec=/usr/bin/env flatpak run --branch=stable --command=texty org.example.Notepad @@u %U "
     "@@\n"},
    {"terminal", "Name=Terminal Emulator\n"
                 "Name[de]=Konsolenfenster\n"
                 "Exec=env TERM=xterm-256color xterm\n"
                 "Actions=new-window;\n"
                 "\n[Desktop Action new-window]\n"
                 "Name=New Window\n"
                 "Name[de]=Neues Fenster\n"
                 "Exec=xterm\n"},
};

// A row as "name" for a name match, "name | the text that found it" for the second tier, and
// "name | application" for an action.
QStringList rowsOf(const ApplicationList &list)
{
    QStringList rows;
    for (const ApplicationRef &app : list) {
        QString row = app->displayName();
        if (app->isAction())
            row += QStringLiteral(" | ") + app->applicationName();
        else if (app->matchedText() >= 0)
            row += QStringLiteral(" | ") + app->searchTexts().at(app->matchedText()).text;
        rows << row;
    }
    return rows;
}

} // namespace

class TestSecondTier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void listsNameMatchesThenTheSecondTier_data();
    void listsNameMatchesThenTheSecondTier();
    void matchedSpanIsWhatTheQueryMatched_data();
    void matchedSpanIsWhatTheQueryMatched();

private:
    QTemporaryDir home;
    CatalogueContents built;
    CatalogueContents reread;
};

void TestSecondTier::initTestCase()
{
    QVERIFY(home.isValid());
    const QString bin = home.filePath(QStringLiteral("bin"));
    const QString applications = home.filePath(QStringLiteral("data/applications"));
    QVERIFY(QDir().mkpath(bin) && QDir().mkpath(applications));
    for (const char *program :
         {"bench", "firefox-esr", "gimp-2.10", "gnome-calculator", "flatpak", "xterm"}) {
        QFile file(bin + QLatin1Char('/') + QLatin1String(program));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
    }
    for (const Entry &entry : entries) {
        QFile file(applications + QLatin1Char('/') + QLatin1String(entry.id) +
                   QStringLiteral(".desktop"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Desktop Entry]\nType=Application\n" +
                   QByteArray(entry.keys).replace("@BIN@", QFile::encodeName(bin)));
    }
    // Read by GLib on first use: set before anything asks.
    qputenv("PATH", QFile::encodeName(bin) + ':' + qgetenv("PATH"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(home.filePath(QStringLiteral("none"))));
    qputenv("LANGUAGE", "de_DE");
    qputenv("LANG", "de_DE.UTF-8");

    GioApplicationRegistry registry;
    built = Catalogue::build(registry, QString());
    QCOMPARE(built.index.apps().size(), qsizetype(std::size(entries)));
    // What the next start matches against until its first build lands.
    const QString snapshot = home.filePath(QStringLiteral("catalogue"));
    QString error;
    QVERIFY2(CatalogueSnapshot::write(snapshot, built, &error), qPrintable(error));
    std::optional<CatalogueContents> read = CatalogueSnapshot::read(snapshot, &error);
    QVERIFY2(read, qPrintable(error));
    reread = std::move(*read);
}

void TestSecondTier::listsNameMatchesThenTheSecondTier_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("withSecondTier");
    QTest::addColumn<QStringList>("namesAlone");

    QTest::newRow("keyword after a name match")
        << "browser" << QStringList{"Browser Benchmarks", "Firefox | Browser"}
        << QStringList{"Browser Benchmarks"};
    QTest::newRow("keyword and generic name, listed once")
        << "web" << QStringList{"Firefox | Web"} << QStringList{};
    QTest::newRow("untranslated name before the command's later word")
        << "calc" << QStringList{"Rechner | Calculator"} << QStringList{};
    QTest::newRow("localised keyword")
        << "arith" << QStringList{"Rechner | Arithmetik"} << QStringList{};
    QTest::newRow("the name matched stays first tier")
        << "rechner" << QStringList{"Rechner"} << QStringList{"Rechner"};
    QTest::newRow("absolute path's program")
        << "gimp" << QStringList{"GNU Bildbearbeitungsprogramm | gimp-2.10"} << QStringList{};
    QTest::newRow("flatpak application id's last part")
        << "note" << QStringList{"Texty | Notepad"} << QStringList{};
    QTest::newRow("program after env and a variable")
        << "xterm" << QStringList{"Konsolenfenster | xterm"} << QStringList{};
    QTest::newRow("inside a word does not count")
        << "term" << QStringList{"Konsolenfenster | Terminal Emulator"} << QStringList{};
    QTest::newRow("env and variables are no program") << "moz" << QStringList{} << QStringList{};
    // A name match inside a word (relevance 0) still comes before every second-tier row; the
    // launched private window ranks above the other actions.
    QTest::newRow("actions at a later word, by usage")
        << "fenster"
        << QStringList{"Konsolenfenster", "Neues privates Fenster | Firefox",
                       "Neues Fenster | Firefox", "Neues Fenster | Konsolenfenster"}
        << QStringList{"Konsolenfenster"};
    QTest::newRow("action at its start, over a space")
        << "neuespriv" << QStringList{"Neues privates Fenster | Firefox"} << QStringList{};
}

void TestSecondTier::listsNameMatchesThenTheSecondTier()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, withSecondTier);
    QFETCH(QStringList, namesAlone);
    const QString privateWindow =
        home.filePath(QStringLiteral("data/applications/firefox.desktop#new-private-window"));
    const UsageLookup usage = [&](const QString &key) { return key == privateWindow ? 4 : 0; };
    const DisplayFilter all = [](const Application &) { return true; };
    for (const CatalogueContents *contents : {&built, &reread}) {
        QCOMPARE(rowsOf(buildMatchingApplicationList(typed, contents->index, all, usage,
                                                     MatchScope::NamesAndMore)),
                 withSecondTier);
        QCOMPARE(rowsOf(buildMatchingApplicationList(typed, contents->index, all, usage)),
                 namesAlone);
    }

    // Leaving out the application leaves out its actions; leaving out an action, that one alone.
    const QString firefox = home.filePath(QStringLiteral("data/applications/firefox.desktop"));
    for (const QString &excluded : {firefox, privateWindow}) {
        const DisplayFilter filter = [&](const Application &app) {
            return Catalogue::shouldDisplayApplication(app, {excluded}, true);
        };
        QStringList expected;
        for (const QString &row : std::as_const(withSecondTier)) {
            const bool isFirefox = row.startsWith(QLatin1String("Firefox")) ||
                                   row.endsWith(QLatin1String("| Firefox"));
            if (excluded == firefox ? !isFirefox : !row.startsWith(QLatin1String("Neues priv")))
                expected << row;
        }
        QCOMPARE(rowsOf(buildMatchingApplicationList(typed, built.index, filter, usage,
                                                     MatchScope::NamesAndMore)),
                 expected);
    }
}

void TestSecondTier::matchedSpanIsWhatTheQueryMatched_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("atWordStart");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");

    QTest::newRow("start") << "Web Browser"
                           << "we" << false << 0 << 2;
    QTest::newRow("later word") << "Photo Tool"
                                << "to" << true << 6 << 2;
    QTest::newRow("first place") << "Photo Tool"
                                 << "to" << false << 3 << 2;
    QTest::newRow("across a space") << "Al Pha"
                                    << "lph" << false << 1 << 4;
    QTest::newRow("after a hyphen") << "gnome-calculator"
                                    << "CALC" << true << 6 << 4;
    QTest::newRow("sharp s is not ss") << "STRASSE"
                                       << "straße" << false << -1 << 0;
    QTest::newRow("letter case folded") << "Straße"
                                        << "STRAßE" << false << 0 << 6;
    QTest::newRow("a letter is not its accented form") << "Cafe\u0301"
                                                       << "cafe" << false << -1 << 0;
    QTest::newRow("accent and mark") << "Cafe\u0301 Noir"
                                     << "café" << false << 0 << 5;
    QTest::newRow("not there") << "Firefox"
                               << "xyz" << false << -1 << 0;
    QTest::newRow("only inside a word") << "Firefox"
                                        << "fox" << true << -1 << 0;
}

void TestSecondTier::matchedSpanIsWhatTheQueryMatched()
{
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    QFETCH(bool, atWordStart);
    QFETCH(int, start);
    QFETCH(int, length);
    const auto span = matchedSpan(shown, typed, atWordStart);
    QCOMPARE(int(span.first), start);
    QCOMPARE(int(span.second), length);
}

QTEST_GUILESS_MAIN(TestSecondTier)
#include "tst_secondtier.moc"
