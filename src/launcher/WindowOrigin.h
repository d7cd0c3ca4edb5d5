#pragma once

#include "presentation/ScreenCoordinates.h"

#include <QList>
#include <optional>

// Where the main window opens, in Trovia's coordinates: the saved origin when a window of size
// (width, height) there lies wholly inside one screen's visible frame (edges may touch); else
// centred on the main screen's width from x = 0, its top edge on the top of the visible frame.
TroviaPoint initialWindowOrigin(const std::optional<TroviaPoint> &saved, float width, float height,
                                const QList<TroviaRect> &visibleFrames,
                                const TroviaRect &mainScreenFrame,
                                const TroviaRect &mainVisibleFrame);

// Whether inner lies wholly inside outer, edges included; an empty inner lies nowhere.
bool containsRect(const TroviaRect &outer, const TroviaRect &inner);
