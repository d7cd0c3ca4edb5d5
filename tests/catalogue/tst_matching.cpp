#include "Matching.h"

#include <QTest>
#include <limits>

namespace
{

struct Record {
    QString name;
    int usage;
    bool classic;
};

ApplicationRef makeApp(const QString &name, bool classic = false, const QString &file = QString())
{
    const QString path = "/usr/share/applications/" + (file.isEmpty() ? name : file) + ".desktop";
    return std::make_shared<Application>(QUrl::fromLocalFile(path), name, classic, QString());
}

// A catalogue whose usage counts come from a table by path.
struct Fixture {
    ApplicationList apps;
    QHash<QString, int> usage;

    void add(const QString &name, int launches = 0, bool classic = false)
    {
        // Names may repeat in letter case only; the file name keeps the paths apart.
        const ApplicationRef app = makeApp(name, classic, name + (classic ? "-wine" : ""));
        apps.append(app);
        usage.insert(app->path(), launches);
    }

    ApplicationList match(const QString &typed, const DisplayFilter &filter = nullptr) const
    {
        return buildMatchingApplicationList(
            typed, apps, filter ? filter : [](const Application &) { return true; },
            [this](const QString &path) { return usage.value(path); });
    }
};

// "name relevance rank" per listed record, Classic ones marked.
QStringList describe(const ApplicationList &list)
{
    QStringList result;
    for (const ApplicationRef &app : list)
        result << QString("%1 %2 %3%4")
                      .arg(app->displayName())
                      .arg(app->relevance())
                      .arg(app->rank())
                      .arg(app->isClassicApp() ? " classic" : "");
    return result;
}

} // namespace

class TestMatching : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The catalogue of the reference example: usage multiplies into the rank, names and then the
    // Classic flag break ties; the same list whatever spaces or letter case the user types.
    void workedExample_data()
    {
        QTest::addColumn<QString>("typed");
        const QStringList expected{"Terminal 3 9",         "Unit Tester 2 4", "TextEdit 3 3",
                                   "TEXTEDIT 3 3 classic", "Notes 0 0",       "Site Builder 0 0"};
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("te") << "te" << expected;
        QTest::newRow("t e") << "t e" << expected;
        QTest::newRow("TE") << "TE" << expected;
        QTest::newRow("spaces around") << "  tE " << expected;
        QTest::newRow("mail only") << "ma" << QStringList{"Mail 3 30"};
        QTest::newRow("nothing") << "xyz" << QStringList{};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("spaces only") << "   " << QStringList{};
    }

    void workedExample()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        Fixture f;
        // Classic first in the catalogue, so the order cannot come from the catalogue's order.
        f.add("TEXTEDIT", 0, true);
        f.add("Terminal", 2);
        f.add("TextEdit", 0);
        f.add("Unit Tester", 1);
        f.add("Site Builder", 7);
        f.add("Notes", 0);
        f.add("Mail", 9);
        QCOMPARE(describe(f.match(typed)), expected);
    }

    // Relevance of one name for one typed text; -1 when the name does not match at all.
    void relevance_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("relevance");
        QTest::newRow("typed with its space") << "Site Builder"
                                              << "site builder" << 3;
        QTest::newRow("typed without space") << "Site Builder"
                                             << "sitebuilder" << 3;
        QTest::newRow("across a space") << "Site Builder"
                                        << "eb" << 0;
        QTest::newRow("later word") << "Site Builder"
                                    << "builder" << 2;
        QTest::newRow("later word, upper case") << "Unit Tester"
                                                << "TE" << 2;
        QTest::newRow("two spaces before word") << "Site  Builder"
                                                << "builder" << 2;
        QTest::newRow("inside a word") << "Notes"
                                       << "tes" << 0;
        QTest::newRow("inside, and a later word") << "Notes Tester"
                                                  << "tes" << 2;
        QTest::newRow("span in a later word") << "Photo Shop Pro"
                                              << "shoppro" << 0;
        QTest::newRow("not contained") << "Mail"
                                       << "te" << -1;
        QTest::newRow("tab is not a space") << "Text\tEdit"
                                            << "textedit" << -1;
        QTest::newRow("no-break space is not a space")
            << QString("Text\u00a0Edit") << "textedit" << -1;
        QTest::newRow("tab typed matches tab") << "Text\tEdit"
                                               << "t\te" << 0;
        QTest::newRow("non-ASCII letter case") << QString("ÉCRAN Plus") << QString("écran") << 3;
        QTest::newRow("composed name, decomposed query")
            << QString("Caf\u00e9 Bar") << QString("cafe\u0301b") << 3;
        QTest::newRow("decomposed name, composed query")
            << QString("Le Cafe\u0301") << QString("caf\u00e9") << 2;
        QTest::newRow("accents still count") << QString("Caf\u00e9 Bar") << QString("cafeb") << -1;
        QTest::newRow("no match inside a letter")
            << QString("Cafe\u0301 Bar") << QString("cafe") << -1;
        QTest::newRow("angstrom sign") << QString("\u212Bngstrom") << QString("\u00e5ng") << 3;
        QTest::newRow("greek final sigma folds") << QString("ΟΔΟΣ Map") << QString("οδος") << 3;
    }

    void relevance()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(int, relevance);
        Fixture f;
        f.add(name);
        const ApplicationList list = f.match(typed);
        if (relevance < 0) {
            QVERIFY(list.isEmpty());
        } else {
            QCOMPARE(list.size(), 1);
            QCOMPARE(list.first()->relevance(), relevance);
        }
    }

    // Ties in rank fall back to the names, case-insensitively and character by character.
    void orderOfEqualRanks_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("letter case ignored")
            << QStringList{"cherry app", "Banana app", "apple app"} << "app"
            << QStringList{"apple app", "Banana app", "cherry app"};
        QTest::newRow("not numeric")
            << QStringList{"Tool 9", "Tool 10"} << "tool" << QStringList{"Tool 10", "Tool 9"};
        QTest::newRow("relevance 0 by name") << QStringList{"Zeta notes", "Alpha notes x"} << "otes"
                                             << QStringList{"Alpha notes x", "Zeta notes"};
    }

    void orderOfEqualRanks()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        Fixture f;
        for (const QString &name : names)
            f.add(name);
        QStringList listed;
        for (const ApplicationRef &app : f.match(typed))
            listed << app->displayName();
        QCOMPARE(listed, expected);
    }

    void relevanceZeroStaysLastHoweverOftenLaunched()
    {
        Fixture f;
        f.add("Bnotes", 1000);
        f.add("Anotes", 0);
        f.add("Notebook", 0);
        QCOMPARE(describe(f.match("no")),
                 QStringList({"Notebook 3 3", "Anotes 0 0", "Bnotes 0 0"}));
    }

    void rankDoesNotOverflowAtTheLargestCount()
    {
        constexpr int most = std::numeric_limits<int>::max();
        Fixture f;
        f.add("Zed Worker", most);
        f.add("Worker", most);
        f.add("Workbench", most - 1);
        const ApplicationList list = f.match("work");
        QCOMPARE(list.size(), 3);
        QCOMPARE(list.at(0)->displayName(), QString("Worker"));
        QCOMPARE(list.at(0)->rank(), (qint64(most) + 1) * 3);
        QCOMPARE(list.at(1)->displayName(), QString("Workbench"));
        QCOMPARE(list.at(2)->displayName(), QString("Zed Worker"));
        QCOMPARE(list.at(2)->rank(), (qint64(most) + 1) * 2);
    }

    // The list follows compareApplication for every neighbouring pair, over many ties.
    void listIsSortedByCompareApplication()
    {
        const QStringList words{"Text", "text", "Edit", "Term",
                                "TEXT", "Tool", "Café", "Cafe\u0301"};
        Fixture f;
        for (int i = 0; i < 400; ++i) {
            const QString name = words.at(i % 8) + ' ' + words.at(i / 8 % 8) +
                                 (i % 3 ? QString() : ' ' + words.at(i / 64 % 8));
            const ApplicationRef app = makeApp(name, i % 7 == 0, QString::number(i));
            f.apps.append(app);
            f.usage.insert(app->path(), i % 4);
        }
        const ApplicationList list = f.match("te");
        QVERIFY(list.size() > 100);
        for (qsizetype i = 1; i < list.size(); ++i)
            QVERIFY2(list.at(i - 1)->compareApplication(*list.at(i)) <= 0,
                     qPrintable(list.at(i - 1)->displayName() + " / " + list.at(i)->displayName()));
    }

    void compareApplicationIsAntisymmetric()
    {
        const ApplicationRef plain = makeApp("TextEdit");
        const ApplicationRef wine = makeApp("TEXTEDIT", true, "w");
        QCOMPARE(plain->compareApplication(*wine), -1);
        QCOMPARE(wine->compareApplication(*plain), 1);
        const ApplicationRef twin = makeApp("textedit", false, "t");
        QCOMPARE(plain->compareApplication(*twin), 0);
        wine->setRelevance(2);
        QCOMPARE(wine->compareApplication(*plain), -1);
    }

    // The filter decides after the name matched, and only listed records are looked up in the
    // usage log, so a pass that lists nothing never creates it.
    void filterAndUsageAreAskedOnlyWhenNeeded()
    {
        Fixture f;
        f.add("Terminal", 5);
        f.add("Terminator", 1);
        f.add("Mail", 9);
        QStringList filtered, lookedUp;
        const ApplicationList list = buildMatchingApplicationList(
            "term", f.apps,
            [&](const Application &app) {
                filtered << app.displayName();
                return app.displayName() != "Terminal";
            },
            [&](const QString &path) {
                lookedUp << path;
                return f.usage.value(path);
            });
        QCOMPARE(filtered, QStringList({"Terminal", "Terminator"}));
        QCOMPARE(describe(list), QStringList{"Terminator 3 6"});
        QCOMPARE(lookedUp, QStringList{f.apps.at(1)->path()});
    }

    void stringByDeletingSpacesRemovesOnlyU0020_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("spaces only") << "   "
                                     << "";
        QTest::newRow("everywhere") << " Site  Builder "
                                    << "SiteBuilder";
        QTest::newRow("other white space stays")
            << QString("a\tb\u00a0c\u2003d\ne") << QString("a\tb\u00a0c\u2003d\ne");
    }

    void stringByDeletingSpacesRemovesOnlyU0020()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        const QString copy = input;
        QCOMPARE(stringByDeletingSpaces(input), expected);
        QCOMPARE(input, copy);
    }
};

QTEST_GUILESS_MAIN(TestMatching)
#include "tst_matching.moc"
