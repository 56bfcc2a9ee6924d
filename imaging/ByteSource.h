#pragma once
// Random-access bytes for the frame-marker scan of a file: the file itself, or bytes in memory (fuzzing,
// tests). A read at or past the end delivers nothing.

#include <QByteArray>
#include <QtGlobal>

namespace vx::os {
class File;
}

namespace vx::jpeg {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual qint64 size() const = 0;
    // Copies up to count bytes from offset into target; returns the number delivered (0 at the end),
    // or -1 when the system fails the read.
    virtual qint64 readAt(qint64 offset, char *target, qint64 count) = 0;
};

class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(os::File &file); // an open file; its length is taken now (0 when unknown)
    qint64 size() const override { return size_; }
    qint64 readAt(qint64 offset, char *target, qint64 count) override;

private:
    os::File &file_;
    qint64 size_;
};

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(QByteArrayView bytes) : bytes_(bytes) {}
    qint64 size() const override { return bytes_.size(); }
    qint64 readAt(qint64 offset, char *target, qint64 count) override;

private:
    QByteArrayView bytes_;
};

} // namespace vx::jpeg
