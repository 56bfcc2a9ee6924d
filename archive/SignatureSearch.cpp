#include "archive/SignatureSearch.h"

#include <algorithm>
#include <cstring>

namespace vx::zip {

SignatureScanner::SignatureScanner(ArchiveFile &file, uint32_t signature, qint64 windowSize)
    : file_(file), sig_{char(signature & 0xFF), char((signature >> 8) & 0xFF), char((signature >> 16) & 0xFF),
                        char(signature >> 24)},
      windowSize_(std::max<qint64>(windowSize, 8))
{
}

bool SignatureScanner::load(qint64 start)
{
    if (window_.size() != windowSize_)
        window_.resize(qsizetype(windowSize_));
    windowStart_ = start;
    windowLength_ = file_.readAt(start, window_.data(), windowSize_);
    return windowLength_ >= 4;
}

std::optional<qint64> SignatureScanner::next(qint64 from, qint64 minBytes)
{
    from = std::max<qint64>(from, 0);
    // Inside the current window, continue there; otherwise the next window starts at from.
    if (!(windowStart_ >= 0 && from >= windowStart_ && from + 4 <= windowStart_ + windowLength_))
        if (!load(from))
            return std::nullopt;
    for (;;) {
        const char *base = window_.constData();
        const char *p = base + (from - windowStart_);
        const char *end = base + windowLength_ - 3;
        while (p < end) {
            p = static_cast<const char *>(std::memchr(p, sig_[0], size_t(end - p)));
            if (!p)
                break;
            if (std::memcmp(p, sig_, 4) == 0) {
                const qint64 at = windowStart_ + (p - base);
                // Later hits only have fewer bytes after them.
                if (file_.size() - at < minBytes)
                    return std::nullopt;
                return at;
            }
            ++p;
        }
        const qint64 windowEnd = windowStart_ + windowLength_;
        if (windowEnd >= file_.size())
            return std::nullopt;
        from = windowLength_ > 4 ? windowEnd - 4 : windowEnd;
        if (!load(from))
            return std::nullopt;
    }
}

bool SignatureScanner::read(qint64 pos, char *out, qint64 n)
{
    if (windowStart_ >= 0 && pos >= windowStart_ && pos + n <= windowStart_ + windowLength_) {
        std::memcpy(out, window_.constData() + (pos - windowStart_), size_t(n));
        return true;
    }
    return file_.readExactAt(pos, out, n);
}

std::optional<qint64> findSignatureForward(ArchiveFile &file, qint64 from, uint32_t signature, qint64 windowSize,
                                           qint64 minBytes)
{
    return SignatureScanner(file, signature, windowSize).next(from, minBytes);
}

} // namespace vx::zip
