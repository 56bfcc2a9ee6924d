#include "platform/os/Directory.h"

#include "platform/os/posix/PosixError.h"

#include <algorithm>
#include <clocale>
#include <cstring>
#include <cwctype>
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <locale.h>
#include <string>
#include <string_view>
#include <utility>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <vector>

namespace vx::os {

namespace {

bool entryTypesUnknown = false;

struct Item {
    std::string name;
    unsigned char type;
};

} // namespace

struct Directory::State {
    DIR *dir;
    std::vector<Item> items;
    std::size_t next = 0;
    std::error_code readError; // a failure part-way through the listing, reported after what was read
};

namespace testing {
void reportEntryTypesAsUnknown(bool unknown) { entryTypesUnknown = unknown; }
} // namespace testing

namespace {

EntryKind kindOfStat(const struct stat &st)
{
    if (S_ISREG(st.st_mode))
        return EntryKind::File;
    if (S_ISDIR(st.st_mode))
        return EntryKind::Folder;
    return EntryKind::Other;
}

// The upper case of one UTF-16 code unit, as NTFS's table maps it (surrogates stay as they are).
char16_t upperUnit(char16_t unit)
{
    if (unit < 0x80)
        return unit >= u'a' && unit <= u'z' ? char16_t(unit - u'a' + u'A') : unit;
    if (unit >= 0xD800 && unit <= 0xDFFF)
        return unit;
    static const locale_t unicode = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
    if (!unicode)
        return unit;
    const wint_t upper = ::towupper_l(wint_t(unit), unicode);
    return upper <= 0xFFFF ? char16_t(upper) : unit;
}

// The name as NTFS compares it, appended to key: UTF-8 decoded to UTF-16, every code unit upper-cased. A
// byte that is no part of valid UTF-8 (names in an 8-bit code page) stands for itself in the surrogate
// range, as Linux's own file system bridges do, so such names sort after all others and among themselves
// by byte. Each code unit is written high byte first, so that keys compare as bytes (memcmp) in the
// order of their code units.
void appendNtfsKey(const std::string &name, std::string &key)
{
    // No byte gives more than one code unit (a 4-byte sequence gives two): two key bytes per name byte.
    const std::size_t start = key.size();
    key.resize(start + 2 * name.size());
    char *out = key.data() + start;
    const auto push = [&out](char16_t unit) {
        *out++ = char(unit >> 8);
        *out++ = char(unit & 0xFF);
    };
    const auto *s = reinterpret_cast<const unsigned char *>(name.data());
    const std::size_t n = name.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            push(upperUnit(c));
            ++i;
            continue;
        }
        const std::size_t length = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
        char32_t code = length == 4 ? c & 0x07 : length == 3 ? c & 0x0F : c & 0x1F;
        bool valid = length != 0 && i + length <= n;
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (s[i + k] & 0xC0) == 0x80;
            code = (code << 6) | (s[i + k] & 0x3F);
        }
        valid = valid && !(length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF)))
                && !(length == 4 && (code < 0x10000 || code > 0x10FFFF));
        if (!valid) {
            push(char16_t(0xDC00 | c));
            ++i;
        } else if (code > 0xFFFF) {
            push(char16_t(0xD800 + ((code - 0x10000) >> 10)));
            push(char16_t(0xDC00 + ((code - 0x10000) & 0x3FF)));
            i += length;
        } else {
            push(upperUnit(char16_t(code)));
            i += length;
        }
    }
    key.resize(std::size_t(out - key.data()));
}

bool isDotOrDotDot(const std::string &name) { return name == "." || name == ".."; }

// Reads every entry and puts them in NTFS's order; names equal there (Linux lets "a.jpg" and "A.jpg"
// live side by side) keep their byte order. The keys of a folder share one buffer and the sort moves
// indices, not names: a folder of many entries costs no allocation per name.
void readSorted(Directory::State &state)
{
    std::vector<Item> read;
    std::string keys;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> spans; // each entry's key: start and length in keys
    for (;;) {
        errno = 0;
        const dirent *d = ::readdir(state.dir);
        if (!d) {
            if (errno != 0)
                state.readError = posix::lastError();
            break;
        }
        read.push_back(Item{d->d_name, d->d_type});
        const std::size_t start = keys.size();
        if (!isDotOrDotDot(read.back().name)) // "." and ".." (empty keys) first, as NTFS lists them
            appendNtfsKey(read.back().name, keys);
        spans.emplace_back(std::uint32_t(start), std::uint32_t(keys.size() - start));
    }
    const std::string_view all(keys);
    std::vector<std::uint32_t> order(read.size());
    for (std::uint32_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const int byKey = std::string_view(all.data() + spans[a].first, spans[a].second)
                              .compare(std::string_view(all.data() + spans[b].first, spans[b].second));
        if (byKey != 0)
            return byKey < 0;
        return read[a].name < read[b].name;
    });
    state.items.reserve(read.size());
    for (const std::uint32_t i : order)
        state.items.push_back(std::move(read[i]));
}

} // namespace

std::optional<FileIdentity> identityOf(const std::filesystem::path &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileIdentity{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino)};
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

namespace {

// O_DIRECTORY refuses anything but a folder before opening it, so a pipe is never waited on.
constexpr int FolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// The folder open at fd (closed here on failure), read and sorted.
Directory::State *adopt(int fd, std::error_code &error)
{
    DIR *dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        error = posix::lastError();
        if (fd >= 0)
            ::close(fd);
        return nullptr;
    }
    auto *state = new Directory::State{dir, {}, 0, {}};
    readSorted(*state);
    error.clear();
    return state;
}

} // namespace

bool Directory::open(const std::filesystem::path &folder, std::error_code &error)
{
    close();
    handle_ = adopt(::open(folder.c_str(), FolderFlags), error);
    return handle_ != nullptr;
}

bool Directory::open(const Directory &parent, const std::filesystem::path::string_type &name, std::error_code &error)
{
    close();
    if (!parent.handle_) {
        error = std::make_error_code(std::errc::bad_file_descriptor);
        return false;
    }
    handle_ = adopt(::openat(::dirfd(parent.handle_->dir), name.c_str(), FolderFlags), error);
    return handle_ != nullptr;
}

std::optional<FileIdentity> Directory::identity() const
{
    struct stat st {};
    if (!handle_ || ::fstat(::dirfd(handle_->dir), &st) != 0)
        return std::nullopt;
    return FileIdentity{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino)};
}

bool Directory::onKernelFileSystem() const
{
    struct statfs fs {};
    if (!handle_ || ::fstatfs(::dirfd(handle_->dir), &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case SECURITYFS_MAGIC:
    case BPF_FS_MAGIC:
    case PSTOREFS_MAGIC:
    case EFIVARFS_MAGIC:
        return true;
    default:
        return false;
    }
}

bool Directory::next(DirectoryEntry &entry, std::error_code &error)
{
    error.clear();
    if (!handle_)
        return false;
    if (handle_->next >= handle_->items.size()) {
        error = handle_->readError;
        return false;
    }
    const Item &item = handle_->items[handle_->next++];
    const int fd = ::dirfd(handle_->dir);
    entry.name.assign(item.name);
    entry.isLink = false;
    switch (entryTypesUnknown ? int(DT_UNKNOWN) : int(item.type)) {
    case DT_REG:
        entry.kind = EntryKind::File;
        return true;
    case DT_DIR:
        entry.kind = EntryKind::Folder;
        return true;
    case DT_LNK:
        break;
    case DT_UNKNOWN: {
        // Some file systems (older XFS, some network ones) leave the type to a stat of the entry.
        struct stat st {};
        if (::fstatat(fd, item.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            entry.kind = EntryKind::Other;
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            entry.kind = kindOfStat(st);
            return true;
        }
        break;
    }
    default:
        entry.kind = EntryKind::Other;
        return true;
    }
    // A link: its kind is what it leads to.
    entry.isLink = true;
    struct stat target {};
    if (::fstatat(fd, item.name.c_str(), &target, 0) != 0) {
        entry.kind = EntryKind::Other;
        return true;
    }
    entry.kind = S_ISDIR(target.st_mode) ? EntryKind::FolderLink : kindOfStat(target);
    return true;
}

void Directory::close()
{
    if (handle_) {
        ::closedir(handle_->dir);
        delete handle_;
        handle_ = nullptr;
    }
}

} // namespace vx::os
