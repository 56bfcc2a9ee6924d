#include "platform/os/ErrorText.h"

#include <cstring>
#include <iconv.h>
#include <langinfo.h>

namespace vx::os {
namespace {

// The locale's text as UTF-8; a locale of another character set is converted, what cannot be is cut.
std::string toUtf8(const char *text)
{
    const char *charset = ::nl_langinfo(CODESET);
    if (!charset || std::strcmp(charset, "UTF-8") == 0 || std::strcmp(charset, "ANSI_X3.4-1968") == 0)
        return text;
    const iconv_t cd = ::iconv_open("UTF-8", charset);
    if (cd == iconv_t(-1))
        return text;
    std::string out(std::strlen(text) * 4 + 4, '\0');
    char *in = const_cast<char *>(text);
    std::size_t inLeft = std::strlen(text);
    char *to = out.data();
    std::size_t outLeft = out.size();
    ::iconv(cd, &in, &inLeft, &to, &outLeft);
    ::iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

std::string errorText(const std::error_code &error)
{
    if (error.category() != std::system_category() && error.category() != std::generic_category())
        return error.message();
    char buffer[512];
    // The GNU strerror_r, in the messages language of the locale the program set up.
    return toUtf8(::strerror_r(error.value(), buffer, sizeof buffer));
}

} // namespace vx::os
