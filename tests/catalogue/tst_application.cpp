#include "catalogue/Application.h"
#include "platform/ApplicationLauncher.h"

#include <QPixmap>
#include <QTest>

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
};

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
