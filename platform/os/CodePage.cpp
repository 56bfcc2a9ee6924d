#include "platform/os/CodePage.h"

#include <cstdint>

namespace vx::os {
namespace {

// The length of the well-formed UTF-8 sequence at the start of bytes, or 0 when it is malformed.
std::size_t sequenceLength(std::string_view bytes)
{
    const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned c = byte(0);
    if (c < 0x80)
        return 1;
    std::size_t extra;
    std::uint32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
        extra = 1;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        extra = 2;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        extra = 3;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() <= extra)
        return 0;
    for (std::size_t i = 1; i <= extra; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return extra + 1;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t n = sequenceLength(bytes);
        if (n == 0)
            return false;
        bytes.remove_prefix(n);
    }
    return true;
}

std::string decodeCodePage(CodePage page, std::string_view bytes) { return system::decode(page, bytes); }

std::string encodeCodePage(CodePage page, std::string_view utf8)
{
    if (isValidUtf8(utf8))
        return system::encode(page, utf8);
    // The systems disagree on how many replacements a malformed sequence earns, so it never reaches them.
    std::string wellFormed;
    wellFormed.reserve(utf8.size());
    while (!utf8.empty()) {
        std::size_t n = sequenceLength(utf8);
        if (n > 0) {
            wellFormed.append(utf8.substr(0, n));
        } else {
            wellFormed += '?';
            n = 1;
            while (n < utf8.size() && (static_cast<unsigned char>(utf8[n]) & 0xC0) == 0x80)
                ++n;
        }
        utf8.remove_prefix(n);
    }
    return system::encode(page, wellFormed);
}

std::string oemToAnsi(std::string_view oem)
{
    return encodeCodePage(CodePage::Ansi1251, decodeCodePage(CodePage::Oem866, oem));
}

} // namespace vx::os
