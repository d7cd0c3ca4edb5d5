#include "SingleInstance.h"

#include "SystemLog.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace
{

const QByteArray togglePrefix = QByteArrayLiteral("toggle");

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

QString SingleInstance::socketPath() const
{
    return directory + QStringLiteral("/trovia.socket");
}

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
        systemLog(QStringLiteral("Cannot create %1.").arg(directory));
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

bool SingleInstance::listen()
{
    if (!lock || server)
        return server != nullptr;
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(socketPath());
    if (!server->listen(socketPath())) {
        // Still the only Trovia (the lock says so), only unreachable for a second start.
        systemLog(
            QStringLiteral("Cannot listen on %1: %2").arg(socketPath(), server->errorString()));
        return false;
    }
    connect(server, &QLocalServer::newConnection, this, &SingleInstance::readRequest);
    return true;
}

void SingleInstance::readRequest()
{
    while (QLocalSocket *socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A request is one line; it is read once complete, whatever order the bytes arrive in.
        auto handle = [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine(4096).trimmed();
            socket->disconnectFromServer();
            if (line != togglePrefix && !line.startsWith(togglePrefix + ' ')) {
                systemLog(QStringLiteral("Ignored an unknown request to Trovia."));
                return;
            }
            Q_EMIT toggleRequested(line.mid(togglePrefix.size()).trimmed());
        };
        connect(socket, &QLocalSocket::readyRead, this, handle);
        handle();
    }
}

bool SingleInstance::requestToggle(const QByteArray &activationToken, int timeoutMs)
{
    // The running Trovia holds the lock from its first instant but listens only once its
    // application object exists: keep trying for a while.
    QLocalSocket socket;
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    QByteArray request = togglePrefix;
    // A token is one word (startup IDs and activation tokens hold no white space).
    if (!activationToken.isEmpty() && !activationToken.contains(' ') &&
        !activationToken.contains('\n'))
        request += ' ' + activationToken;
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return false;
    // The request counts as delivered once the running Trovia has read it and hung up.
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(int(deadline.remainingTime()));
    return true;
}
