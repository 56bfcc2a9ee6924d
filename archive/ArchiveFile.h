#pragma once
// The open archive file: positioned reads that never go past its end. The size is taken once at open;
// a file that another program shortens meanwhile just yields short reads.

#include "platform/os/File.h"

#include <QByteArray>
#include <QString>

#include <filesystem>

namespace vx::zip {

class ArchiveFile {
public:
    // Opens for reading; on failure returns false and the system's error text in errorText.
    bool open(const QString &path, QString &errorText);
    bool open(const std::filesystem::path &path, QString &errorText);
    void close();
    bool isOpen() const { return file_.isOpen(); }
    qint64 size() const { return size_; }

    // Reads up to n bytes at pos into out; returns the count read (0 past the end or on error).
    qint64 readAt(qint64 pos, char *out, qint64 n);
    // Up to n bytes at pos; shorter near the end of the file. n is clipped to what the file holds, so a
    // length taken from a header never allocates more than the file could provide.
    QByteArray readAt(qint64 pos, qint64 n);
    // Exactly n bytes at pos, or false.
    bool readExactAt(qint64 pos, char *out, qint64 n) { return readAt(pos, out, n) == n; }

private:
    os::File file_;
    qint64 size_ = 0;
};

// Sequential reads through a window buffer, for walking the central directory without loading it at
// once from an untrusted size.
class SequentialReader {
public:
    SequentialReader(ArchiveFile &file, qint64 start, qint64 windowSize = 1 << 20)
        : file_(file), pos_(start), window_(windowSize) {}
    // Exactly n bytes from the current position, or false (the position is then undefined).
    bool read(char *out, qint64 n);
    QByteArray read(qint64 n, bool &ok);
    // Exactly n bytes from the current position as a view into the window, valid until the next read;
    // or false. The window grows to n where n is larger.
    bool view(qint64 n, QByteArrayView &out);
    qint64 position() const { return pos_; }

private:
    ArchiveFile &file_;
    qint64 pos_;
    qint64 window_;
    QByteArray buffer_;
    qint64 bufferStart_ = 0;
};

} // namespace vx::zip
