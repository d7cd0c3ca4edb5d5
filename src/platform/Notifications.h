#pragma once

#include <QString>
#include <functional>

class QObject;

// Desktop notifications: passing messages the desktop shows outside Trovia's windows.
class Notifications
{
public:
    virtual ~Notifications() = default;

    // Asks the desktop to show summary and body. done(true) follows once it took the notification,
    // done(false) when nothing shows notifications; done is not called after context is destroyed.
    virtual void show(const QString &summary, const QString &body, QObject *context,
                      std::function<void(bool shown)> done) = 0;
};
