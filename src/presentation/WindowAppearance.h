#pragma once

#include <QColor>

class QLabel;
class TroviaView;

// The window colour and style applied to the main view, and the label's text colour chosen to
// read well on that colour.
namespace WindowAppearance
{

// 0.3 red + 0.59 green + 0.11 blue, summed in double precision.
double luma(float red, float green, float blue);

// Black text on colours of luma 0.55 and above, white text below.
QColor labelTextColor(const QColor &windowColor);

// Gives view the colour (as RGB) and the style, and label the matching text colour. An invalid
// colour leaves the view's colour as it is.
void apply(TroviaView *view, QLabel *label, const QColor &windowColor, int surfaceStyle);

} // namespace WindowAppearance
