#include "presentation/ListGeometry.h"

namespace
{
// The name column starts a little left of the field's text, the icon column left of that.
constexpr float X_OFFSET = 8.0f;
constexpr float ICON_WIDTH = 16.0f;
} // namespace

TroviaRect listFrame(const TroviaRect &mainFrame, const TroviaRect &fieldFrame, int rowCount,
                     const ListRowMetrics &rows, qint64 maximumListHeight, const TroviaRect &screen)
{
    qint64 visibleRows =
        qMin<qint64>(qBound(fewestListRows, maximumListHeight, mostListRows), qMax(rowCount, 0));
    const auto heightFor = [&rows](qint64 count) {
        const float n = static_cast<float>(count);
        return n * rows.rowHeight + (n + 1.0f) * rows.spacingHeight;
    };

    TroviaRect frame;
    frame.width = fieldFrame.width - X_OFFSET + ICON_WIDTH + rows.spacingWidth;
    frame.height = heightFor(visibleRows);
    frame.x = mainFrame.x + fieldFrame.x + X_OFFSET - ICON_WIDTH - rows.spacingWidth;

    const float fieldBottom = mainFrame.y + fieldFrame.y;
    const float fieldTop = fieldBottom + fieldFrame.height;
    const float roomBelow = fieldBottom - screen.y;
    const float roomAbove = screen.y + screen.height - fieldTop;
    bool below = frame.height <= roomBelow;
    if (!below && frame.height > roomAbove) {
        below = roomBelow > roomAbove;
        const float room = qMax(roomBelow, roomAbove) - rows.spacingHeight;
        const float perRow = rows.rowHeight + rows.spacingHeight;
        const qint64 fitting = perRow > 0.0f ? static_cast<qint64>(room / perRow) : visibleRows;
        visibleRows = qBound<qint64>(qMin<qint64>(1, visibleRows), fitting, visibleRows);
        frame.height = heightFor(visibleRows);
    }
    frame.y = below ? fieldBottom - frame.height : fieldTop;
    return frame;
}
