// A stand-in for the desktop's file manager on the test's session bus: answers
// org.freedesktop.FileManager1 and appends every URI it is asked to show to a record file.
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusError>
#include <QFile>
#include <QStringList>
#include <cstdio>

class FileManagerAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    FileManagerAdaptor(QObject *parent, const QString &recordPath)
        : QDBusAbstractAdaptor(parent), record(recordPath)
    {
    }

public Q_SLOTS:
    void ShowItems(const QStringList &uris, const QString &startupId)
    {
        Q_UNUSED(startupId);
        append(QStringLiteral("ShowItems"), uris);
    }
    void ShowFolders(const QStringList &uris, const QString &startupId)
    {
        Q_UNUSED(startupId);
        append(QStringLiteral("ShowFolders"), uris);
    }
    void ShowItemProperties(const QStringList &uris, const QString &startupId)
    {
        Q_UNUSED(startupId);
        append(QStringLiteral("ShowItemProperties"), uris);
    }

private:
    void append(const QString &method, const QStringList &uris)
    {
        QFile file(record);
        if (!file.open(QIODevice::Append))
            return;
        for (const QString &uri : uris)
            file.write((method + QLatin1Char(' ') + uri + QLatin1Char('\n')).toUtf8());
    }

    QString record;
};

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: trovia_fake_filemanager RECORD-FILE\n");
        return 2;
    }
    QObject service;
    new FileManagerAdaptor(&service, QString::fromLocal8Bit(argv[1]));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &service) ||
        !bus.registerService(QStringLiteral("org.freedesktop.FileManager1"))) {
        std::fprintf(stderr, "trovia_fake_filemanager: %s\n",
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    return application.exec();
}

#include "FakeFileManager.moc"
