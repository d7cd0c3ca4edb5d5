#include "presentation/ScreenCoordinates.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace
{

QRect primaryGeometry()
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry() : QRect();
}

// Bottom edge of the primary screen in Qt's coordinates; x() + width() style, never bottom().
int primaryBottom()
{
    const QRect primary = primaryGeometry();
    return primary.y() + primary.height();
}

int toInt(float value)
{
    return static_cast<int>(std::lround(value));
}

} // namespace

namespace ScreenCoordinates
{

TroviaRect fromQt(const QRect &rect)
{
    return {static_cast<float>(rect.x() - primaryGeometry().x()),
            static_cast<float>(primaryBottom() - (rect.y() + rect.height())),
            static_cast<float>(rect.width()), static_cast<float>(rect.height())};
}

QRect toQt(const TroviaRect &rect)
{
    const int height = toInt(rect.height);
    return {topLeftForOrigin(rect.origin(), height), QSize(toInt(rect.width), height)};
}

QPoint topLeftForOrigin(const TroviaPoint &origin, int height)
{
    return {toInt(origin.x) + primaryGeometry().x(), primaryBottom() - toInt(origin.y) - height};
}

TroviaPoint pointFromQt(const QPointF &point)
{
    return {static_cast<float>(point.x() - primaryGeometry().x()),
            static_cast<float>(primaryBottom() - point.y())};
}

TroviaRect withinView(const QRect &childGeometry, int viewHeight)
{
    return {static_cast<float>(childGeometry.x()),
            static_cast<float>(viewHeight - (childGeometry.y() + childGeometry.height())),
            static_cast<float>(childGeometry.width()), static_cast<float>(childGeometry.height())};
}

QScreen *screenForFrame(const QRect &frame)
{
    QScreen *best = nullptr;
    qint64 bestArea = 0;
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (QScreen *screen : screens) {
        const QRect common = screen->geometry().intersected(frame);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best;
}

TroviaRect visibleFrame(const QScreen *screen)
{
    return screen ? fromQt(screen->availableGeometry()) : TroviaRect();
}

} // namespace ScreenCoordinates
