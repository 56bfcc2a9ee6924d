#include "upload/HeaderBlock.h"

#include <limits>

namespace vx::http {
namespace {

bool sameName(const QByteArray &a, const QByteArray &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// A decimal number made of digits only; -1 otherwise or on overflow.
qint64 decimal(const QByteArray &text)
{
    if (text.isEmpty())
        return -1;
    qint64 v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        if (v > (std::numeric_limits<qint64>::max() - (c - '0')) / 10)
            return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

} // namespace

int statusCodeOf(const QByteArray &statusLine)
{
    const QList<QByteArray> words = statusLine.split(' ');
    int seen = 0;
    for (const QByteArray &w : words) {
        if (w.isEmpty())
            continue;
        if (++seen == 2) {
            const qint64 v = decimal(w);
            return v >= 0 && v <= std::numeric_limits<int>::max() ? static_cast<int>(v) : -1;
        }
    }
    return -1;
}

void HeaderBlock::addLine(const QByteArray &line)
{
    if (line.isEmpty())
        return;
    if (line[0] == ' ' || line[0] == '\t') {
        if (fields_.isEmpty())
            return;
        QByteArray &value = fields_.last().second;
        const QByteArray more = line.trimmed();
        value = value.isEmpty() ? more : value + ' ' + more;
        return;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon < 0)
        return;
    fields_.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
}

QByteArray HeaderBlock::value(const QByteArray &name) const
{
    for (const auto &f : fields_)
        if (sameName(f.first, name))
            return f.second;
    return {};
}

bool HeaderBlock::has(const QByteArray &name) const
{
    for (const auto &f : fields_)
        if (sameName(f.first, name))
            return true;
    return false;
}

QList<QByteArray> HeaderBlock::values(const QByteArray &name) const
{
    QList<QByteArray> out;
    for (const auto &f : fields_)
        if (sameName(f.first, name))
            out.append(f.second);
    return out;
}

qint64 HeaderBlock::contentLength() const
{
    if (!has("Content-Length"))
        return -1;
    return decimal(value("Content-Length"));
}

} // namespace vx::http
