#include "archive/EntryUnpack.h"

namespace vx::archive {

void EmptyBuffer(QBuffer &buffer)
{
    buffer.close();
    buffer.setData(QByteArray());
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
