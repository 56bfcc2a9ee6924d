#pragma once
// The Win32 headers as this layer includes them, and the last error as a standard error code.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/os/FileTime.h"
#include "platform/os/LongPath.h"

namespace vx::os::win32 {

inline std::error_code lastError() { return {int(::GetLastError()), std::system_category()}; }

// The form in which every path reaches a Win32 call: past MAX_PATH too.
inline std::wstring systemPath(const std::filesystem::path &path) { return extendedLengthPath(path.native()); }

inline std::string toUtf8(const std::wstring &text)
{
    if (text.empty())
        return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

// FILETIME counts 100-nanosecond steps since 1601-01-01 UTC.
constexpr std::int64_t FileTimeUnixEpoch = 116444736000000000;

inline FILETIME toFiletime(FileTime time)
{
    const std::int64_t ticks = time.time_since_epoch().count() / 100 + FileTimeUnixEpoch;
    FILETIME ft;
    ft.dwLowDateTime = DWORD(std::uint64_t(ticks) & 0xFFFFFFFFu);
    ft.dwHighDateTime = DWORD(std::uint64_t(ticks) >> 32);
    return ft;
}

inline FileTime fromFiletime(const FILETIME &ft)
{
    const std::int64_t ticks = std::int64_t((std::uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
    return FileTime(std::chrono::nanoseconds((ticks - FileTimeUnixEpoch) * 100));
}

} // namespace vx::os::win32
