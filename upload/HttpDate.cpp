#include "upload/HttpDate.h"

#include <QList>

namespace vx::http {
namespace {

int monthOf(const QByteArray &name)
{
    static const char *const names[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                        "jul", "aug", "sep", "oct", "nov", "dec"};
    const QByteArray lower = name.toLower();
    for (int i = 0; i < 12; ++i)
        if (lower == names[i])
            return i + 1;
    return 0;
}

bool number(const QByteArray &text, int &out)
{
    if (text.isEmpty() || text.size() > 4)
        return false;
    bool ok = false;
    out = text.toInt(&ok);
    return ok && out >= 0;
}

bool clockTime(const QByteArray &text, QTime &out)
{
    const QList<QByteArray> hms = text.split(':');
    int h = 0, m = 0, s = 0;
    if (hms.size() != 3 || !number(hms[0], h) || !number(hms[1], m) || !number(hms[2], s))
        return false;
    out = QTime(h, m, s == 60 ? 59 : s);
    return out.isValid();
}

QDateTime make(int year, int month, int day, const QTime &time)
{
    // Two-digit years of RFC 850: 70..99 are the 1900s, the rest this century.
    if (year < 100)
        year += year >= 70 ? 1900 : 2000;
    const QDate date(year, month, day);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, Qt::UTC);
}

} // namespace

QDateTime parseHttpDate(const QByteArray &text)
{
    QByteArray t = text.trimmed();
    // Drop the week day, which adds nothing and comes in three spellings.
    const qsizetype comma = t.indexOf(',');
    if (comma >= 0)
        t = t.mid(comma + 1).trimmed();
    QList<QByteArray> words;
    for (const QByteArray &w : t.simplified().split(' '))
        if (!w.isEmpty())
            words.append(w);

    int day = 0, year = 0;
    QTime time;
    if (comma >= 0 && words.size() >= 2) {
        // "06 Nov 1994 08:49:37 GMT" or "06-Nov-94 08:49:37 GMT"
        QList<QByteArray> dmy = words[0].split('-');
        qsizetype next = 1;
        if (dmy.size() != 3) {
            if (words.size() < 4)
                return {};
            dmy = {words[0], words[1], words[2]};
            next = 3;
        }
        const int month = monthOf(dmy[1]);
        if (month == 0 || !number(dmy[0], day) || !number(dmy[2], year) || next >= words.size()
            || !clockTime(words[next], time))
            return {};
        return make(year, month, day, time);
    }
    // asctime: "Sun Nov  6 08:49:37 1994"
    if (words.size() == 5) {
        const int month = monthOf(words[1]);
        if (month == 0 || !number(words[2], day) || !clockTime(words[3], time) || !number(words[4], year))
            return {};
        return make(year, month, day, time);
    }
    return {};
}

} // namespace vx::http
