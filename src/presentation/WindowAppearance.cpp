#include "presentation/WindowAppearance.h"

#include "presentation/TroviaView.h"

#include <QLabel>

namespace WindowAppearance
{

double luma(float red, float green, float blue)
{
    return 0.3 * red + 0.59 * green + 0.11 * blue;
}

QColor labelTextColor(const QColor &windowColor)
{
    // QColor keeps 16 bits a component, so a colour made as 0.55 grey (the default "Medium Gray")
    // reads back a hair darker; half a step of that precision lets the rule see it as it was made.
    constexpr double halfStep = 0.5 / 65535.0;
    const QColor rgb = windowColor.toRgb();
    return luma(rgb.redF(), rgb.greenF(), rgb.blueF()) + halfStep >= 0.55 ? QColor(Qt::black)
                                                                          : QColor(Qt::white);
}

void apply(TroviaView *view, QLabel *label, const QColor &windowColor, int surfaceStyle)
{
    if (view) {
        if (windowColor.isValid())
            view->setBackgroundColor(windowColor.toRgb());
        view->setSurfaceStyle(surfaceStyle);
    }
    if (!label)
        return;
    QColor shown = windowColor;
    if (!shown.isValid() && view)
        shown = view->backgroundColor().isValid() ? view->backgroundColor()
                                                  : view->palette().color(QPalette::Window);
    if (!shown.isValid())
        return;
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, labelTextColor(shown));
    label->setPalette(palette);
}

} // namespace WindowAppearance
