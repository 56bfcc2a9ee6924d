#pragma once
// One archive entry unpacked into memory for a header read: both archive-page runs empty their buffer,
// unpack the entry into it and read it from the start.

#include "archive/ZipReader.h"

#include <QBuffer>

namespace vx::archive {

// Closes the buffer and drops its data, keeping its memory for the next entry (up to a bound).
void EmptyBuffer(QBuffer &buffer);

// Empties buffer, unpacks the entry of table row index into it and rewinds it. False when the user
// cancelled the password dialog; the buffer is empty then. Throws what the reader throws (EZipError),
// with the buffer left empty.
bool UnpackEntryInto(vx::zip::ZipReader &reader, int index, QBuffer &buffer);

} // namespace vx::archive
