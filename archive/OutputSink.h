#pragma once
// Where the bytes of an extracted entry go: a memory buffer at its current position, or an open file.

#include "platform/os/File.h"

#include <QBuffer>

#include <cstdint>

namespace vx::zip {

class OutputSink {
public:
    virtual ~OutputSink() = default;
    // A hint of how many bytes may come (already bounded by what the entry's data can yield) and of how
    // many are likely for data of this kind.
    virtual void expect(uint64_t bytes, uint64_t likely)
    {
        (void)bytes;
        (void)likely;
    }
    // False when fewer bytes were taken than given.
    virtual bool write(const char *data, qint64 n) = 0;
    // A sink that holds its bytes in memory may let the producer write in place: span gives room for
    // n bytes at the current position (nullptr when the sink has no such room), commit keeps the
    // first used of them. Saves a copy of every byte of a large entry.
    virtual char *span(qint64 n) { (void)n; return nullptr; }
    virtual void commit(qint64 used) { (void)used; }
};

// Writes into a QBuffer from its current position; the buffer is neither emptied nor rewound. On a
// failed extraction the buffer is given back its former size, so no half entry is left behind.
class BufferSink final : public OutputSink {
public:
    explicit BufferSink(QBuffer &buffer);
    void expect(uint64_t bytes, uint64_t likely) override;
    bool write(const char *data, qint64 n) override;
    char *span(qint64 n) override;
    void commit(qint64 used) override;
    void rollBack();

private:
    QBuffer &buffer_;
    qint64 startPos_;
    qsizetype startSize_;
    qsizetype sizeBeforeSpan_ = 0;
};

// Writes to a file that the caller opened and closes.
class FileSink final : public OutputSink {
public:
    explicit FileSink(os::File &file) : file_(file) {}
    bool write(const char *data, qint64 n) override;

private:
    os::File &file_;
};

} // namespace vx::zip
