#pragma once

#include "FakeDBusService.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QVariantMap>

// A D-Bus activatable application on the test's session bus, as the desktop entry's id names it:
// the platform data of each Activate it is sent.
class ActivatableApplication : public FakeDBusService
{
public:
    using FakeDBusService::FakeDBusService;

    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        if (message.interface() != QLatin1String("org.freedesktop.Application") ||
            message.member() != QLatin1String("Activate") || message.arguments().isEmpty())
            return false;
        activations << qdbus_cast<QVariantMap>(message.arguments().first());
        connection.send(message.createReply());
        return true;
    }

    QList<QVariantMap> activations;
};
