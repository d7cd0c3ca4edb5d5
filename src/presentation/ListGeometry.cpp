#include "ListGeometry.h"

namespace
{
// The name column starts a little left of the field's text, the icon column left of that.
constexpr float X_OFFSET = 8.0f;
constexpr float ICON_WIDTH = 16.0f;
} // namespace

TroviaRect listFrame(const TroviaRect &mainFrame, const TroviaRect &fieldFrame, int rowCount,
                     const ListRowMetrics &rows, qint64 maximumListHeight)
{
    // A negative maximum would give a negative height: show no rows instead.
    const qint64 visibleRows = qMax<qint64>(0, qMin<qint64>(maximumListHeight, rowCount));
    const float n = static_cast<float>(visibleRows);

    TroviaRect frame;
    frame.width = fieldFrame.width - X_OFFSET + ICON_WIDTH + rows.spacingWidth;
    frame.height = n * rows.rowHeight + (n + 1.0f) * rows.spacingHeight;
    frame.x = mainFrame.x + fieldFrame.x + X_OFFSET - ICON_WIDTH - rows.spacingWidth;
    frame.y = mainFrame.y + fieldFrame.y - frame.height;
    if (frame.y < 0.0f)
        frame.y = mainFrame.y + fieldFrame.y + fieldFrame.height;
    return frame;
}
