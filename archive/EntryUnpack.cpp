#include "archive/EntryUnpack.h"

namespace vx::archive {

void EmptyBuffer(QBuffer &buffer)
{
    buffer.close();
    // The memory stays for the next entry: a fresh buffer of several megabytes per entry costs a page
    // fault per 4 KiB of it, which took half of a run's time. Only an unusually large one is given back.
    constexpr qsizetype KeptCapacity = qsizetype(64) << 20;
    QByteArray &bytes = buffer.buffer();
    if (bytes.capacity() > KeptCapacity)
        bytes = QByteArray();
    else
        bytes.resize(0);
}

bool UnpackEntryInto(vx::zip::ZipReader &reader, int index, QBuffer &buffer)
{
    EmptyBuffer(buffer);
    buffer.open(QIODevice::ReadWrite);
    // The reader takes back what it wrote when the extraction fails, so the buffer is empty then.
    const bool extracted = reader.ExtractEntryToBuffer(index, buffer);
    buffer.seek(0);
    return extracted;
}

} // namespace vx::archive
