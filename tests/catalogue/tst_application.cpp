#include "catalogue/Application.h"
#include "catalogue/Matching.h"
#include "platform/ApplicationLauncher.h"

#include <QPixmap>
#include <QTest>
#include <random>

namespace
{

class CountingLauncher : public ApplicationLauncher
{
public:
    QStringList iconsAsked;

    bool launch(const QByteArray &) override { return false; }
    bool launchAction(const QByteArray &, const QString &) override { return false; }
    QIcon icon(const QString &iconName) override
    {
        iconsAsked << iconName;
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        return QIcon(pixmap);
    }
};

} // namespace

// The record's own part; its identity, launching and real icons are tested over GIO entries.
class TestApplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void iconIsFetchedOnceOnFirstUse()
    {
        CountingLauncher launcher;
        const Application app(QUrl::fromLocalFile("/apps/x.desktop"), "X", false, "terminal");
        QVERIFY(launcher.iconsAsked.isEmpty());
        QCOMPARE(app.icon(launcher).cacheKey(), app.icon(launcher).cacheKey());
        QCOMPARE(launcher.iconsAsked, QStringList{"terminal"});
    }

    // A record keeps its names and search texts packed in one string; they read back as they
    // were set, a name of any length whole, a text cut to what its length unit holds.
    void searchTextsReadBackAsSet()
    {
        const QString longest(70000, QLatin1Char('k'));
        Application app(QUrl::fromLocalFile("/a/app.desktop"), longest, false, "terminal");
        QVERIFY(app.searchTexts().isEmpty());
        QCOMPARE(app.searchText(0), QString());
        const QList<Application::SearchText> set{
            {Application::TextKind::Command, "app"},
            {Application::TextKind::Keyword, ""},
            {Application::TextKind::Keyword, longest},
            {Application::TextKind::GenericName, QString::fromUtf8("Édition 🎨")}};
        app.setSearchTexts({{Application::TextKind::Keyword, "first"}});
        app.setSearchTexts(set);
        QCOMPARE(app.displayName(), longest);
        QCOMPARE(app.iconName(), QString("terminal"));
        const QList<Application::SearchText> texts = app.searchTexts();
        QCOMPARE(texts.size(), 4);
        QCOMPARE(texts.at(0).kind, Application::TextKind::Command);
        QCOMPARE(texts.at(1).text, QString(""));
        QCOMPARE(texts.at(2).text, longest.left(0xffff));
        QCOMPARE(texts.at(3).kind, Application::TextKind::GenericName);
        QCOMPARE(app.searchText(3), QString::fromUtf8("Édition 🎨"));
        QCOMPARE(app.searchText(4), QString());
        QCOMPARE(app.searchText(-1), QString());
        app.addAction("new-window", "New Window");
        const ApplicationRef action = app.actions().first();
        QCOMPARE(action->displayName(), QString("New Window"));
        QCOMPARE(action->iconName(), QString("terminal"));
        QCOMPARE(action->applicationName(), longest);
        QVERIFY(action->isAction() && !app.isAction());
    }

    // The matching pass orders by rank, then by name, as Application::compareApplication does,
    // whether the matches have few distinct ranks or many; records alike keep catalogue order.
    void matchesFollowCompareApplication_data()
    {
        QTest::addColumn<int>("distinctUsages");
        QTest::newRow("no usage") << 1;
        QTest::newRow("few ranks") << 3;
        QTest::newRow("many ranks") << 40;
    }

    void matchesFollowCompareApplication()
    {
        QFETCH(int, distinctUsages);
        std::mt19937 random(7);
        ApplicationList apps;
        QHash<QString, int> usage;
        for (int i = 0; i < 300; ++i) {
            // Names that tie, start with the query, or hold it at a later word or inside one.
            static const char *const shapes[] = {"Ab %1", "x Ab %1", "xab%1", "Ab"};
            const QString name = QString(shapes[random() % 4]).arg(random() % 50);
            const QString path = QString("/a/%1.desktop").arg(i);
            apps.append(std::make_shared<Application>(path, name, random() % 5 == 0, QString()));
            usage.insert(path, int(random() % unsigned(distinctUsages)));
        }
        const ApplicationList matched = buildMatchingApplicationList(
            "ab", apps, [](const Application &) { return true; },
            [&usage](const QString &path) { return usage.value(path); });
        QCOMPARE(matched.size(), apps.size());
        for (qsizetype i = 1; i < matched.size(); ++i) {
            const Application &before = *matched.at(i - 1);
            const Application &after = *matched.at(i);
            const int order = before.compareApplication(after);
            QVERIFY2(order < 0 || (order == 0 &&
                                   apps.indexOf(matched.at(i - 1)) < apps.indexOf(matched.at(i))),
                     qPrintable(QString("%1 before %2").arg(before.path(), after.path())));
        }
    }
};

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
