#include "presentation/TroviaWindow.h"

#include "core/Logging.h"
#include "platform/WindowSystem.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cmath>

using namespace ScreenCoordinates;

TroviaWindow::TroviaWindow(WindowSystem &windowSystem, const TroviaRect &contentRect,
                           QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), windows(windowSystem)
{
    setWindowTitle(QStringLiteral("Trovia"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setGeometry(toQt(contentRect));
    // The window's screen changes when it is dragged across, or when its screen goes away.
    winId();
    connect(windowHandle(), &QWindow::screenChanged, this, &TroviaWindow::screenChanged);
}

TroviaWindow::~TroviaWindow()
{
    endDrag();
}

void TroviaWindow::setContentView(QWidget *view)
{
    if (content == view)
        return;
    delete content;
    content = view;
    if (!view)
        return;
    const QSize viewSize = view->size();
    layout()->addWidget(view);
    // A fixed size also tells tiling window managers (i3, sway) to float the window.
    setFixedSize(viewSize);
}

TroviaRect TroviaWindow::frame() const
{
    return fromQt(frameGeometry());
}

void TroviaWindow::setFrameOrigin(const TroviaPoint &origin)
{
    placement.reset();
    move(topLeftForOrigin(origin, frameGeometry().height()));
    keepPlaceOnSway(topLeftForOrigin(origin, frameGeometry().height()));
}

void TroviaWindow::ensureOnScreen()
{
    if (screenForFrame(frameGeometry()))
        return;
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    placement.reset();
    QRect centred = frameGeometry();
    centred.moveCenter(primary->availableGeometry().center());
    move(centred.topLeft());
    keepPlaceOnSway(centred.topLeft());
}

TroviaPoint TroviaWindow::locationInWindow(const QPointF &position) const
{
    return {static_cast<float>(position.x()), static_cast<float>(height() - position.y())};
}

void TroviaWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    if (!dragging)
        QGuiApplication::setOverrideCursor(Qt::ClosedHandCursor);
    dragging = true;
    dragStartLocation = locationInWindow(event->position());
}

void TroviaWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragging || !(event->buttons() & Qt::LeftButton))
        return;
    const TroviaRect window = frame();
    // The mouse's place on the screen, W + P, taken from the event itself: on X11 the window
    // system may not have placed the window where the last move asked yet, so the event's
    // position in the window would count that move twice.
    const TroviaPoint mouse = pointFromQt(event->globalPosition());

    TroviaPoint origin{mouse.x - dragStartLocation.x, mouse.y - dragStartLocation.y};
    // The top edge stays below the top of the visible area; the other sides are free.
    if (const QScreen *screen = screenForFrame(frameGeometry())) {
        const TroviaRect visible = visibleFrame(screen);
        const double top = double(visible.y) + visible.height;
        origin.y = static_cast<float>(std::min(double(origin.y), top - window.height));
    }
    setFrameOrigin(origin);
}

void TroviaWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        endDrag();
}

void TroviaWindow::endDrag()
{
    if (!dragging)
        return;
    dragging = false;
    QGuiApplication::restoreOverrideCursor();
}

void TroviaWindow::moveEvent(QMoveEvent *event)
{
    // A window manager that tells no frame extents (i3) may map the frameless window offset by
    // the title bar it does not get: it is asked once more for the place it was given. Managers
    // that tell them place it right, and a later move there is the user's.
    if (const std::optional<QPoint> asked = std::exchange(placement, std::nullopt);
        asked && !dragging && pos() != *asked && windows.lacksFrameExtents(windowHandle())) {
        move(*asked);
        return;
    }
    QWidget::moveEvent(event);
    windowMoved();
    Q_EMIT moved();
}

void TroviaWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Q_EMIT resized();
}

void TroviaWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    windows.showOnAllDesktops(windowHandle());
    // A launcher, not a task to switch to.
    windows.skipTaskbarAndPager(windowHandle());
    placement = pos();
    keepPlaceOnSway(pos());
}

void TroviaWindow::keepPlaceOnSway(const QPoint &topLeft)
{
    if (!qEnvironmentVariableIsSet("SWAYSOCK"))
        return;
    if (!swayPlacement) {
        swayPlacement = new QTimer(this);
        swayPlacement->setInterval(20);
        connect(swayPlacement, &QTimer::timeout, this, [this] {
            // About a second for sway to map the window; a hidden window has no place to keep.
            if (!isVisible() || windows.placeOnSway(windowHandle(), swayTarget) ||
                ++swayAttempts >= 50)
                swayPlacement->stop();
        });
    }
    swayTarget = topLeft;
    swayAttempts = 0;
    swayPlacement->start();
}

void TroviaWindow::hideEvent(QHideEvent *event)
{
    // A window hidden in the middle of a drag gets no release.
    endDrag();
    QWidget::hideEvent(event);
}

void TroviaWindow::windowMoved()
{
    const Qt::KeyboardModifiers modifiers = QGuiApplication::keyboardModifiers();
    if (modifiers & (Qt::ShiftModifier | Qt::AltModifier))
        return;
    if (!snapsToEdges() || snapping.underway)
        return;
    const QScreen *screen = screenForFrame(frameGeometry());
    if (!screen)
        return;

    snapping.underway = true;
    TroviaRect window = frame();
    TroviaPoint origin = window.origin();
    const TroviaRect visible = visibleFrame(screen);
    const float tolerance = snapTolerance();
    // Each test sees the origin as the tests before it left it.
    if (tolerance > std::fabs(origin.x - visible.x))
        springCoordinate(origin.x, visible.x, origin);
    if (tolerance > std::fabs(origin.y - visible.y))
        springCoordinate(origin.y, visible.y, origin);
    if (tolerance > std::fabs((visible.x + visible.width) - (origin.x + window.width)))
        springCoordinate(origin.x, visible.x + visible.width - window.width, origin);
    if (tolerance > std::fabs((visible.y + visible.height) - (origin.y + window.height)))
        springCoordinate(origin.y, visible.y + visible.height - window.height, origin);
    snapping.underway = false;
}

void TroviaWindow::springCoordinate(float &coordinate, float value, TroviaPoint &origin)
{
    coordinate = value;
    setFrameOrigin(origin);
}

void TroviaWindow::screenChanged()
{
    qCWarning(lcPresentation).noquote() << QStringLiteral("window changed screen.");
    ensureOnScreen();
}
