#pragma once
// The last part of a folder path, which the set lists use as a set's name.

#include <QString>

namespace vx::reports {

// The text behind the last separator that is not the final character, so a final separator stays in the
// result ("/Photos/SetA/" gives "SetA/"). A drive root gives an empty result (on Windows every text
// under 4 characters, on Linux "/" only); a text with no separator before its final character is
// returned whole.
QString LastPathPart(const QString &path);

} // namespace vx::reports
