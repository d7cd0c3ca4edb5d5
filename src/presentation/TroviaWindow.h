#pragma once

#include "presentation/ScreenCoordinates.h"

#include <QTimer>
#include <QWidget>
#include <optional>

class WindowSystem;

// Trovia's main window: frameless, shown on every virtual desktop, with the shadow the desktop
// gives such windows. It moves by a drag anywhere on its surface (outside the field), and every
// move, by a drag or otherwise, snaps its edges onto the edges of its screen's visible area when
// they come closer than snapTolerance. Holding Shift or Alt turns snapping off for that move; a
// drag never lifts the top edge above the visible area.
class TroviaWindow : public QWidget
{
    Q_OBJECT

public:
    // contentRect is in Trovia's coordinates (origin at the primary screen's lower left);
    // windowSystem gives the hints and the place Qt has no API for.
    explicit TroviaWindow(WindowSystem &windowSystem, const TroviaRect &contentRect = {},
                          QWidget *parent = nullptr);
    ~TroviaWindow() override;

    // Takes view as the whole content; the window takes its size.
    void setContentView(QWidget *view);
    QWidget *contentView() const { return content; }

    TroviaRect frame() const;
    void setFrameOrigin(const TroviaPoint &origin);

    bool snapsToEdges() const { return snapping.enabled; }
    void setSnapsToEdges(bool snaps) { snapping.enabled = snaps; }
    float snapTolerance() const { return snapping.tolerance; }
    void setSnapTolerance(float tolerance) { snapping.tolerance = tolerance; }

    // Centres the window on the primary screen when it lies on no screen.
    void ensureOnScreen();

    WindowSystem &windowSystem() const { return windows; }

Q_SIGNALS:
    // After every move, once the snapping is done.
    void moved();
    void resized();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void windowMoved();
    void springCoordinate(float &coordinate, float value, TroviaPoint &origin);
    void endDrag();
    void screenChanged();
    TroviaPoint locationInWindow(const QPointF &position) const;
    void keepPlaceOnSway(const QPoint &topLeft);

    WindowSystem &windows;
    QWidget *content = nullptr;
    struct {
        bool enabled = true;
        float tolerance = 10.0f;
        bool underway = false;
    } snapping;
    bool dragging = false;
    TroviaPoint dragStartLocation;
    // Where the window was to be mapped, until the window manager has placed it.
    std::optional<QPoint> placement;
    // sway places floating X11 windows itself: the place Trovia chose is asked for over its IPC,
    // again until sway knows the window.
    QTimer *swayPlacement = nullptr;
    QPoint swayTarget;
    int swayAttempts = 0;
};
