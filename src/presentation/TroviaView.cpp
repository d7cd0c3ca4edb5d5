#include "presentation/TroviaView.h"

#include "presentation/Shading.h"

#include <QPainter>

TroviaView::TroviaView(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::OpenHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TroviaView::setBackgroundColor(const QColor &color)
{
    fillColor = color;
    update();
}

void TroviaView::setSurfaceStyle(int surfaceStyle)
{
    style = surfaceStyle;
    update();
}

void TroviaView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Without a colour of its own the surface still covers the window, in the theme's colour.
    painter.fillRect(rect(), fillColor.isValid() ? fillColor : palette().color(QPalette::Window));
    drawShading(painter, size(), style);
}
