#pragma once

#include <QObject>
#include <QString>
#include <functional>

// Trovia's notifications by name. Delivery is synchronous: every observer has run when post
// returns.
class NotificationCenter : public QObject
{
    Q_OBJECT
public:
    static NotificationCenter &defaultCenter();

    void post(const QString &name);

    // Calls handler for every post of name until context is destroyed.
    QMetaObject::Connection addObserver(const QString &name, const QObject *context,
                                        std::function<void()> handler);

Q_SIGNALS:
    void posted(const QString &name);
};
