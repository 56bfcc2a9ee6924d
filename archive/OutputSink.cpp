#include "archive/OutputSink.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace vx::zip {

BufferSink::BufferSink(QBuffer &buffer)
    : buffer_(buffer), startPos_(buffer.isOpen() ? buffer.pos() : 0), startSize_(buffer.buffer().size())
{
    if (!buffer_.isOpen())
        buffer_.open(QIODevice::ReadWrite);
    if (buffer_.pos() != startPos_)
        buffer_.seek(startPos_);
}

void BufferSink::expect(uint64_t bytes, uint64_t likely)
{
    const uint64_t wanted = uint64_t(startPos_) + bytes;
    if (wanted <= uint64_t(buffer_.buffer().capacity()) || wanted >= uint64_t(1) << 40)
        return;
    buffer_.buffer().reserve(qsizetype(wanted));
#ifdef MADV_POPULATE_WRITE
    // Filling a large fresh buffer page by page costs a fault per 4 KiB, which on virtual machines
    // is dearer than the inflate itself; one call maps the likely part at once. Only a hint: where the
    // kernel does not know it, the pages fault in as before.
    constexpr uint64_t PrefaultThreshold = uint64_t(8) << 20;
    const uint64_t likelyEnd = std::min(wanted, uint64_t(startPos_) + likely);
    if (likelyEnd - uint64_t(startPos_) >= PrefaultThreshold) {
        const uintptr_t page = uintptr_t(::sysconf(_SC_PAGESIZE));
        const auto base = reinterpret_cast<uintptr_t>(buffer_.buffer().data());
        const uintptr_t first = (base + uintptr_t(startPos_) + page - 1) & ~(page - 1);
        const uintptr_t last = (base + uintptr_t(likelyEnd)) & ~(page - 1);
        if (last > first)
            ::madvise(reinterpret_cast<void *>(first), last - first, MADV_POPULATE_WRITE);
    }
#endif
}

bool BufferSink::write(const char *data, qint64 n) { return buffer_.write(data, n) == n; }

char *BufferSink::span(qint64 n)
{
    QByteArray &bytes = buffer_.buffer();
    const qint64 pos = buffer_.pos();
    sizeBeforeSpan_ = bytes.size();
    if (pos + n > bytes.size())
        bytes.resize(qsizetype(pos + n));
    return bytes.data() + pos;
}

void BufferSink::commit(qint64 used)
{
    QByteArray &bytes = buffer_.buffer();
    const qint64 end = buffer_.pos() + used;
    bytes.resize(qsizetype(std::max<qint64>(sizeBeforeSpan_, end)));
    buffer_.seek(end);
}

void BufferSink::rollBack()
{
    buffer_.buffer().resize(startSize_);
    buffer_.seek(std::min<qint64>(startPos_, startSize_));
}

bool FileSink::write(const char *data, qint64 n)
{
    while (n > 0) {
        const ssize_t w = ::write(fd_, data, size_t(n));
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        data += w;
        n -= w;
    }
    return true;
}

} // namespace vx::zip
