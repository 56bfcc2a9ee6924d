#include "platform/os/FileInfo.h"

#include "platform/os/win32/WinError.h"

#include <vector>

namespace vx::os {
namespace {

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool isLinkAttribute(const std::filesystem::path &path, DWORD attributes)
{
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileExW(win32::systemPath(path).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(find);
    return data.dwReserved0 == IO_REPARSE_TAG_SYMLINK || data.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT;
}

} // namespace

std::optional<PathStatus> pathStatus(const std::filesystem::path &path)
{
    const DWORD own = ::GetFileAttributesW(win32::systemPath(path).c_str());
    if (own == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    PathStatus s;
    s.isLink = isLinkAttribute(path, own);
    s.readOnly = own & FILE_ATTRIBUTE_READONLY;
    // Backup semantics open folders too; without FILE_FLAG_OPEN_REPARSE_POINT a link is followed.
    const HANDLE h = ::CreateFileW(win32::systemPath(path).c_str(), FILE_READ_ATTRIBUTES, ShareAll, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        s.kind = s.isLink ? PathKind::Other : (own & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::Other;
        return s;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = ::GetFileInformationByHandle(h, &info);
    const DWORD type = ::GetFileType(h);
    ::CloseHandle(h);
    if (!ok)
        return s;
    s.kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder
             : type == FILE_TYPE_DISK                            ? PathKind::RegularFile
                                                                 : PathKind::Other;
    s.size = (std::uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    s.modified = win32::fromFiletime(info.ftLastWriteTime);
    s.readOnly = info.dwFileAttributes & FILE_ATTRIBUTE_READONLY;
    return s;
}

bool pathExists(const std::filesystem::path &path) { return ::GetFileAttributesW(win32::systemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

bool removeFile(const std::filesystem::path &path, std::error_code &error)
{
    const std::wstring name = win32::systemPath(path);
    if (::DeleteFileW(name.c_str()))
        return true;
    error = win32::lastError();
    // Windows refuses to delete a read-only file, POSIX does not; copies of read-only photos are
    // read-only, and deleting them is what the user asked for. The attribute comes back when the delete
    // still fails, so a file that stays keeps what it had.
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (error.value() != ERROR_ACCESS_DENIED || attributes == INVALID_FILE_ATTRIBUTES
        || !(attributes & FILE_ATTRIBUTE_READONLY) || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (!::SetFileAttributesW(name.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY)))
        return false;
    if (::DeleteFileW(name.c_str())) {
        error.clear();
        return true;
    }
    error = win32::lastError();
    ::SetFileAttributesW(name.c_str(), attributes);
    return false;
}

bool createFolder(const std::filesystem::path &path, std::error_code &error)
{
    if (!::CreateDirectoryW(win32::systemPath(path).c_str(), nullptr)) {
        error = win32::lastError();
        return false;
    }
    return true;
}

bool setModificationTime(const std::filesystem::path &path, FileTime time, std::error_code &error)
{
    const HANDLE h = ::CreateFileW(win32::systemPath(path).c_str(), FILE_WRITE_ATTRIBUTES, ShareAll, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = win32::lastError();
        return false;
    }
    const FILETIME ft = win32::toFiletime(time);
    const bool ok = ::SetFileTime(h, nullptr, nullptr, &ft);
    if (!ok)
        error = win32::lastError();
    ::CloseHandle(h);
    return ok;
}

bool setReadOnly(const std::filesystem::path &path, bool readOnly, std::error_code &error)
{
    const DWORD attributes = ::GetFileAttributesW(win32::systemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error = win32::lastError();
        return false;
    }
    const DWORD wanted = readOnly ? attributes | FILE_ATTRIBUTE_READONLY : attributes & ~DWORD(FILE_ATTRIBUTE_READONLY);
    if (wanted != attributes && !::SetFileAttributesW(win32::systemPath(path).c_str(), wanted)) {
        error = win32::lastError();
        return false;
    }
    return true;
}

bool setPermissions(const std::filesystem::path &path, unsigned mode, std::error_code &error)
{
    return setReadOnly(path, (mode & 0200) == 0, error);
}

bool isOnRemovableDrive(const std::filesystem::path &path)
{
    // The volume's root ("E:\", or a folder a volume is mounted on) is what GetDriveTypeW judges.
    const std::wstring name = win32::systemPath(path);
    std::vector<wchar_t> root(name.size() + 2 > MAX_PATH ? name.size() + 2 : MAX_PATH);
    if (!::GetVolumePathNameW(name.c_str(), root.data(), DWORD(root.size())))
        return false;
    return ::GetDriveTypeW(root.data()) == DRIVE_REMOVABLE;
}

} // namespace vx::os
