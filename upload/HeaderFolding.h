#pragma once
// Request header lines are kept under a length that old servers read in one buffer: a longer line is
// broken at a space, tab or comma outside double quotes and continued on lines that begin with a space.

#include <QByteArray>
#include <QList>

namespace vx::http {

// The pieces of one "Name: value" line, each at most maxLength characters where a break point allows
// it; a piece with no break point in reach stays longer. Trailing spaces of every piece are removed.
QList<QByteArray> foldHeaderLine(const QByteArray &line, int maxLength);

} // namespace vx::http
