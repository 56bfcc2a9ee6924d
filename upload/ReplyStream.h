#pragma once
// Buffered reading of a reply from a Connection: LF-terminated lines with the line limit enforced while
// reading (a line is never held longer than the limit), exact byte counts, and reading to the close.

#include "upload/Connection.h"
#include "upload/Deadline.h"

#include <QByteArray>

namespace vx::http {

enum class LineStatus { Line, Closed, TooLong, TimedOut, Failed };

class ReplyStream {
public:
    explicit ReplyStream(Connection &connection) : connection_(connection) {}

    // The wait for each piece of data; failed replies are drained with a shorter one.
    void setWaitTimeout(int ms) { waitMs_ = ms; }
    // No wait runs past the deadline; once it has passed, reads report TimedOut.
    void setDeadline(const Deadline &deadline) { deadline_ = deadline; }

    // Reads one line into line (LF removed, and a CR just before it). Closed means the connection ended
    // before an LF; whatever came before the close is left in line.
    LineStatus readLine(QByteArray &line, int maxLength);

    // Appends exactly count bytes to out; returns Data, or the status that cut the read short (the bytes
    // received so far are appended all the same).
    ReadStatus readExact(qint64 count, QByteArray &out);

    // Appends everything up to the close; TooLong-like caps are the caller's: returns Data when more
    // than maxSize bytes would be needed (out then holds maxSize + 1 bytes at most), Closed at the end.
    ReadStatus readToClose(qint64 maxSize, QByteArray &out);

    // Total bytes taken from the connection.
    qint64 received() const { return received_; }

private:
    ReadStatus fill(); // at least one more byte in the buffer, or the reason why not

    Connection &connection_;
    int waitMs_ = 0;
    Deadline deadline_;
    QByteArray buffer_;
    qsizetype offset_ = 0;
    qint64 received_ = 0;
};

} // namespace vx::http
