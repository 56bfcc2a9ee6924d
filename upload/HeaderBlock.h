#pragma once
// One reply header block: the status line's code and the header fields in their order, names matched
// without regard to case, continuation lines joined to the field they continue.

#include <QByteArray>
#include <QList>
#include <QPair>

namespace vx::http {

// The second space-separated word of a status line as a decimal number, -1 when it is not one.
int statusCodeOf(const QByteArray &statusLine);

class HeaderBlock {
public:
    // Adds one raw header line (CR and LF already removed). A line that begins with a space or a tab
    // continues the value of the field before it; a line without ":" is ignored.
    void addLine(const QByteArray &line);

    // The first value of the field, or an empty text.
    QByteArray value(const QByteArray &name) const;
    bool has(const QByteArray &name) const;
    // Every value of the field, in order.
    QList<QByteArray> values(const QByteArray &name) const;

    // The value of Content-Length as a number of 0 or more; -1 when absent or not such a number.
    qint64 contentLength() const;

    const QList<QPair<QByteArray, QByteArray>> &fields() const { return fields_; }

private:
    QList<QPair<QByteArray, QByteArray>> fields_;
};

} // namespace vx::http
