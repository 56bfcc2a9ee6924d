#include "platform/os/Directory.h"

#include "platform/os/win32/WinError.h"

#include <cstring>

namespace vx::os {

struct Directory::State {
    std::filesystem::path folder;
    HANDLE folderHandle = INVALID_HANDLE_VALUE; // held open: the folder's identity comes from it
    HANDLE find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW data{};
    bool pending = false; // FindFirstFileExW already returned the first entry
};

namespace {

bool entryTypesUnknown = false;

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

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

// FILE_ID_INFO, spelled out here because MinGW declares it only for Windows 8 and later targets.
struct FileIdInformation {
    ULONGLONG volumeSerialNumber;
    BYTE fileId[16];
};
constexpr auto FileIdInformationClass = FILE_INFO_BY_HANDLE_CLASS(18); // FileIdInfo

std::optional<FileIdentity> identityOfHandle(HANDLE h)
{
    FileIdInformation id{};
    if (::GetFileInformationByHandleEx(h, FileIdInformationClass, &id, sizeof id)) {
        FileIdentity identity;
        identity.volume = id.volumeSerialNumber;
        std::memcpy(&identity.index, id.fileId, 8);
        std::memcpy(&identity.indexHigh, id.fileId + 8, 8);
        return identity;
    }
    // Windows 7 and some file systems refuse the 128-bit id: the 64-bit index is unique there.
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(h, &info))
        return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// A handle on what path names, links followed (FILE_FLAG_BACKUP_SEMANTICS opens folders).
HANDLE openFolderHandle(const std::filesystem::path &path)
{
    return ::CreateFileW(win32::systemPath(path).c_str(), FILE_READ_ATTRIBUTES, ShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace

namespace testing {
void reportEntryTypesAsUnknown(bool unknown) { entryTypesUnknown = unknown; }
} // namespace testing

std::optional<FileIdentity> identityOf(const std::filesystem::path &path)
{
    const HANDLE h = openFolderHandle(path);
    if (h == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const auto identity = identityOfHandle(h);
    ::CloseHandle(h);
    return identity;
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
    auto state = new State;
    state->folder = folder;
    state->folderHandle = openFolderHandle(folder);
    if (state->folderHandle == INVALID_HANDLE_VALUE) {
        error = win32::lastError();
        delete state;
        return false;
    }
    std::wstring pattern = win32::systemPath(folder);
    if (!pattern.empty() && pattern.back() != L'\\')
        pattern += L'\\';
    pattern += L'*';
    // Basic information leaves out the 8.3 names, which nobody here reads; large fetches save calls on
    // big folders.
    state->find = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &state->data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (state->find == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        // An empty drive root lists nothing at all, not even "."; that is an empty folder, not a failure.
        if (code != ERROR_FILE_NOT_FOUND) {
            ::CloseHandle(state->folderHandle);
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

bool Directory::open(const Directory &parent, const std::filesystem::path::string_type &name, std::error_code &error)
{
    if (!parent.handle_) {
        close();
        error = std::make_error_code(std::errc::bad_file_descriptor);
        return false;
    }
    return open(parent.handle_->folder / name, error);
}

std::optional<FileIdentity> Directory::identity() const
{
    return handle_ ? identityOfHandle(handle_->folderHandle) : std::nullopt;
}

bool Directory::onKernelFileSystem() const { return false; }

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
    if (!entryTypesUnknown || entry.isDotOrDotDot()) {
        entry.kind = kindOf(handle_->data, entry.isLink);
        return true;
    }
    // Without the listing's attributes: a lookup of the entry by name, as a file system that leaves the
    // type out needs.
    WIN32_FIND_DATAW own{};
    const HANDLE find = ::FindFirstFileExW(win32::systemPath(handle_->folder / entry.name).c_str(), FindExInfoBasic,
                                           &own, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) {
        entry.kind = EntryKind::Other;
        entry.isLink = false;
        return true;
    }
    ::FindClose(find);
    entry.kind = kindOf(own, entry.isLink);
    return true;
}

void Directory::close()
{
    if (handle_) {
        if (handle_->find != INVALID_HANDLE_VALUE)
            ::FindClose(handle_->find);
        if (handle_->folderHandle != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle_->folderHandle);
        delete handle_;
        handle_ = nullptr;
    }
}

} // namespace vx::os
