#pragma once
// Block-wise reading under a byte-wise scan. The frame-marker scan walks a file twice from its start; the
// blocks of the first walk are kept (up to a bound) so that the second walk reads nothing again in an
// ordinary photo, whose frame header lies within its first few hundred kilobytes. Past the bound a single
// block is kept, so a huge file costs no more memory than a small one.
// The first read is small: most headers end within it. A scan that runs past it is usually crossing a
// metadata segment of up to 64 KiB (maker notes, embedded previews), so later reads take larger steps:
// one system call per step is what a probe of thousands of photos pays for, more than the bytes.

#include "imaging/ByteSource.h"

#include <QByteArray>

#include <cstdint>

namespace vx::jpeg {

class BlockedByteReader {
public:
    static constexpr qint64 kDefaultFirstBlock = 16 * 1024;
    static constexpr qint64 kDefaultLaterBlock = 64 * 1024;
    static constexpr qint64 kDefaultKept = 256 * 1024;

    // Memory a reader may borrow instead of allocating its own: a run over thousands of photos then
    // allocates (and faults in) its blocks once, not per photo. One reader at a time may use it.
    struct Storage {
        QByteArray kept;
        QByteArray block;
    };

    explicit BlockedByteReader(ByteSource &source, qint64 firstBlock = kDefaultFirstBlock,
                               qint64 laterBlock = kDefaultLaterBlock, qint64 keptBytes = kDefaultKept,
                               Storage *storage = nullptr);

    // The bytes from offset on that lie in memory: at least one, or nullptr when none can be delivered
    // (at or past the end, or a failed read). available receives their count.
    const uchar *bytesAt(qint64 offset, qint64 &available);
    // The byte at offset, or -1 when it cannot be delivered.
    int byteAt(qint64 offset);

    bool failed() const { return failed_; } // the system failed a read
    std::uint64_t bytesRead() const { return bytesRead_; }

private:
    qint64 deliver(qint64 offset, char *target, qint64 count);

    ByteSource &source_;
    qint64 firstBlock_;
    qint64 laterBlock_;
    qint64 keptBytes_;
    Storage own_;
    QByteArray &kept_;          // bytes [0, kept_.size()) of the source
    bool keptComplete_ = false; // no more bytes will be appended to kept_
    QByteArray &block_;         // bytes [blockStart_, blockStart_ + block_.size())
    qint64 blockStart_ = -1;
    bool failed_ = false;
    std::uint64_t bytesRead_ = 0;
};

} // namespace vx::jpeg
