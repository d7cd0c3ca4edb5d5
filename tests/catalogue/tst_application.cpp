#include "Application.h"
#include "ApplicationLauncher.h"

#include <QPixmap>
#include <QSet>
#include <QTest>

namespace
{

class FakeLauncher : public ApplicationLauncher
{
public:
    QStringList launched;
    QStringList iconsAsked;
    bool answer = true;

    bool launch(const QString &entryPath) override
    {
        launched << entryPath;
        return answer;
    }
    QIcon icon(const QString &iconName) override
    {
        iconsAsked << iconName;
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        return QIcon(pixmap);
    }
};

Application makeApp(const QString &path, const QString &name = "Name", const QString &icon = "")
{
    return Application(QUrl::fromLocalFile(path), name, false, icon);
}

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

    FakeLauncher launcher;

private Q_SLOTS:
    void init()
    {
        launcher = FakeLauncher();
        ApplicationLauncher::setCurrent(&launcher);
    }
    void cleanup() { ApplicationLauncher::setCurrent(nullptr); }

    void pathIsTheEntryFilePath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "/usr/share/applications/org.gnome.Terminal.desktop";
        QTest::newRow("space, hash, percent, accent") << "/home/me/My Apps/#1 100% Café.desktop";
    }

    void pathIsTheEntryFilePath()
    {
        QFETCH(QString, path);
        const Application app = makeApp(path);
        QCOMPARE(app.path(), path);
        QCOMPARE(app.url(), QUrl::fromLocalFile(path));
        QVERIFY(app.url().isLocalFile());
    }

    void identityIsThePathLetterCaseIncluded()
    {
        const Application a = makeApp("/apps/tool.desktop", "Tool");
        const Application sameFile = makeApp("/apps/tool.desktop", "Another Name");
        const Application otherCase = makeApp("/apps/Tool.desktop", "Tool");
        QVERIFY(a == sameFile);
        QVERIFY(!(a == otherCase));
    }

    void displayNameIsKeptAsGiven()
    {
        const Application app = makeApp("/apps/x.desktop", " Tool.desktop  2 ");
        QCOMPARE(app.displayName(), QString(" Tool.desktop  2 "));
        QCOMPARE(app.foldedName(), QString("tool.desktop2"));
    }

    void iconIsFetchedOnceOnFirstUse()
    {
        const Application app = makeApp("/apps/x.desktop", "X", "utilities-terminal");
        QVERIFY(launcher.iconsAsked.isEmpty());
        const QIcon first = app.icon();
        const QIcon second = app.icon();
        QCOMPARE(launcher.iconsAsked, QStringList{"utilities-terminal"});
        QVERIFY(!first.isNull());
        QCOMPARE(second.cacheKey(), first.cacheKey());
    }

    void launchReportsTheLaunchersAnswer()
    {
        const Application app = makeApp("/apps/x.desktop");
        QVERIFY(app.launch());
        launcher.answer = false;
        QVERIFY(!app.launch());
        QCOMPARE(launcher.launched, QStringList({"/apps/x.desktop", "/apps/x.desktop"}));
        QCOMPARE(app.relevance(), 0);
        QCOMPARE(app.usage(), 0);
    }
};

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
