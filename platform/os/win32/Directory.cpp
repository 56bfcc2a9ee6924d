#include "platform/os/Directory.h"

#include "platform/os/win32/WinError.h"

namespace vx::os {

struct Directory::State {
    std::filesystem::path folder;
    HANDLE find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW data{};
    bool pending = false; // FindFirstFileExW already returned the first entry
};

namespace {

EntryKind kindOf(const WIN32_FIND_DATAW &data, bool &isLink)
{
    const DWORD attributes = data.dwFileAttributes;
    // dwReserved0 holds the reparse tag; symbolic links and junctions (mount points) are links, other
    // reparse points (deduplicated or cloud files) are ordinary files and folders.
    isLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
             && (data.dwReserved0 == IO_REPARSE_TAG_SYMLINK || data.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return isLink ? EntryKind::FolderLink : EntryKind::Folder;
    if (attributes & FILE_ATTRIBUTE_DEVICE)
        return EntryKind::Other;
    return EntryKind::File;
}

} // namespace

std::optional<FileIdentity> identityOf(const std::filesystem::path &path)
{
    // FILE_FLAG_BACKUP_SEMANTICS opens folders; without FILE_FLAG_OPEN_REPARSE_POINT links are followed.
    const HANDLE h = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = ::GetFileInformationByHandle(h, &info);
    ::CloseHandle(h);
    if (!ok)
        return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

Directory::Directory(Directory &&other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }

Directory &Directory::operator=(Directory &&other) noexcept
{
    if (this != &other) {
        close();
        handle_ = other.handle_;
        other.handle_ = nullptr;
    }
    return *this;
}

bool Directory::open(const std::filesystem::path &folder, std::error_code &error)
{
    close();
    std::wstring pattern = folder.native();
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/')
        pattern += L'\\';
    pattern += L'*';
    auto state = new State;
    state->folder = folder;
    // Basic information leaves out the 8.3 names, which nobody here reads; large fetches save calls on
    // big folders.
    state->find = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &state->data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (state->find == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        // An empty drive root lists nothing at all, not even "."; that is an empty folder, not a failure.
        if (code != ERROR_FILE_NOT_FOUND) {
            delete state;
            error = {int(code), std::system_category()};
            return false;
        }
    } else {
        state->pending = true;
    }
    handle_ = state;
    error.clear();
    return true;
}

std::optional<FileIdentity> Directory::identity() const
{
    return handle_ ? identityOf(handle_->folder) : std::nullopt;
}

bool Directory::next(DirectoryEntry &entry, std::error_code &error)
{
    error.clear();
    if (!handle_ || handle_->find == INVALID_HANDLE_VALUE)
        return false;
    if (handle_->pending) {
        handle_->pending = false;
    } else if (!::FindNextFileW(handle_->find, &handle_->data)) {
        const DWORD code = ::GetLastError();
        if (code != ERROR_NO_MORE_FILES)
            error = {int(code), std::system_category()};
        return false;
    }
    entry.name.assign(handle_->data.cFileName);
    entry.kind = kindOf(handle_->data, entry.isLink);
    return true;
}

void Directory::close()
{
    if (handle_) {
        if (handle_->find != INVALID_HANDLE_VALUE)
            ::FindClose(handle_->find);
        delete handle_;
        handle_ = nullptr;
    }
}

} // namespace vx::os
