#include "core/NotificationCenter.h"

NotificationCenter &NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

void NotificationCenter::post(const QString &name)
{
    Q_EMIT posted(name);
}

QMetaObject::Connection NotificationCenter::addObserver(const QString &name, const QObject *context,
                                                        std::function<void()> handler)
{
    return connect(
        this, &NotificationCenter::posted, context,
        [name, handler = std::move(handler)](const QString &postedName) {
            if (postedName == name)
                handler();
        },
        Qt::DirectConnection);
}
