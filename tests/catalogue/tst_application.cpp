#include "Application.h"
#include "ApplicationLauncher.h"

#include <QPixmap>
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

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

    FakeLauncher launcher;

private Q_SLOTS:
    void initTestCase() { ApplicationLauncher::setCurrent(&launcher); }
    void cleanupTestCase() { ApplicationLauncher::setCurrent(nullptr); }

    // The record is its entry file: the path as given, identity by path with its letter case.
    void identityIsTheEntryFile()
    {
        const QString path = "/home/me/My Apps/#1 100% Café.desktop";
        const Application app(QUrl::fromLocalFile(path), " Tool  2 ", false, QString());
        QCOMPARE(app.path(), path);
        QCOMPARE(app.foldedName(), QString("tool2"));
        QVERIFY(app == Application(QUrl::fromLocalFile(path), "Other", false, QString()));
        QVERIFY(!(app ==
                  Application(QUrl::fromLocalFile(path.toLower()), " Tool  2 ", false, QString())));
    }

    void iconIsFetchedOnceOnFirstUseAndLaunchReportsTheAnswer()
    {
        const Application app(QUrl::fromLocalFile("/apps/x.desktop"), "X", false, "terminal");
        QVERIFY(launcher.iconsAsked.isEmpty());
        QCOMPARE(app.icon().cacheKey(), app.icon().cacheKey());
        QCOMPARE(launcher.iconsAsked, QStringList{"terminal"});

        QVERIFY(app.launch());
        launcher.answer = false;
        QVERIFY(!app.launch());
        QCOMPARE(launcher.launched, QStringList({"/apps/x.desktop", "/apps/x.desktop"}));
    }
};

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
