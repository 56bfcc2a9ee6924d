#include "imaging/ByteSource.h"

#include "platform/os/File.h"

#include <algorithm>
#include <cstring>

namespace vx::jpeg {

FileByteSource::FileByteSource(os::File &file) : file_(file), size_(0)
{
    std::uint64_t bytes = 0;
    std::error_code error;
    if (file_.size(bytes, error))
        size_ = qint64(bytes);
}

qint64 FileByteSource::readAt(qint64 offset, char *target, qint64 count)
{
    if (offset < 0 || count <= 0)
        return 0;
    std::error_code error;
    return file_.readAt(std::uint64_t(offset), target, std::size_t(count), error);
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
