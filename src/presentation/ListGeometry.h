#pragma once

#include "ScreenCoordinates.h"

#include <QtGlobal>

// The table's row metrics: the height of a row and the spacing around cells (between columns,
// between rows).
struct ListRowMetrics {
    float rowHeight = 0.0f;
    float spacingWidth = 0.0f;
    float spacingHeight = 0.0f;
};

// The result list's frame in Trovia's coordinates: as many rows as match, at most
// maximumListHeight, right edge on the field's right edge, top edge on the field's bottom edge -
// or, when that would reach below the screen coordinate 0, bottom edge on the field's top edge.
// fieldFrame is in the main window's coordinates (origin at its lower left).
TroviaRect listFrame(const TroviaRect &mainFrame, const TroviaRect &fieldFrame, int rowCount,
                     const ListRowMetrics &rows, qint64 maximumListHeight);
