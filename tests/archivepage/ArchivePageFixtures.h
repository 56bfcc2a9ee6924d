#pragma once
// Archives for the archive page's tests: JPEG entries of exact sizes (pixels and, where the order of the
// size texts matters, bytes), written with the test ZIP writer into a temporary tree.

#include "tests/support/FileTree.h"
#include "tests/support/ZipWriter.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vx::test {

// A JPEG of width x height; with bytes > 0 it is padded after its end marker to exactly that many bytes.
QByteArray photoBytes(int width, int height, int bytes = 0);

// A stored entry; a name that is not plain ASCII is written as UTF-8 with the UTF-8 flag.
ZipEntrySpec entry(const QString &name, const QByteArray &data);
ZipEntrySpec photoEntry(const QString &name, int width, int height, int bytes = 0);

// Writes the archive at relative inside tree and returns its path.
QString archive(FileTree &tree, const QString &relative, const QList<ZipEntrySpec> &entries);

} // namespace vx::test
