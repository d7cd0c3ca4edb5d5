#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QLockFile>
#include <QObject>
#include <memory>

// One Trovia per user: the first copy holds a lock in $XDG_RUNTIME_DIR and answers on the session
// bus as org.trovia.Trovia; a later start asks it to toggle, with the activation token it was
// started with, and exits. Two copies would overwrite each other's usage log.
class SingleInstance : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.trovia.Trovia")
public:
    static constexpr const char *serviceName = "org.trovia.Trovia";

    // directory: where the lock lives; the user's runtime folder when empty.
    explicit SingleInstance(const QString &directory = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the one Trovia of the user; needs no application object.
    bool acquire();
    // Answers the requests of later starts; call once the application object exists.
    bool listen(QDBusConnection bus = QDBusConnection::sessionBus());

    // Asks the running Trovia to toggle; false when none answers within timeoutMs. fromBinding:
    // the request comes from "trovia --toggle", which the user runs from a key binding.
    static bool requestToggle(const QByteArray &activationToken, int timeoutMs = 5000,
                              QDBusConnection bus = QDBusConnection::sessionBus(),
                              bool fromBinding = false);

    // DESKTOP_STARTUP_ID or XDG_ACTIVATION_TOKEN of this process, empty when it has none.
    static QByteArray activationTokenFromEnvironment();

public Q_SLOTS:
    // The request of a later start; token is empty when it had none.
    Q_SCRIPTABLE void Toggle(const QString &token);
    // The same from "trovia --toggle".
    Q_SCRIPTABLE void ToggleFromBinding(const QString &token);

Q_SIGNALS:
    void toggleRequested(const QByteArray &activationToken, bool fromBinding);

private:
    QString directory;
    std::unique_ptr<QLockFile> lock;
    bool listening = false;
};
