#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QObject>
#include <memory>

class QLocalServer;

// One Trovia per user: the first copy holds a lock in $XDG_RUNTIME_DIR and listens on a local
// socket beside it; a later start sends it a toggle request, with the activation token it was
// started with, and exits. Two copies would overwrite each other's usage log.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // directory: where the lock and the socket live; the user's runtime folder when empty.
    explicit SingleInstance(const QString &directory = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the one Trovia of the user; needs no application object.
    bool acquire();
    // Listens for requests of later starts; call once the application object exists.
    bool listen();

    // Asks the running Trovia to toggle; false when none answers within timeoutMs.
    bool requestToggle(const QByteArray &activationToken, int timeoutMs = 5000);

    QString socketPath() const;

    // DESKTOP_STARTUP_ID or XDG_ACTIVATION_TOKEN of this process, empty when it has none.
    static QByteArray activationTokenFromEnvironment();

Q_SIGNALS:
    // activationToken is empty when the requester had none.
    void toggleRequested(const QByteArray &activationToken);

private:
    void readRequest();

    QString directory;
    std::unique_ptr<QLockFile> lock;
    QLocalServer *server = nullptr;
};
