#include "imaging/FrameMarkerScan.h"

#include <algorithm>
#include <cstring>

namespace vx::jpeg {
namespace {

constexpr int kSoi = 0xD8;
constexpr int kSos = 0xDA;

bool isCountedFrame(int code) { return code == 0xC0 || code == 0xC1 || code == 0xC2; }

// One byte-wise walk from offset 0. For every 0xFF read while position + 7 < size, the code byte behind
// it is read and passed to visit(code, offset behind the code); visit returns false to end the walk.
// memchr finds the 0xFF bytes in the span in hand, whose code bytes are read from it too; only a code
// byte beyond the span costs a call to the reader. The rules are those of reading one byte at a time.
template <typename Visit>
void walkMarkers(BlockedByteReader &bytes, qint64 size, Visit visit)
{
    const qint64 limit = size - 7; // a byte at offset p is read only while p + 7 < size
    qint64 pos = 0;
    while (pos < limit) {
        qint64 available = 0;
        const uchar *run = bytes.bytesAt(pos, available);
        if (!run)
            return;
        const uchar *const inHand = run + available;
        const uchar *const end = run + std::min(available, limit - pos);
        const uchar *p = run;
        bool codeBeyond = false;
        while (p < end) {
            const uchar *ff = *p == 0xFF ? p : static_cast<const uchar *>(std::memchr(p, 0xFF, std::size_t(end - p)));
            if (!ff) {
                p = end;
                break;
            }
            p = ff + 1; // the 0xFF is consumed
            if (p == inHand) {
                codeBeyond = true;
                break;
            }
            const int code = *p++;
            if (!visit(code, pos + (p - run)))
                return;
        }
        pos += p - run;
        if (codeBeyond) {
            const int code = bytes.byteAt(pos);
            if (code < 0)
                return;
            ++pos;
            if (!visit(code, pos))
                return;
        }
    }
}

} // namespace

std::optional<JpegSize> scanFrameMarkers(BlockedByteReader &bytes, qint64 size)
{
    qint64 images = 0;
    walkMarkers(bytes, size, [&](int code, qint64) {
        if (code == kSoi)
            ++images;
        return code != kSos;
    });

    qint64 mark = -1;
    walkMarkers(bytes, size, [&](int code, qint64 behindCode) {
        if (!isCountedFrame(code))
            return true;
        mark = behindCode;
        return --images != 0; // with no SOI counted this never ends the walk: the last frame marker wins
    });

    const qint64 at = mark + 3;
    uchar field[4];
    for (int i = 0; i < 4; ++i) {
        const int b = at + i < size ? bytes.byteAt(at + i) : -1;
        if (b < 0)
            return std::nullopt;
        field[i] = static_cast<uchar>(b);
    }
    if (bytes.failed())
        return std::nullopt;
    return JpegSize{(field[2] << 8) | field[3], (field[0] << 8) | field[1]};
}

} // namespace vx::jpeg
