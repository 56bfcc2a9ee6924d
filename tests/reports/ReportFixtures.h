#pragma once
// Photos the report tests need beyond plain JPEGs of a size: headers that claim sizes too large to encode,
// files damaged at a known place, a file that is not a JPEG, and a photo the program cannot delete.

#include "tests/support/FileTree.h"

#include <QByteArray>
#include <QString>

namespace vx::test {

// A small baseline JPEG whose frame header is patched to claim width x height; the marker readers see
// that size, nothing else of the file changes.
QByteArray jpegClaimingSize(int width, int height);

// A JPEG cut off inside its header (in its quantisation tables, before any frame header or scan).
QByteArray jpegCutInHeader();

// A JPEG cut off in the middle of its compressed scan data; its header is whole.
QByteArray jpegCutInScanData();

// A PNG picture.
QByteArray pngPicture();

// A named pipe at relative inside the tree (opening it for reading would wait for a writer); its path.
QString namedPipe(FileTree &tree, const QString &relative);

// A file path that exists but cannot be deleted: a file inside a folder without write permission, or,
// where that does not stop the deletion (running as root), a file of the kernel's read-only /proc.
QString undeletableFile(FileTree &tree);
// Gives the folder made by undeletableFile its permissions back so the tree can be removed.
void releaseUndeletable(FileTree &tree);

} // namespace vx::test
