#pragma once
// The resolution texts of the technical data ("W,H", width first) and the order in which the report
// picks its lowest and highest entry.
//
// The order reads each text as a decimal number with the comma as its decimal mark: the width is the
// integer part and the height's digits are the fraction (1600,1200 -> 1600.12, 1600,900 -> 1600.9).
// It is neither a pixel count nor a numeric order of heights, but the range that users paste into their
// posts has always been built this way, so 1600x1200 sorts before 1600x900.

#include <QString>
#include <QStringList>

#include <optional>

namespace vx::reports {

// Photos whose frame header claims a side of this many pixels or more add no resolution: a file without
// a frame header yields a marker code (65280 and up) and a segment length in their place.
inline constexpr int ResolutionLimit = 20000;

// "W,H" for a size under the limit on both sides; nothing otherwise (negative sides included).
std::optional<QString> ResolutionText(int width, int height);

// The sort key of a "W,H" text, read with "," as the decimal mark whatever the locale says.
// Text that is not a number gives 0.
double ResolutionSortKey(const QString &text);

// Sorts by ascending key; texts with equal keys keep their list order.
void SortResolutions(QStringList &texts);

} // namespace vx::reports
