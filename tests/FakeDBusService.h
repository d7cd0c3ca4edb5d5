#pragma once

#include <QDBusConnection>
#include <QDBusVirtualObject>

// A service of the test's session bus (its name, and every object under path), on a connection of
// its own so that calls to it really travel the bus. Subclasses answer in handleMessage().
class FakeDBusService : public QDBusVirtualObject
{
public:
    FakeDBusService(const QString &serviceName, const QString &objectPath)
        : bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, serviceName)),
          service(serviceName), path(objectPath)
    {
    }
    ~FakeDBusService() override
    {
        bus.unregisterService(service);
        bus.unregisterObject(path, QDBusConnection::UnregisterTree);
        QDBusConnection::disconnectFromBus(service);
    }

    bool start()
    {
        return bus.registerVirtualObject(path, this, QDBusConnection::SubPath) &&
               bus.registerService(service);
    }
    QString introspect(const QString &) const override { return {}; }

    QDBusConnection bus;

private:
    const QString service;
    const QString path;
};
