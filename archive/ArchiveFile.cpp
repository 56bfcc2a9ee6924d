#include "archive/ArchiveFile.h"

#include "platform/FileOps.h"

#include <algorithm>
#include <cstring>

namespace vx::zip {

bool ArchiveFile::open(const std::filesystem::path &path, QString &errorText)
{
    close();
    // A pipe named like an archive would hold the open waiting for a writer, and a device may never
    // end: only regular files are archives.
    if (!files::openForReading(file_, path, errorText))
        return false;
    size_ = file_.size();
    return true;
}

void ArchiveFile::close()
{
    if (file_.isOpen())
        file_.close();
    size_ = 0;
}

qint64 ArchiveFile::readAt(qint64 pos, char *out, qint64 n)
{
    if (!file_.isOpen() || pos < 0 || n <= 0 || pos >= size_)
        return 0;
    n = std::min(n, size_ - pos);
    if (!file_.seek(pos))
        return 0;
    qint64 done = 0;
    while (done < n) {
        const qint64 got = file_.read(out + done, n - done);
        if (got <= 0)
            break;
        done += got;
    }
    return done;
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
