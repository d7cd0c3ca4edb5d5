#pragma once

#include "platform/WindowSystem.h"

#include <QByteArrayList>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QWindow>

// The desktop's side of Trovia's windows: records every request and answers as the test sets.
class FakeWindowSystem : public WindowSystem
{
public:
    struct Activation {
        QPointer<QWindow> window;
        quint32 timestamp;
    };

    void showOnAllDesktops(QWindow *window) override { onAllDesktops << window; }
    void skipTaskbarAndPager(QWindow *window) override { outOfTaskbar << window; }
    bool lacksFrameExtents(QWindow *) override { return noFrameExtents; }
    bool placeOnSway(QWindow *, const QPoint &) override { return false; }
    void activate(QWindow *window, quint32 timestamp) override
    {
        activations << Activation{window, timestamp};
        if (window)
            window->requestActivate();
    }
    quint32 startupTimestamp(const QByteArray &startupId) override
    {
        return startupTimes.value(startupId);
    }
    void completeStartup(const QByteArray &startupId) override { completed << startupId; }

    bool noFrameExtents = false;
    QHash<QByteArray, quint32> startupTimes;
    QList<QPointer<QWindow>> onAllDesktops;
    QList<QPointer<QWindow>> outOfTaskbar;
    QList<Activation> activations;
    QByteArrayList completed;
};
