#include "imaging/ByteSource.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace vx::jpeg {

FileByteSource::FileByteSource(QFile &file) : file_(file), size_(file.size()) {}

qint64 FileByteSource::readAt(qint64 offset, char *target, qint64 count)
{
    if (offset < 0 || count <= 0)
        return 0;
    if (file_.pos() != offset && !file_.seek(offset))
        return -1;
    return file_.read(target, count);
}

qint64 MemoryByteSource::readAt(qint64 offset, char *target, qint64 count)
{
    if (offset < 0 || count <= 0 || offset >= bytes_.size())
        return 0;
    const qint64 n = std::min<qint64>(count, bytes_.size() - offset);
    std::memcpy(target, bytes_.data() + offset, static_cast<std::size_t>(n));
    return n;
}

} // namespace vx::jpeg
