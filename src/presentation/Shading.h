#pragma once

class QPainter;
class QSizeF;

// The veil of black and white that gives the main view its matte or shiny look. An evaluator takes
// the position t (0 at the bottom edge, 1 at the top) and writes count values: count - 1 colour
// components, then the alpha.
void calculateMatteShadingValues(int count, const float *in, float *out);
void calculateShinyShadingValues(int count, const float *in, float *out);

// Paints the shading of style (1 matte, 2 shiny; any other draws nothing) over the area (0, 0,
// size): one value per device-pixel row, taken at the row's centre, so the edges stay sharp at
// every scale.
void drawShading(QPainter &painter, const QSizeF &size, int style);
