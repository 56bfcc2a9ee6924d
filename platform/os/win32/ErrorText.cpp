#include "platform/os/ErrorText.h"

#include "platform/os/win32/WinError.h"

#include <string>

namespace vx::os {

std::string errorText(const std::error_code &error)
{
    if (error.category() != std::system_category())
        return error.message(); // the C library's and this layer's own texts are English ASCII
    wchar_t *text = nullptr;
    // Language 0: the thread's, then the user's language.
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        DWORD(error.value()), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::wstring wide = length && text ? std::wstring(text, length) : std::wstring();
    if (text)
        ::LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' '))
        wide.pop_back();
    if (wide.empty())
        return "Error " + std::to_string(error.value());
    return win32::toUtf8(wide);
}

} // namespace vx::os
