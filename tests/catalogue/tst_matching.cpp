#include "catalogue/Matching.h"

#include <QTest>
#include <limits>

namespace
{

// A catalogue whose usage counts come from a table by path.
struct Fixture {
    ApplicationList apps;
    QHash<QString, int> usage;

    void add(const QString &name, int launches = 0, bool classic = false, QString file = {})
    {
        // Names may repeat in letter case only; the file name keeps the paths apart.
        if (file.isEmpty())
            file = name + (classic ? "-wine" : "");
        apps.append(std::make_shared<Application>(
            QUrl::fromLocalFile("/usr/share/applications/" + file + ".desktop"), name, classic,
            QString()));
        usage.insert(apps.last()->path(), launches);
    }

    // "name relevance rank" per listed record, Classic ones marked.
    QStringList match(const QString &typed) const
    {
        QStringList result;
        const ApplicationList list = buildMatchingApplicationList(
            typed, apps, [](const Application &) { return true; },
            [this](const QString &path) { return usage.value(path); });
        for (const ApplicationRef &app : list)
            result << QString("%1 %2 %3%4")
                          .arg(app->displayName())
                          .arg(app->relevance())
                          .arg(app->rank())
                          .arg(app->isClassicApp() ? " classic" : "");
        return result;
    }
};

} // namespace

class TestMatching : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Usage multiplies into the rank, names and then the Classic flag break ties; the same list
    // whatever spaces or letter case the user types.
    void workedExample_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        const QStringList te{"Terminal 3 9",         "Unit Tester 2 4", "TextEdit 3 3",
                             "TEXTEDIT 3 3 classic", "Notes 0 0",       "Site Builder 0 0"};
        for (const char *typed : {"te", "t e", "TE", "  tE "})
            QTest::newRow(typed) << typed << te;
        QTest::newRow("mail only") << "ma" << QStringList{"Mail 3 30"};
        QTest::newRow("nothing") << "xyz" << QStringList{};
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
        QCOMPARE(f.match(typed), expected);
    }

    // Relevance of one name for one typed text; -1 when the name does not match at all.
    void relevance_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("relevance");
        const struct {
            const char *tag, *name, *typed;
            int relevance;
        } rows[] = {
            {"typed without space", "Site Builder", "sitebuilder", 3},
            {"across a space", "Site Builder", "eb", 0},
            {"later word, upper case", "Unit Tester", "TE", 2},
            {"two spaces before word", "Site  Builder", "builder", 2},
            {"inside, and a later word", "Notes Tester", "tes", 2},
            {"span in a later word", "Photo Shop Pro", "shoppro", 0},
            {"not contained", "Mail", "te", -1},
            {"tab is not a space", "Text\tEdit", "textedit", -1},
            {"no-break space stays", "Text\u00a0Edit", "textedit", -1},
            {"non-ASCII letter case", "ÉCRAN Plus", "écran", 3},
            {"composed name", "Caf\u00e9 Bar", "cafe\u0301b", 3},
            {"decomposed name", "Le Cafe\u0301", "caf\u00e9", 2},
            {"accents count", "Caf\u00e9 Bar", "cafeb", -1},
            {"not inside a letter", "Cafe\u0301 Bar", "cafe", -1},
            {"angstrom sign", "\u212Bngstrom", "\u00e5ng", 3},
            {"final sigma folds", "ΟΔΟΣ Map", "οδος", 3},
        };
        for (const auto &row : rows)
            QTest::newRow(row.tag)
                << QString::fromUtf8(row.name) << QString::fromUtf8(row.typed) << row.relevance;
    }

    void relevance()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(int, relevance);
        Fixture f;
        f.add(name);
        const QStringList list = f.match(typed);
        QCOMPARE(list.size(), relevance < 0 ? 0 : 1);
        if (relevance >= 0)
            QCOMPARE(list.first().section(' ', -2, -2).toInt(), relevance);
    }

    // Equal ranks fall back to the names, ignoring case, character by character; relevance 0
    // stays last however often launched; the rank cannot overflow at the largest count.
    void order_data()
    {
        constexpr int most = std::numeric_limits<int>::max();
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("launches");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("letter case ignored")
            << QStringList{"x cherry", "X Banana", "x apple"} << QList<int>{0, 0, 0} << "x"
            << QStringList{"x apple 3 3", "X Banana 3 3", "x cherry 3 3"};
        QTest::newRow("not numeric") << QStringList{"Tool 9", "Tool 10"} << QList<int>{0, 0}
                                     << "tool" << QStringList{"Tool 10 3 3", "Tool 9 3 3"};
        QTest::newRow("relevance 0 last")
            << QStringList{"Bnotes", "Anotes", "Notebook"} << QList<int>{1000, 0, 0} << "no"
            << QStringList{"Notebook 3 3", "Anotes 0 0", "Bnotes 0 0"};
        QTest::newRow("largest count")
            << QStringList{"Zed Worker", "Worker", "Workbench"} << QList<int>{most, most, most - 1}
            << "work"
            << QStringList{"Worker 3 6442450944", "Workbench 3 6442450941",
                           "Zed Worker 2 4294967296"};
    }

    void order()
    {
        QFETCH(QStringList, names);
        QFETCH(QList<int>, launches);
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        Fixture f;
        for (int i = 0; i < names.size(); ++i)
            f.add(names.at(i), launches.at(i));
        QCOMPARE(f.match(typed), expected);
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
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.first()->rank(), 6);
        QCOMPARE(lookedUp, QStringList{f.apps.at(1)->path()});
    }
};

QTEST_GUILESS_MAIN(TestMatching)
#include "tst_matching.moc"
