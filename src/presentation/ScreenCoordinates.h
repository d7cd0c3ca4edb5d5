#pragma once

#include <QPointF>
#include <QRect>

class QScreen;

// Trovia's geometry (window origin, snapping, list placement) is reasoned in screen coordinates
// whose origin is the lower left corner of the primary screen, y growing upwards, in single
// precision. Qt's origin is the top left of the virtual desktop, y growing downwards. Every
// conversion between the two happens here.
struct TroviaPoint {
    float x = 0.0f;
    float y = 0.0f;
};

struct TroviaRect {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    TroviaPoint origin() const { return {x, y}; }
    bool operator==(const TroviaRect &other) const
    {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

namespace ScreenCoordinates
{

// A rectangle of the virtual desktop in Trovia's coordinates, and back.
TroviaRect fromQt(const QRect &rect);
QRect toQt(const TroviaRect &rect);
// The top left corner, in Qt's coordinates, of a window of height whose origin is origin.
QPoint topLeftForOrigin(const TroviaPoint &origin, int height);
// A point of the virtual desktop (such as the mouse's position) in Trovia's coordinates.
TroviaPoint pointFromQt(const QPointF &point);

// A child's frame within a view of viewHeight, origin at the view's lower left corner.
TroviaRect withinView(const QRect &childGeometry, int viewHeight);

// The screen holding the greater part of frame (Qt's coordinates); nullptr when it meets none.
QScreen *screenForFrame(const QRect &frame);
// The screen less panels and docks, in Trovia's coordinates.
TroviaRect visibleFrame(const QScreen *screen);

} // namespace ScreenCoordinates
