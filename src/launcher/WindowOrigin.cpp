#include "launcher/WindowOrigin.h"

#include <cmath>

bool containsRect(const TroviaRect &outer, const TroviaRect &inner)
{
    if (inner.width <= 0.0f || inner.height <= 0.0f)
        return false;
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

TroviaPoint initialWindowOrigin(const std::optional<TroviaPoint> &saved, float width, float height,
                                const QList<TroviaRect> &visibleFrames,
                                const TroviaRect &mainScreenFrame,
                                const TroviaRect &mainVisibleFrame)
{
    if (saved) {
        const TroviaRect window{saved->x, saved->y, width, height};
        for (const TroviaRect &visible : visibleFrames) {
            if (containsRect(visible, window))
                return *saved;
        }
    }
    return {std::round((mainScreenFrame.width - width) * 0.5f),
            std::round(mainVisibleFrame.y + mainVisibleFrame.height - height)};
}
