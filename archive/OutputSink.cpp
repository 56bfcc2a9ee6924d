#include "archive/OutputSink.h"

#include "platform/os/MemoryPages.h"

#include <algorithm>
#include <cstdint>

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
    // Filling a large fresh buffer page by page costs a fault per 4 KiB, which on virtual machines
    // is dearer than the inflate itself; one call maps the likely part at once.
    constexpr uint64_t PrefaultThreshold = uint64_t(8) << 20;
    const uint64_t likelyEnd = std::min(wanted, uint64_t(startPos_) + likely);
    if (likelyEnd - uint64_t(startPos_) >= PrefaultThreshold)
        os::prefaultForWriting(buffer_.buffer().data() + startPos_, size_t(likelyEnd - uint64_t(startPos_)));
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
    std::error_code error;
    return n <= 0 || file_.writeAll(data, size_t(n), error);
}

} // namespace vx::zip
