#include "launcher/SingleInstance.h"

#include "core/Logging.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QStandardPaths>
#include <QThread>

namespace
{

const QString objectPath = QStringLiteral("/org/trovia/Trovia");

QString runtimeDirectory()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/trovia");
}

} // namespace

SingleInstance::SingleInstance(const QString &dir, QObject *parent)
    : QObject(parent), directory(dir.isEmpty() ? runtimeDirectory() : dir)
{
}

SingleInstance::~SingleInstance() = default;

QByteArray SingleInstance::activationTokenFromEnvironment()
{
    QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
    if (token.isEmpty())
        token = qgetenv("DESKTOP_STARTUP_ID");
    return token;
}

bool SingleInstance::acquire()
{
    if (!QDir().mkpath(directory)) {
        qCWarning(lcLauncher).noquote() << QStringLiteral("Cannot create %1.").arg(directory);
        return false;
    }
    QFile::setPermissions(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The lock decides who is first even when two start at once; a dead holder's lock is stale
    // and taken over.
    lock = std::make_unique<QLockFile>(directory + QStringLiteral("/trovia.lock"));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        lock.reset();
        return false;
    }
    return true;
}

bool SingleInstance::listen(QDBusConnection bus)
{
    if (!lock || listening)
        return listening;
    // Still the only Trovia (the lock says so) when this fails, only unreachable for a second
    // start.
    if (!bus.registerObject(objectPath, this, QDBusConnection::ExportScriptableSlots) ||
        !bus.registerService(QString::fromLatin1(serviceName))) {
        qCWarning(lcLauncher).noquote()
            << QStringLiteral("Cannot answer on the session bus as %1: %2")
                   .arg(QString::fromLatin1(serviceName), bus.lastError().message());
        return false;
    }
    listening = true;
    return true;
}

namespace
{
// A token is one word (startup IDs and activation tokens hold no white space).
QByteArray tokenWord(const QString &token)
{
    const QByteArray word = token.toUtf8();
    return word.contains(' ') || word.contains('\n') ? QByteArray() : word;
}
} // namespace

void SingleInstance::Toggle(const QString &token)
{
    Q_EMIT toggleRequested(tokenWord(token), false);
}

void SingleInstance::ToggleFromBinding(const QString &token)
{
    Q_EMIT toggleRequested(tokenWord(token), true);
}

bool SingleInstance::requestToggle(const QByteArray &activationToken, int timeoutMs,
                                   QDBusConnection bus, bool fromBinding)
{
    if (!bus.isConnected())
        return false;
    // The running Trovia holds the lock from its first instant but answers only once its
    // application object exists: keep asking for a while.
    const QDeadlineTimer deadline(timeoutMs);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(serviceName), objectPath, QString::fromLatin1(serviceName),
        fromBinding ? QStringLiteral("ToggleFromBinding") : QStringLiteral("Toggle"));
    call << QString::fromUtf8(activationToken);
    for (;;) {
        const QDBusMessage reply = bus.call(call, QDBus::Block, int(deadline.remainingTime()));
        if (reply.type() == QDBusMessage::ReplyMessage)
            return true;
        if (reply.errorName() != QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
            deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
}
