#include "platform/os/CodePage.h"

#include <iconv.h>

#include <cerrno>

namespace vx::os::system {
namespace {

const char *iconvName(CodePage page) { return page == CodePage::Oem866 ? "CP866" : "CP1251"; }

// Converts with iconv; a unit the target cannot hold becomes replacement, and the input steps over
// the whole unit (one byte of a code page, one UTF-8 sequence of well-formed text).
std::string convert(const char *from, const char *to, std::string_view input, std::string_view replacement,
                    bool inputIsUtf8)
{
    std::string out;
    const iconv_t cd = ::iconv_open(to, from);
    if (cd == iconv_t(-1))
        return out;
    out.reserve(input.size() * 2);
    char *in = const_cast<char *>(input.data());
    std::size_t inLeft = input.size();
    char buffer[1024];
    while (inLeft > 0) {
        char *o = buffer;
        std::size_t oLeft = sizeof buffer;
        const std::size_t r = ::iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(buffer, std::size_t(o - buffer));
        if (r != std::size_t(-1) || errno == E2BIG)
            continue;
        out.append(replacement);
        ++in;
        --inLeft;
        while (inputIsUtf8 && inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
            ++in;
            --inLeft;
        }
    }
    ::iconv_close(cd);
    return out;
}

} // namespace

std::string decode(CodePage page, std::string_view bytes)
{
    return convert(iconvName(page), "UTF-8", bytes, "\xEF\xBF\xBD", false);
}

std::string encode(CodePage page, std::string_view wellFormedUtf8)
{
    return convert("UTF-8", iconvName(page), wellFormedUtf8, "?", true);
}

} // namespace vx::os::system
