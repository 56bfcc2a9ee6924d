#include "fuzz/fuzz_jpeg_entries.h"

#include "imaging/BlockedByteReader.h"
#include "imaging/ByteSource.h"
#include "imaging/FrameMarkerScan.h"
#include "imaging/JpegMarkers.h"
#include "imaging/ScaledJpegSize.h"
#include "platform/Error.h"

#include <QBuffer>

#include <optional>

namespace vx::fuzz {
namespace {

QByteArray bytesOf(const std::uint8_t *data, std::size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}

bool in16Bits(const JpegSize &s) { return s.width >= 0 && s.width <= 0xFFFF && s.height >= 0 && s.height <= 0xFFFF; }

// The size, or the error text, of one scaled probe.
struct Outcome {
    JpegSize size;
    QString error;
    bool operator==(const Outcome &o) const { return size == o.size && error == o.error; }
};

template <typename Probe>
Outcome run(Probe probe)
{
    try {
        return {probe(), {}};
    } catch (const vx::Error &e) {
        return {{}, e.message()};
    }
}

} // namespace

bool jpegStreamReader(const std::uint8_t *data, std::size_t size)
{
    const QByteArray buffer = bytesOf(data, size);
    int width = -1, height = -1;
    qsizetype position = -1;
    const bool found = ReadJpegSizeFromStream(buffer, width, height, &position);
    if (position < 0 || position > buffer.size())
        return false;
    if (!found)
        return width == -1 && height == -1;
    return in16Bits({width, height});
}

bool jpegFileScan(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    jpeg::MemoryByteSource source(bytes);
    jpeg::BlockedByteReader ordinary(source);
    const std::optional<JpegSize> expected = jpeg::scanFrameMarkers(ordinary, source.size());
    jpeg::BlockedByteReader tiny(source, 7, 3, 0);
    const std::optional<JpegSize> got = jpeg::scanFrameMarkers(tiny, source.size());
    if (expected.has_value() != got.has_value())
        return false;
    return !expected || (*expected == *got && in16Bits(*expected));
}

bool jpegScaledProbe(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    ScaledJpegDecoder decoder;
    const Outcome fromMemory = run([&] { return decoder.sizeOfData(bytes.constData(), std::size_t(bytes.size())); });
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    const Outcome streamed = run([&] { return decoder.sizeOfDevice(device, 5); });
    if (!(fromMemory == streamed))
        return false;
    // ceil(65535 / 8): nothing larger can come out of a 16-bit frame header.
    return fromMemory.size.width <= 8192 && fromMemory.size.height <= 8192;
}

} // namespace vx::fuzz
