#include "platform/xdg/DBusFileRevealer.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDesktopServices>
#include <QSignalSpy>
#include <QTest>

// The desktop's file manager, on a connection of its own as another process would be.
class FakeFileManager : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    explicit FakeFileManager(QObject *parent) : QDBusAbstractAdaptor(parent) {}
public Q_SLOTS:
    void ShowItems(const QStringList &uris, const QString &) { Q_EMIT shown(uris); }
Q_SIGNALS:
    void shown(const QStringList &uris);
};

// Receives what QDesktopServices would open.
class FolderOpener : public QObject
{
    Q_OBJECT
public Q_SLOTS:
    void open(const QUrl &url) { Q_EMIT opened(url); }
Q_SIGNALS:
    void opened(const QUrl &url);
};

class TestFileRevealer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void fileManagerShowsTheEntry();
    void withoutFileManagerTheFolderOpens();

private:
    FolderOpener opener;
    const QUrl entry =
        QUrl::fromLocalFile(QStringLiteral("/usr/share/applications/Some App.desktop"));
};

void TestFileRevealer::initTestCase()
{
    QVERIFY(QDBusConnection::sessionBus().isConnected());
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "open");
}

void TestFileRevealer::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

void TestFileRevealer::fileManagerShowsTheEntry()
{
    const QString name = QStringLiteral("file-manager");
    QDBusConnection service = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    QObject root;
    auto *fileManager = new FakeFileManager(&root);
    QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &root));
    QVERIFY(service.registerService(QStringLiteral("org.freedesktop.FileManager1")));
    QSignalSpy shown(fileManager, &FakeFileManager::shown);
    QSignalSpy opened(&opener, &FolderOpener::opened);

    DBusFileRevealer().reveal(entry);
    QVERIFY(shown.wait(5000));
    QCOMPARE(shown.first().first().toStringList(), QStringList{entry.toString()});
    // The reply is not an error: no folder opens.
    QTest::qWait(0);
    QCOMPARE(opened.count(), 0);

    service.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
    QDBusConnection::disconnectFromBus(name);
}

void TestFileRevealer::withoutFileManagerTheFolderOpens()
{
    QTRY_VERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(
        QStringLiteral("org.freedesktop.FileManager1")));
    QSignalSpy opened(&opener, &FolderOpener::opened);
    DBusFileRevealer().reveal(entry);
    QVERIFY(opened.wait(5000));
    QCOMPARE(opened.first().first().toUrl(),
             QUrl::fromLocalFile(QStringLiteral("/usr/share/applications")));
}

QTEST_MAIN(TestFileRevealer)
#include "tst_filerevealer.moc"
