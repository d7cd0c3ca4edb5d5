#pragma once

#include "presentation/ScreenCoordinates.h"

#include <QtGlobal>

// The table's row metrics: the height of a row and the spacing around cells (between columns,
// between rows).
struct ListRowMetrics {
    float rowHeight = 0.0f;
    float spacingWidth = 0.0f;
    float spacingHeight = 0.0f;
};

// The range of "Maximum List Height" the Preferences offer; a stored value outside it counts as
// its nearer end.
constexpr qint64 fewestListRows = 1;
constexpr qint64 mostListRows = 30;

// The result list's frame in Trovia's coordinates: as many rows as match, at most
// maximumListHeight, right edge on the field's right edge, top edge on the field's bottom edge -
// or, when that would reach below the screen, bottom edge on the field's top edge. When the rows
// fit on neither side, the roomier side shows as many as fit there (at least one).
// fieldFrame is in the main window's coordinates (origin at its lower left); screen is the frame
// of the screen that holds the field.
TroviaRect listFrame(const TroviaRect &mainFrame, const TroviaRect &fieldFrame, int rowCount,
                     const ListRowMetrics &rows, qint64 maximumListHeight,
                     const TroviaRect &screen);
