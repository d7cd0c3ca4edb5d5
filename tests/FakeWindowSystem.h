#pragma once

#include "platform/WindowSystem.h"

#include <QByteArrayList>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QWindow>

// The desktop's side of Trovia's windows: records activations and startups, answers as the test
// sets; the hints change nothing.
class FakeWindowSystem : public WindowSystem
{
public:
    struct Activation {
        QPointer<QWindow> window;
        quint32 timestamp;
    };

    void showOnAllDesktops(QWindow *) override {}
    void skipTaskbarAndPager(QWindow *) override {}
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
    QList<Activation> activations;
    QByteArrayList completed;
};
