#include "presentation/TroviaProgressIndicator.h"

#include <QPainter>
#include <QTimerEvent>

namespace
{
constexpr int stepsPerTurn = 12;
constexpr int stepInterval = 80; // milliseconds
} // namespace

TroviaProgressIndicator::TroviaProgressIndicator(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TroviaProgressIndicator::startAnimation()
{
    if (timer.isActive())
        return;
    step = 0;
    timer.start(stepInterval, this);
    // The catalogue is built without returning to the event loop: show the first frame now.
    repaint();
}

void TroviaProgressIndicator::stopAnimation()
{
    timer.stop();
    update();
}

void TroviaProgressIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::Base));
    // A disc centred in whatever room the layout gives.
    const int diameter = qMin(width(), height());
    QRectF disc(0, 0, diameter, diameter);
    disc.moveCenter(QRectF(rect()).center());
    painter.drawEllipse(disc);
    if (!isAnimating())
        return;

    const qreal inset = qMax(2.0, diameter / 6.0);
    QPen pen(palette().color(QPalette::Text), qMax(1.5, inset * 0.75));
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const int start = -step * (360 / stepsPerTurn) * 16;
    painter.drawArc(disc.adjusted(inset, inset, -inset, -inset), start, 270 * 16);
}

void TroviaProgressIndicator::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != timer.timerId())
        return QWidget::timerEvent(event);
    step = (step + 1) % stepsPerTurn;
    update();
}
