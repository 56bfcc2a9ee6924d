#pragma once
// The benchmark programs' view of their own memory on Linux: a field of /proc/self/status, and a reset of
// the peak so that it measures one piece of work alone.

#include <QByteArray>
#include <QFile>

namespace vx::bench {

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"); -1 where there is none.
inline long statusKib(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(QByteArray(field) + ':'))
            return line.mid(qstrlen(field) + 1).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Sets the peak (VmHWM) back to the current resident size.
inline void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace vx::bench
