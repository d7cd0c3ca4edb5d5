#pragma once

// Test helpers around the hot key: a fake desktop service for HotKeyManager's unit tests, a
// notification server on the test's own session bus, and a capture of the system log.

#include "GlobalShortcutBackend.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QStringList>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

// Records every call; answers with the outcome the test sets.
class FakeShortcutBackend : public GlobalShortcutBackend
{
public:
    Registration registerShortcut(quint16 virtualKeyCode, quint32 modifiers) override
    {
        calls << QStringLiteral("register %1 0x%2").arg(virtualKeyCode).arg(modifiers, 0, 16);
        return next;
    }
    void unregisterShortcut() override { calls << QStringLiteral("unregister"); }

    void press(quint32 timestamp) { Q_EMIT activated(timestamp); }
    void answer(Outcome outcome, const QString &detail = {})
    {
        Q_EMIT registrationFinished(outcome, detail);
    }

    Registration next{Outcome::Registered, {}};
    QStringList calls;
};

// org.freedesktop.Notifications on a connection of its own, so that calls to it travel the bus.
class FakeNotificationServer : public QDBusVirtualObject
{
public:
    FakeNotificationServer()
        : bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                            QStringLiteral("fake-notifications")))
    {
    }
    ~FakeNotificationServer() override
    {
        bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-notifications"));
    }

    bool start()
    {
        return bus.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), this) &&
               bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }

    QString introspect(const QString &) const override { return {}; }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.member() != QLatin1String("Notify"))
            return false;
        notifications << message.arguments();
        connection.send(message.createReply(uint(notifications.size())));
        return true;
    }

    QDBusConnection bus;
    QList<QVariantList> notifications; // app_name, replaces_id, icon, summary, body, ...
};

// Collects what is written to standard error (the system log) while it lives.
class StderrCapture
{
public:
    StderrCapture()
    {
        file.open();
        std::fflush(stderr);
        saved = dup(STDERR_FILENO);
        dup2(file.handle(), STDERR_FILENO);
    }
    ~StderrCapture() { restore(); }

    QString text()
    {
        restore();
        QFile read(file.fileName());
        read.open(QIODevice::ReadOnly);
        return QString::fromLocal8Bit(read.readAll());
    }

private:
    void restore()
    {
        if (saved < 0)
            return;
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        saved = -1;
    }

    QTemporaryFile file;
    int saved = -1;
};
