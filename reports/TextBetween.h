#pragma once
// The text between two delimiters. The technical-data reports use it to split a "W,H" resolution text
// back into its width and height.

#include <QString>

namespace vx::reports {

// Starts just behind the first occurrence of opening (at the text's start when opening is empty or absent).
// Ends just in front of the first occurrence of closing, searched from the text's start (at the text's end
// when closing is empty). When closing is given but absent, or only occurs before the start, the result is
// empty.
QString TextBetween(const QString &text, const QString &opening, const QString &closing);

} // namespace vx::reports
