#include "platform/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <string_view>

namespace vx::codepage {
namespace {

// Converts bytes between two iconv encodings; an input sequence that the target cannot hold becomes
// the replacement byte (or U+FFFD when the target is UTF-8).
QByteArray convert(const char *from, const char *to, const QByteArray &input, const char *replacement)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return input;
    QByteArray out;
    out.reserve(input.size() * 3 + 4);
    char *in = const_cast<char *>(input.constData());
    size_t inLeft = size_t(input.size());
    char buffer[1024];
    while (inLeft > 0) {
        char *o = buffer;
        size_t oLeft = sizeof buffer;
        const size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(buffer, qsizetype(o - buffer));
        if (r == size_t(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: the next input byte or character has no form in the target.
            out.append(replacement);
            if (std::string_view(from) == "UTF-8") {
                // step over one whole UTF-8 sequence
                ++in;
                --inLeft;
                while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
                    ++in;
                    --inLeft;
                }
            } else {
                ++in;
                --inLeft;
            }
        }
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    iconv_close(cd);
    return out;
}

} // namespace

QByteArray oemToAnsi(const QByteArray &oem) { return convert("CP866", "CP1251", oem, "?"); }

QString fromAnsi(const QByteArray &ansi)
{
    return QString::fromUtf8(convert("CP1251", "UTF-8", ansi, "\xEF\xBF\xBD"));
}

QString fromOem(const QByteArray &oem) { return QString::fromUtf8(convert("CP866", "UTF-8", oem, "\xEF\xBF\xBD")); }

QByteArray toAnsi(const QString &text) { return convert("UTF-8", "CP1251", text.toUtf8(), "?"); }

bool isValidUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto *end = p + bytes.size();
    while (p < end) {
        const unsigned c = *p;
        int extra;
        unsigned cp;
        if (c < 0x80) {
            ++p;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= extra)
            return false;
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        p += extra + 1;
    }
    return true;
}

} // namespace vx::codepage
