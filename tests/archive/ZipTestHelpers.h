#pragma once
// Small helpers of the ZIP reader's tests: archives written into a temporary folder and opened.

#include "archive/ZipReader.h"
#include "tests/support/ZipWriter.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace vx::test {

inline QString writeArchive(const QTemporaryDir &dir, const QByteArray &bytes, const QString &name = QStringLiteral("a.zip"))
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write fixture %s", qPrintable(path));
    return path;
}

inline int errorCodeOf(const std::function<void()> &action, QString *message = nullptr)
{
    try {
        action();
    } catch (const zip::EZipError &e) {
        if (message)
            *message = e.message();
        return e.nativeCode();
    }
    return -1;
}

// The listing with mask and filter as "folder\name" texts joined by "|".
inline QString listing(zip::ZipReader &reader, const QString &mask = QStringLiteral("*.*"),
                       uint32_t filter = zip::FilterEverything, const QString &exclude = {})
{
    QStringList names;
    zip::TZipArchiveItem item;
    for (bool found = reader.FindFirstEntry(mask, exclude, filter, item); found; found = reader.FindNextEntry(item))
        names << item.EntryFolder + item.EntryFileName;
    return names.join(QLatin1Char('|'));
}

inline QByteArray extracted(zip::ZipReader &reader, const QString &name)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    reader.ExtractEntryToBuffer(name, buffer);
    return buffer.data();
}

inline QByteArray readFileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace vx::test
