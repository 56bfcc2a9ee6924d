#include "tests/archivepage/ArchivePageFixtures.h"

#include "tests/support/JpegFixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace vx::test {

QByteArray photoBytes(int width, int height, int bytes)
{
    // Encoding is the slow part; the tests ask for the same few sizes many times.
    static QHash<QPair<int, int>, QByteArray> made;
    QByteArray &jpeg = made[{width, height}];
    if (jpeg.isEmpty())
        jpeg = makeJpeg(width, height);
    if (jpeg.isEmpty())
        qFatal("cannot make a %dx%d JPEG", width, height);
    if (bytes <= 0)
        return jpeg;
    if (bytes < jpeg.size())
        qFatal("a %dx%d JPEG needs more than %d bytes", width, height, bytes);
    return jpeg + QByteArray(bytes - jpeg.size(), '\0');
}

ZipEntrySpec entry(const QString &name, const QByteArray &data)
{
    ZipEntrySpec made;
    made.name = name.toUtf8();
    made.data = data;
    bool ascii = true;
    for (const QChar c : name)
        ascii = ascii && c.unicode() < 0x80;
    if (!ascii)
        made.flags = 0x0800; // UTF-8 name
    return made;
}

ZipEntrySpec photoEntry(const QString &name, int width, int height, int bytes)
{
    return entry(name, photoBytes(width, height, bytes));
}

QString archive(FileTree &tree, const QString &relative, const QList<ZipEntrySpec> &entries)
{
    const QString path = tree.path(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    ZipWriter writer;
    for (const ZipEntrySpec &e : entries)
        writer.add(e);
    if (!writer.writeTo(path))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace vx::test
