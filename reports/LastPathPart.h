#pragma once
// The last part of a folder path, which the set lists use as a set's name.

#include <QString>

namespace vx::reports {

// The text behind the last separator that is not the final character, so a final separator stays in the
// result ("/Photos/SetA/" gives "SetA/"). Texts under 4 characters give an empty result; a longer text
// with no separator before its final character is returned whole.
QString LastPathPart(const QString &path);

} // namespace vx::reports
