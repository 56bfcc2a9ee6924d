#include "platform/os/CodePage.h"

#include "platform/os/win32/WinError.h"

namespace vx::os::system {
namespace {

// Always the fixed page, never CP_ACP or CP_OEMCP: those follow the user's settings.
UINT windowsCodePage(CodePage page) { return page == CodePage::Oem866 ? 866 : 1251; }

std::wstring wide(UINT from, DWORD flags, std::string_view bytes)
{
    std::wstring out;
    if (bytes.empty())
        return out;
    const int n = ::MultiByteToWideChar(from, flags, bytes.data(), int(bytes.size()), nullptr, 0);
    if (n <= 0)
        return out;
    out.resize(std::size_t(n));
    ::MultiByteToWideChar(from, flags, bytes.data(), int(bytes.size()), out.data(), n);
    return out;
}

std::string narrow(UINT to, DWORD flags, std::wstring_view text, const char *defaultChar)
{
    std::string out;
    if (text.empty())
        return out;
    const int n = ::WideCharToMultiByte(to, flags, text.data(), int(text.size()), nullptr, 0, defaultChar, nullptr);
    if (n <= 0)
        return out;
    out.resize(std::size_t(n));
    ::WideCharToMultiByte(to, flags, text.data(), int(text.size()), out.data(), n, defaultChar, nullptr);
    return out;
}

} // namespace

std::string decode(CodePage page, std::string_view bytes)
{
    std::wstring text = wide(windowsCodePage(page), 0, bytes);
    // Windows fills the empty places of its single-byte tables with the C1 control of the same value
    // (1251's 0x98 reads as U+0098) where iconv refuses them; neither page gives a real character
    // there, so both read as U+FFFD.
    for (wchar_t &c : text)
        if (c >= 0x80 && c <= 0x9F)
            c = 0xFFFD;
    return narrow(CP_UTF8, 0, text, nullptr);
}

std::string encode(CodePage page, std::string_view wellFormedUtf8)
{
    // Without WC_NO_BEST_FIT_CHARS Windows writes a look-alike ('u' for 'ü') where iconv gives none.
    std::wstring text = wide(CP_UTF8, 0, wellFormedUtf8);
    std::string out;
    out.reserve(text.size());
    // A character outside the BMP is one '?', as iconv gives it, not one per surrogate.
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool surrogatePair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF &&
                                   text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (i < text.size() && !surrogatePair)
            continue;
        out += narrow(windowsCodePage(page), WC_NO_BEST_FIT_CHARS, std::wstring_view(text).substr(start, i - start), "?");
        if (surrogatePair) {
            out += '?';
            start = i + 2;
            ++i;
        }
    }
    return out;
}

} // namespace vx::os::system
