#include "upload/ReplyStream.h"

#include "upload/HttpLimits.h"

namespace vx::http {

ReadStatus ReplyStream::fill()
{
    if (offset_ > 0 && offset_ == buffer_.size()) {
        buffer_.clear();
        offset_ = 0;
    }
    if (deadline_.passed())
        return ReadStatus::TimedOut;
    char piece[kReceiveBufferBytes];
    const ReadResult r = connection_.read(piece, sizeof piece, deadline_.wait(waitMs_));
    if (r.status != ReadStatus::Data)
        return r.status;
    buffer_.append(piece, r.size);
    received_ += r.size;
    return ReadStatus::Data;
}

LineStatus ReplyStream::readLine(QByteArray &line, int maxLength)
{
    line.clear();
    for (;;) {
        const qsizetype lf = buffer_.indexOf('\n', offset_);
        const qsizetype end = lf < 0 ? buffer_.size() : lf;
        line.append(buffer_.constData() + offset_, end - offset_);
        offset_ = lf < 0 ? buffer_.size() : lf + 1;
        if (lf >= 0) {
            if (line.endsWith('\r'))
                line.chop(1);
            if (line.size() > maxLength)
                return LineStatus::TooLong;
            return LineStatus::Line;
        }
        // One more byte is allowed for the CR that may precede the LF.
        if (line.size() > maxLength + 1)
            return LineStatus::TooLong;
        switch (fill()) {
        case ReadStatus::Data:
            break;
        case ReadStatus::Closed:
            return LineStatus::Closed;
        case ReadStatus::TimedOut:
            return LineStatus::TimedOut;
        case ReadStatus::Failed:
            return LineStatus::Failed;
        }
    }
}

ReadStatus ReplyStream::readExact(qint64 count, QByteArray &out)
{
    while (count > 0) {
        if (offset_ == buffer_.size()) {
            const ReadStatus s = fill();
            if (s != ReadStatus::Data)
                return s;
        }
        const qint64 n = std::min<qint64>(count, buffer_.size() - offset_);
        out.append(buffer_.constData() + offset_, n);
        offset_ += n;
        count -= n;
    }
    return ReadStatus::Data;
}

ReadStatus ReplyStream::readToClose(qint64 maxSize, QByteArray &out)
{
    for (;;) {
        const qint64 room = maxSize + 1 - out.size();
        const qint64 n = std::min<qint64>(room, buffer_.size() - offset_);
        out.append(buffer_.constData() + offset_, n);
        offset_ += n;
        if (out.size() > maxSize)
            return ReadStatus::Data;
        const ReadStatus s = fill();
        if (s != ReadStatus::Data)
            return s;
    }
}

} // namespace vx::http
