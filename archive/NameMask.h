#pragma once
// Name masks of the listing and extraction searches: "*" any run, "?" any one character, case ignored.

#include "platform/Wildcard.h"

#include <QString>

namespace vx::zip {

// The mask as the searches use it: a drive ("C:") or network-share ("\\server\share\") prefix removed,
// every "\" turned into "/", and "*.*" taken as "*" (it must also match names without a dot).
QString normalizeMask(const QString &mask);

bool hasWildcards(const QString &mask);

using vx::wildcardMatch;

// The part of an entry name after its last "\", "/" or ":".
QString fileNamePartOf(const QString &name);

// An entry matches when its name (one trailing separator removed) or its file-name part matches.
bool entryMatchesMask(const QString &normalizedMask, const QString &entryName);

} // namespace vx::zip
