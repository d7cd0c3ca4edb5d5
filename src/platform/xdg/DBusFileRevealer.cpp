#include "platform/xdg/DBusFileRevealer.h"

#include "core/Logging.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QFileInfo>

namespace
{
void openEnclosingFolder(const QUrl &url)
{
    const QUrl folder = QUrl::fromLocalFile(QFileInfo(url.toLocalFile()).absolutePath());
    if (!QDesktopServices::openUrl(folder))
        qCWarning(lcPlatform).noquote() << QStringLiteral("Cannot show %1.").arg(url.toString());
}
} // namespace

void DBusFileRevealer::reveal(const QUrl &url)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openEnclosingFolder(url);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{url.toString()} << QString();
    // The reply may come after Trovia has hidden itself; only an error needs an answer.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [url](QDBusPendingCallWatcher *finished) {
                         if (finished->isError())
                             openEnclosingFolder(url);
                         finished->deleteLater();
                     });
}
