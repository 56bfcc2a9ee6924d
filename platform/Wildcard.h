#pragma once
// Wildcard masks over a whole name: "*" any run of characters, "?" any one character, letter case
// ignored.

#include <QString>

namespace vx {

// Iterative with one backtrack point, so a mask of many stars costs at most length(mask) × length(text).
bool wildcardMatch(const QString &mask, const QString &text);

} // namespace vx
