#include "platform/os/LongPath.h"

#include <vector>

namespace vx::os {
namespace {

bool startsWith(std::wstring_view text, std::wstring_view head) { return text.substr(0, head.size()) == head; }

bool isDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// root + the parts of rest joined by "\", with "." dropped and ".." taking back one part that rest
// added (the root itself is never left).
std::wstring joinResolved(std::wstring root, std::wstring_view rest)
{
    std::vector<std::wstring_view> parts;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find(L'\\', start);
        if (end == std::wstring_view::npos)
            end = rest.size();
        const std::wstring_view part = rest.substr(start, end - start);
        if (part == L"..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            root += L'\\';
        root += parts[i];
    }
    // A folder written with its separator keeps it ("C:\set\" lists as "C:\set\*").
    if (!parts.empty() && !rest.empty() && rest.back() == L'\\')
        root += L'\\';
    return root;
}

} // namespace

std::wstring extendedLengthPath(std::wstring_view path)
{
    if (startsWith(path, L"\\\\?\\") || startsWith(path, L"\\??\\"))
        return std::wstring(path);
    std::wstring text(path);
    for (wchar_t &c : text)
        if (c == L'/')
            c = L'\\';
    const std::wstring_view t = text;
    if (startsWith(t, L"\\\\.\\") || startsWith(t, L"\\\\?\\"))
        return text;
    if (t.size() >= 3 && isDriveLetter(t[0]) && t[1] == L':' && t[2] == L'\\')
        return joinResolved(L"\\\\?\\" + text.substr(0, 3), t.substr(3));
    if (startsWith(t, L"\\\\") && t.size() > 2 && t[2] != L'\\') {
        // \\server\share: both stay, whatever ".." follows.
        const std::size_t server = t.find(L'\\', 2);
        const std::size_t share = server == std::wstring_view::npos ? server : t.find(L'\\', server + 1);
        if (share == std::wstring_view::npos)
            return L"\\\\?\\UNC\\" + text.substr(2);
        return joinResolved(L"\\\\?\\UNC\\" + text.substr(2, share - 2) + L'\\', t.substr(share + 1));
    }
    return text;
}

bool windowsRefusesName(std::wstring_view name)
{
    if (name.empty())
        return false;
    for (const wchar_t c : name)
        if (c < 0x20 || std::wstring_view(L"<>:\"|?*").find(c) != std::wstring_view::npos)
            return true;
    if (name.back() == L'.' || name.back() == L' ')
        return true;
    // The device names hold with any extension and with spaces before it ("con .jpg").
    std::wstring_view stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ')
        stem.remove_suffix(1);
    std::wstring upper(stem);
    for (wchar_t &c : upper)
        if (c >= L'a' && c <= L'z')
            c = wchar_t(c - L'a' + L'A');
    if (upper == L"CON" || upper == L"PRN" || upper == L"AUX" || upper == L"NUL")
        return true;
    if (upper.size() == 4 && (startsWith(upper, L"COM") || startsWith(upper, L"LPT"))) {
        // Windows counts the superscript digits 1, 2 and 3 as digits here too.
        const wchar_t d = upper[3];
        return (d >= L'1' && d <= L'9') || d == L'\u00B9' || d == L'\u00B2' || d == L'\u00B3';
    }
    return false;
}

} // namespace vx::os
