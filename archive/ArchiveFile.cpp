#include "archive/ArchiveFile.h"

#include "platform/NativePath.h"

#include <algorithm>
#include <cstring>

namespace vx::zip {

bool ArchiveFile::open(const QString &path, QString &errorText) { return open(nativePath(path), errorText); }

bool ArchiveFile::open(const std::filesystem::path &path, QString &errorText)
{
    close();
    // Other programs may read and write the archive meanwhile. A pipe named like an archive is refused
    // by the open rather than holding it waiting for a writer, and a device that may never end with it:
    // only regular files are archives.
    std::error_code error;
    std::uint64_t size = 0;
    if (!file_.openForReading(path, os::Sharing::ReadersAndWriters, error) || !file_.size(size, error)) {
        file_.close();
        errorText = QString::fromStdString(error.message());
        return false;
    }
    size_ = qint64(size);
    return true;
}

void ArchiveFile::close()
{
    file_.close();
    size_ = 0;
}

qint64 ArchiveFile::readAt(qint64 pos, char *out, qint64 n)
{
    if (!file_.isOpen() || pos < 0 || n <= 0 || pos >= size_)
        return 0;
    n = std::min(n, size_ - pos);
    // One positioned read: no seek first, and nothing buffered in between (the reader windows itself).
    std::error_code error;
    return std::max<qint64>(0, file_.readAt(uint64_t(pos), out, size_t(n), error));
}

QByteArray ArchiveFile::readAt(qint64 pos, qint64 n)
{
    if (pos < 0 || pos >= size_ || n <= 0)
        return {};
    n = std::min(n, size_ - pos);
    QByteArray out(qsizetype(n), Qt::Uninitialized);
    out.resize(qsizetype(readAt(pos, out.data(), n)));
    return out;
}

bool SequentialReader::read(char *out, qint64 n)
{
    while (n > 0) {
        const qint64 offset = pos_ - bufferStart_;
        if (offset >= 0 && offset < buffer_.size()) {
            const qint64 take = std::min(n, qint64(buffer_.size()) - offset);
            std::memcpy(out, buffer_.constData() + offset, size_t(take));
            out += take;
            n -= take;
            pos_ += take;
            continue;
        }
        bufferStart_ = pos_;
        buffer_ = file_.readAt(pos_, window_);
        if (buffer_.isEmpty())
            return false;
    }
    return true;
}

bool SequentialReader::view(qint64 n, QByteArrayView &out)
{
    if (n < 0 || n > file_.size() - pos_)
        return false;
    qint64 offset = pos_ - bufferStart_;
    if (offset < 0 || offset + n > buffer_.size()) {
        bufferStart_ = pos_;
        buffer_ = file_.readAt(pos_, std::max(window_, n));
        offset = 0;
        if (buffer_.size() < n)
            return false;
    }
    out = QByteArrayView(buffer_.constData() + offset, n);
    pos_ += n;
    return true;
}

QByteArray SequentialReader::read(qint64 n, bool &ok)
{
    // Never more than the file still holds: the length came from the archive.
    if (n < 0 || n > file_.size() - pos_) {
        ok = false;
        return {};
    }
    QByteArray out(qsizetype(n), Qt::Uninitialized);
    ok = read(out.data(), n);
    return out;
}

} // namespace vx::zip
