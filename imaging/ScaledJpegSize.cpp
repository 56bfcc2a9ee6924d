#include "imaging/ScaledJpegSize.h"

#include "imaging/FileReadDevice.h"
#include "imaging/JpegDeviceSource.h"
#include "imaging/JpegMemorySource.h"
#include "imaging/ScaledHeaderRead.h"
#include "platform/Error.h"
#include "platform/FileOps.h"
#include "platform/NativePath.h"
#include "platform/os/File.h"

#include <QDir>
#include <QFile>

#include <memory>

namespace vx {
namespace {

QString readFailure(const QIODevice &device, QString name)
{
    const auto *file = qobject_cast<const QFile *>(&device);
    if (name.isEmpty() && file)
        name = QDir::toNativeSeparators(file->fileName());
    return QStringLiteral("Cannot read file \"%1\". %2").arg(name, device.errorString());
}

} // namespace

JpegSize ScaledJpegDecoder::sizeOfData(const char *data, std::size_t size)
{
    jpeg::MemorySource source(data, size);
    return jpeg::readScaledHeader(source.base);
}

JpegSize ScaledJpegDecoder::sizeOfDevice(QIODevice &device, int pieceSize, const QString &name)
{
    // The piece buffer is 64 KiB: keep it off the stack.
    auto source = std::make_unique<jpeg::DeviceSource>(device, pieceSize);
    JpegSize size;
    try {
        size = jpeg::readScaledHeader(source->base);
    } catch (const vx::Error &) {
        bytesRead_ += source->bytesRead;
        // A failing disk is not a broken header: say what really happened.
        if (source->readFailed)
            throw vx::Error(readFailure(device, name));
        throw;
    }
    bytesRead_ += source->bytesRead;
    if (source->readFailed)
        throw vx::Error(readFailure(device, name));
    return size;
}

JpegSize ScaledJpegDecoder::sizeOfFile(const QString &path) { return sizeOfFile(nativePath(path)); }

JpegSize ScaledJpegDecoder::sizeOfFile(const std::filesystem::path &path)
{
    os::File file;
    files::openForReading(file, path);
    jpeg::FileReadDevice device(file);
    return sizeOfDevice(device, 4096, shownText(path));
}

JpegSize ScaledJpegSize(const QByteArray &data)
{
    return ScaledJpegDecoder().sizeOfData(data.constData(), static_cast<std::size_t>(data.size()));
}

} // namespace vx
