#include "presentation/Shading.h"

#include "core/SurfaceStyle.h"

#include <QColor>
#include <QPaintDevice>
#include <QPainter>
#include <QSizeF>
#include <cmath>

namespace
{

// Where the matte veil turns from black to white.
constexpr float fulcrum = 0.4f;
constexpr int componentCount = 4; // red, green, blue, alpha

using ShadingEvaluator = void (*)(int, const float *, float *);

ShadingEvaluator evaluatorForStyle(int style)
{
    switch (style) {
    case MatteStyle:
        return calculateMatteShadingValues;
    case ShinyStyle:
        return calculateShinyShadingValues;
    default:
        return nullptr;
    }
}

} // namespace

void calculateMatteShadingValues(int count, const float *in, float *out)
{
    const float t = in[0];
    const float color = t < fulcrum ? 0.0f : 1.0f;
    for (int i = 0; i < count - 1; ++i)
        out[i] = color;

    const double wide = t;
    float alpha = 0.2f;
    if (wide > 0.97) {
        alpha = 0.4f;
    } else if (wide >= 0.03) {
        const float distance = std::fabs((t - fulcrum) / fulcrum);
        alpha = static_cast<float>(t < fulcrum ? distance * 0.08 : distance * 0.15);
    }
    out[count - 1] = alpha;
}

void calculateShinyShadingValues(int count, const float *in, float *out)
{
    const float t = in[0];
    const float color = std::round(t);
    for (int i = 0; i < count - 1; ++i)
        out[i] = color;

    const double wide = t;
    out[count - 1] = static_cast<float>(wide >= 0.5 ? (wide - 0.3) * 0.4 : wide * 0.11);
}

void drawShading(QPainter &painter, const QSizeF &size, int style)
{
    const ShadingEvaluator evaluate = evaluatorForStyle(style);
    if (!evaluate || size.isEmpty())
        return;

    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const int rows = qMax(1, qRound(size.height() * ratio));
    const qreal rowHeight = size.height() / rows;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 0; row < rows; ++row) {
        // Rows count from the top; t grows from the bottom edge.
        const float t = (static_cast<float>(rows - row) - 0.5f) / static_cast<float>(rows);
        float values[componentCount];
        evaluate(componentCount, &t, values);
        if (values[3] <= 0.0f)
            continue;
        painter.fillRect(QRectF(0.0, row * rowHeight, size.width(), rowHeight),
                         QColor::fromRgbF(values[0], values[1], values[2], values[3]));
    }
    painter.restore();
}
