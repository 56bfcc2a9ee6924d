#include "tests/reports/ReportFixtures.h"

#include "tests/support/JpegFixtures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>


namespace vx::test {

namespace {
void putBigEndian16(QByteArray &bytes, qsizetype at, int value)
{
    bytes[at] = char((value >> 8) & 0xFF);
    bytes[at + 1] = char(value & 0xFF);
}
const QString undeletableFolder = QStringLiteral("locked");
} // namespace

QByteArray jpegClaimingSize(int width, int height)
{
    QByteArray bytes = makeJpeg(16, 16);
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0)
        return {};
    // Behind the marker: length (2), precision (1), height (2), width (2).
    putBigEndian16(bytes, sof + 5, height);
    putBigEndian16(bytes, sof + 7, width);
    return bytes;
}

QByteArray jpegCutInHeader()
{
    const QByteArray bytes = makeJpeg(64, 48);
    const qsizetype dqt = bytes.indexOf(QByteArray("\xFF\xDB", 2));
    return bytes.left(dqt + 10);
}

QByteArray jpegCutInScanData()
{
    const QByteArray bytes = makeJpeg(640, 480, JpegOptions{.quality = 90});
    const qsizetype sos = bytes.indexOf(QByteArray("\xFF\xDA", 2));
    return bytes.left(sos + (bytes.size() - sos) / 2);
}

QByteArray pngPicture()
{
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QString namedPipe(FileTree &tree, const QString &relative)
{
    const QString path = tree.path(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return makeNamedPipe(path) ? path : QString();
}

QString undeletableFile(FileTree &tree)
{
    const QString path = tree.file(undeletableFolder + QStringLiteral("/kept.jpg"), QByteArray());
    const QString probe = tree.file(undeletableFolder + QStringLiteral("/probe"), QByteArray());
    QFile::setPermissions(tree.path(undeletableFolder), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!QFile::remove(probe))
        return path;
    releaseUndeletable(tree);
    return QStringLiteral("/proc/version");
}

void releaseUndeletable(FileTree &tree)
{
    QFile::setPermissions(tree.path(undeletableFolder),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace vx::test
