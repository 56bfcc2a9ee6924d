#include "imaging/BlockedByteReader.h"

#include <algorithm>

namespace vx::jpeg {

BlockedByteReader::BlockedByteReader(ByteSource &source, qint64 firstBlock, qint64 laterBlock, qint64 keptBytes,
                                     Storage *storage)
    : source_(source), firstBlock_(std::max<qint64>(firstBlock, 1)), laterBlock_(std::max<qint64>(laterBlock, 1)),
      keptBytes_(std::max<qint64>(keptBytes, 0)),
      kept_(storage ? storage->kept : own_.kept), block_(storage ? storage->block : own_.block)
{
    // Borrowed memory keeps its capacity; what it held belongs to an earlier file.
    kept_.resize(0);
    block_.resize(0);
}

qint64 BlockedByteReader::deliver(qint64 offset, char *target, qint64 count)
{
    const qint64 got = source_.readAt(offset, target, count);
    if (got < 0) {
        failed_ = true;
        return 0;
    }
    bytesRead_ += static_cast<std::uint64_t>(got);
    return got;
}

const uchar *BlockedByteReader::bytesAt(qint64 offset, qint64 &available)
{
    available = 0;
    if (offset < 0 || offset >= source_.size())
        return nullptr;
    // Grow the kept prefix while the scan moves forward through it.
    if (!keptComplete_ && kept_.capacity() == 0)
        kept_.reserve(std::min(keptBytes_, source_.size()));
    while (!keptComplete_ && offset >= kept_.size()) {
        const qint64 start = kept_.size();
        const qint64 step = start == 0 ? firstBlock_ : laterBlock_;
        const qint64 want = std::min({step, keptBytes_ - start, source_.size() - start});
        if (want <= 0) {
            keptComplete_ = true;
            break;
        }
        kept_.resize(start + want);
        const qint64 got = deliver(start, kept_.data() + start, want);
        kept_.resize(start + got);
        if (got < want)
            keptComplete_ = true;
    }
    if (offset < kept_.size()) {
        available = kept_.size() - offset;
        return reinterpret_cast<const uchar *>(kept_.constData()) + offset;
    }
    if (blockStart_ < 0 || offset < blockStart_ || offset >= blockStart_ + block_.size()) {
        const qint64 start = offset - offset % laterBlock_;
        const qint64 want = std::min(laterBlock_, source_.size() - start);
        block_.resize(want);
        const qint64 got = deliver(start, block_.data(), want);
        block_.resize(got);
        blockStart_ = start;
        if (offset >= start + got)
            return nullptr;
    }
    available = blockStart_ + block_.size() - offset;
    return reinterpret_cast<const uchar *>(block_.constData()) + (offset - blockStart_);
}

int BlockedByteReader::byteAt(qint64 offset)
{
    qint64 available = 0;
    const uchar *p = bytesAt(offset, available);
    return p ? *p : -1;
}

} // namespace vx::jpeg
