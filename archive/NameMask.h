#pragma once
// Name masks of the listing and extraction searches: "*" any run, "?" any one character, case ignored.

#include <QString>

namespace vx::zip {

// The mask as the searches use it: a drive ("C:") or network-share ("\\server\share\") prefix removed,
// every "\" turned into "/", and "*.*" taken as "*" (it must also match names without a dot).
QString normalizeMask(const QString &mask);

bool hasWildcards(const QString &mask);

// Case-insensitive wildcard match of a whole text. Iterative with one backtrack point, so a mask of many
// stars costs at most length(mask) × length(text), never more.
bool wildcardMatch(const QString &mask, const QString &text);

// The part of an entry name after its last "\", "/" or ":".
QString fileNamePartOf(const QString &name);

// An entry matches when its name (one trailing separator removed) or its file-name part matches.
bool entryMatchesMask(const QString &normalizedMask, const QString &entryName);

} // namespace vx::zip
