#pragma once
// How a list is written into the results window and how the window counts its lines.

#include <QStringList>

namespace vx::reports {

// One entry per line, each ended by a line break, as a memo holds lines added one by one.
QString ResultText(const QStringList &lines);

// The number of lines of text, where a final empty line (the one behind the last line break) is not
// counted: "A\nB\n" has 2 lines, "A\nB" too, "" has none.
int ResultLineCount(const QString &text);

} // namespace vx::reports
