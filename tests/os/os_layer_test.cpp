// The operating-system layer against the real system: the same table of cases runs natively against the
// POSIX implementation and, cross-compiled, against the Win32 one under Wine. Plain C++ so that it
// builds for both without a toolkit; it ends with "N passed, N failed" and fails when any case does.

#include "platform/os/Clock.h"
#include "platform/os/CodePage.h"
#include "platform/os/Directory.h"
#include "platform/os/ErrorText.h"
#include "platform/os/File.h"
#include "platform/os/FileInfo.h"
#include "platform/os/FileTime.h"
#include "platform/os/LongPath.h"
#include "platform/os/OpenFileLimit.h"
#include "platform/os/Rename.h"
#include "platform/os/Socket.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace vx::os;

namespace {

// --- the runner -------------------------------------------------------------------------------------

struct Outcome {
    enum Kind { Pass, Fail, Skip } kind = Pass;
    std::string text;
};

Outcome pass() { return {}; }
Outcome fail(std::string why) { return {Outcome::Fail, std::move(why)}; }
// Wine exports its version from ntdll; Windows does not.
bool underWine()
{
#ifdef _WIN32
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

// A case the system here cannot show. Only Wine may lack what a case needs (links, junctions, resets,
// NTFS's order); on a real Windows machine every case runs, so a skip there is a failure.
Outcome skip(std::string why)
{
#ifdef _WIN32
    if (!underWine())
        return {Outcome::Fail, "would be skipped outside Wine: " + why};
#endif
    return {Outcome::Skip, std::move(why)};
}

#define EXPECT(condition, why)                                                                               \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            return fail(std::string(why) + " [" #condition "]");                                             \
    } while (0)

struct Case {
    std::string name;
    std::function<Outcome()> run;
};

// A fresh folder per case inside the system's temporary folder, removed afterwards.
class Scratch {
public:
    explicit Scratch(const std::string &tag)
    {
        // Wine reuses small process ids: a folder left by a run that was killed is never taken over.
        static int serial = 0;
        do
            root_ = fs::temp_directory_path() / ("vx-os-" + std::to_string(currentProcess()) + "-" + tag + "-" +
                                                 std::to_string(++serial));
        while (!fs::create_directory(root_));
    }
    ~Scratch()
    {
        std::error_code ec;
        removeFiles(root_);
        fs::remove_all(root_, ec);
    }
    const fs::path &root() const { return root_; }

private:
    static long currentProcess()
    {
#ifdef _WIN32
        return long(::GetCurrentProcessId());
#else
        return long(::getpid());
#endif
    }
    // Through the layer, whose paths reach Windows in their extended-length form: the standard library's
    // would open the device for a file a failed case left named "nul.jpg".
    static void removeFiles(const fs::path &folder)
    {
        std::error_code ec;
        std::vector<fs::path> files;
        for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec)) {
            std::error_code ignored;
            if (it->is_symlink(ignored) || !it->is_directory(ignored))
                files.push_back(it->path());
        }
        for (const fs::path &file : files) {
            std::error_code ignored;
            removeFile(file, ignored);
        }
    }
    fs::path root_;
};

fs::path utf8(const char *text) { return fs::path(reinterpret_cast<const char8_t *>(text)); }

// A name written as wide text, as the system would hold it: UTF-16 on Windows, UTF-8 bytes elsewhere.
fs::path wideName(std::wstring_view name)
{
#ifdef _WIN32
    return fs::path(std::wstring(name));
#else
    std::string bytes;
    for (const wchar_t c : name) {
        const auto u = std::uint32_t(c);
        if (u < 0x80) {
            bytes += char(u);
        } else if (u < 0x800) {
            bytes += char(0xC0 | (u >> 6));
            bytes += char(0x80 | (u & 0x3F));
        } else {
            bytes += char(0xE0 | (u >> 12));
            bytes += char(0x80 | ((u >> 6) & 0x3F));
            bytes += char(0x80 | (u & 0x3F));
        }
    }
    return fs::path(bytes);
#endif
}

// Wide text for a failure line: ASCII as it is, everything else as "?".
std::string printable(std::wstring_view text)
{
    std::string out;
    for (const wchar_t c : text)
        out += c >= 0x20 && c < 0x7F ? char(c) : '?';
    return out;
}

bool isUtf8(const std::string &text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : c >= 0xC2 && c < 0xE0 ? 2 : c >= 0xE0 && c < 0xF0 ? 3 : c >= 0xF0 && c < 0xF5 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

bool writeFile(const fs::path &path, const std::string &bytes)
{
    File f;
    std::error_code ec;
    return f.createNew(path, ec) && f.writeAll(bytes.data(), bytes.size(), ec) && f.close(ec);
}

std::optional<std::string> readFile(const fs::path &path, Sharing sharing = Sharing::ReadersAndWriters)
{
    File f;
    std::error_code ec;
    if (!f.openForReading(path, sharing, ec))
        return std::nullopt;
    std::string out;
    char buffer[4096];
    for (std::int64_t n; (n = f.read(buffer, sizeof buffer, ec)) > 0;)
        out.append(buffer, std::size_t(n));
    return out;
}

// Every entry of a folder with its kind, as the system lists it.
std::map<fs::path::string_type, EntryKind> listFolder(const fs::path &folder)
{
    std::map<fs::path::string_type, EntryKind> entries;
    Directory dir;
    std::error_code ec;
    if (!dir.open(folder, ec))
        return entries;
    DirectoryEntry entry;
    while (dir.next(entry))
        entries[entry.name] = entry.kind;
    return entries;
}

// Every name of a folder in the order the layer lists them.
std::vector<fs::path::string_type> namesInOrder(const fs::path &folder)
{
    std::vector<fs::path::string_type> names;
    Directory dir;
    std::error_code ec;
    if (!dir.open(folder, ec))
        return names;
    DirectoryEntry entry;
    while (dir.next(entry))
        names.push_back(entry.name);
    return names;
}

#ifdef _WIN32
// A junction (a mount point reparse point), which Windows lets every user make, unlike symbolic links.
bool makeJunction(const fs::path &link, const fs::path &target, std::string &why)
{
    std::error_code ec;
    fs::create_directory(link, ec);
    const HANDLE h = ::CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        why = "cannot open the junction's folder";
        return false;
    }
    // REPARSE_DATA_BUFFER for a mount point: tag, data length, reserved, then substitute and print
    // names (offsets and lengths in bytes) in one path buffer, each ending in a NUL.
    const std::wstring substitute = L"\\??\\" + fs::absolute(target).wstring();
    const std::wstring print = fs::absolute(target).wstring();
    const std::size_t pathBytes = (substitute.size() + 1 + print.size() + 1) * 2;
    std::vector<char> buffer(16 + pathBytes);
    const auto put16 = [&buffer](std::size_t at, std::size_t v) {
        buffer[at] = char(v & 0xFF);
        buffer[at + 1] = char((v >> 8) & 0xFF);
    };
    const DWORD tag = 0xA0000003; // IO_REPARSE_TAG_MOUNT_POINT
    std::memcpy(buffer.data(), &tag, 4);
    put16(4, buffer.size() - 8);
    put16(8, 0);
    put16(10, substitute.size() * 2);
    put16(12, (substitute.size() + 1) * 2);
    put16(14, print.size() * 2);
    std::memcpy(buffer.data() + 16, substitute.c_str(), (substitute.size() + 1) * 2);
    std::memcpy(buffer.data() + 16 + (substitute.size() + 1) * 2, print.c_str(), (print.size() + 1) * 2);
    DWORD returned = 0;
    const BOOL made = ::DeviceIoControl(h, 0x000900A4 /* FSCTL_SET_REPARSE_POINT */, buffer.data(),
                                        DWORD(buffer.size()), nullptr, 0, &returned, nullptr);
    const DWORD code = ::GetLastError();
    ::CloseHandle(h);
    if (!made) {
        why = "the system makes no junctions here (error " + std::to_string(code) + ")";
        fs::remove(link, ec);
    }
    return made;
}
#endif

// Whether a link really stands at path: Wine's CreateSymbolicLinkW reports success and makes nothing.
bool linkStands(const fs::path &path)
{
    const auto st = pathStatus(path);
    return st && st->isLink;
}

// A symbolic link to a folder (on Windows, failing that, a junction); false where the system will not
// make one, with the reason in why.
bool makeFolderLink(const fs::path &link, const fs::path &target, std::string &why)
{
    std::error_code ec;
    fs::create_directory_symlink(target, link, ec);
    if (!ec && linkStands(link))
        return true;
#ifdef _WIN32
    // 0x1 a folder, 0x2 allowed without elevation in developer mode.
    if (::CreateSymbolicLinkW(link.c_str(), target.c_str(), 0x1 | 0x2) && linkStands(link))
        return true;
    return makeJunction(link, target, why) && linkStands(link);
#else
    why = ec.message();
    return false;
#endif
}

bool makeFileLink(const fs::path &link, const fs::path &target, std::string &why)
{
    std::error_code ec;
    fs::create_symlink(target, link, ec);
    if (!ec && linkStands(link))
        return true;
#ifdef _WIN32
    if (::CreateSymbolicLinkW(link.c_str(), target.c_str(), 0x2) && linkStands(link))
        return true;
    why = "the system makes no file links here";
#else
    why = ec.message();
#endif
    return false;
}

// --- names ------------------------------------------------------------------------------------------

struct NameRow {
    const char *label;
    fs::path name;
};

std::vector<NameRow> nameRows()
{
    std::vector<NameRow> rows{
        {"cyrillic", utf8("Фото Сет 1.jpg")},
        {"cjk", utf8("写真集 一.jpg")},
        {"ascii with spaces and dots", utf8("a b..c.jpg")},
    };
#ifndef _WIN32
    // Bytes of code page 1251 ("Фото.jpg") that are no valid UTF-8: kept as the bytes they are.
    rows.push_back({"1251 bytes", fs::path(std::string("\xD4\xEE\xF2\xEE.jpg"))});
#endif
    return rows;
}

Outcome namesSurviveEveryOperation(const NameRow &row)
{
    Scratch s("names");
    const fs::path path = s.root() / row.name;
    EXPECT(writeFile(path, "photo"), "create and write");
    const auto listed = listFolder(s.root());
    EXPECT(listed.count(row.name.native()) == 1, "listed under its exact name");
    EXPECT(listed.at(row.name.native()) == EntryKind::File, "listed as a file");
    EXPECT(readFile(path) == std::string("photo"), "read back");
    EXPECT(pathExists(path), "exists");
    const auto st = pathStatus(path);
    EXPECT(st && st->kind == PathKind::RegularFile && st->size == 5, "status");
    std::error_code ec;
    EXPECT(removeFile(path, ec), "delete: " + ec.message());
    EXPECT(!pathExists(path), "gone after delete");
    return pass();
}

// --- enumeration ------------------------------------------------------------------------------------

Outcome treeWithHiddenEntries()
{
    Scratch s("hidden");
    const fs::path &r = s.root();
    std::error_code ec;
    EXPECT(createFolder(r / "sub", ec), "make sub");
    EXPECT(createFolder(r / ".hidden folder", ec), "make hidden folder");
    EXPECT(writeFile(r / ".hidden.jpg", "h") && writeFile(r / "plain.jpg", "p") && writeFile(r / "sub" / ".x", "x"),
           "make files");
#ifdef _WIN32
    ::SetFileAttributesW((r / ".hidden.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ::SetFileAttributesW((r / ".hidden folder").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
#endif
    auto listed = listFolder(r);
    // "." and ".." come as the system lists them; a walk sees them and skips them itself.
    listed.erase(fs::path(".").native());
    listed.erase(fs::path("..").native());
    const std::map<fs::path::string_type, EntryKind> expected{
        {fs::path("sub").native(), EntryKind::Folder},
        {fs::path(".hidden folder").native(), EntryKind::Folder},
        {fs::path(".hidden.jpg").native(), EntryKind::File},
        {fs::path("plain.jpg").native(), EntryKind::File},
    };
    EXPECT(listed == expected, "every entry with its kind");
    EXPECT(listFolder(r / "sub").count(fs::path(".x").native()) == 1, "hidden file in a sub-folder");
    Directory sub;
    EXPECT(sub.open(r / "sub", ec) && sub.identity() == identityOf(r / "sub"), "an open folder knows its identity");
    EXPECT(!(sub.identity() == identityOf(r)), "and it is not its parent's");
    Directory top, child;
    EXPECT(top.open(r, ec) && child.open(top, fs::path("sub").native(), ec), "a sub-folder opens through its parent");
    EXPECT(child.identity() == sub.identity(), "the same folder either way");
    Directory missing;
    EXPECT(!missing.open(r / "no such folder", ec) && ec, "a missing folder fails to open");
    return pass();
}

Outcome linkCycleIsRecognised()
{
    Scratch s("cycle");
    const fs::path &r = s.root();
    std::error_code ec;
    EXPECT(createFolder(r / "set", ec), "make set");
    std::string why;
    if (!makeFolderLink(r / "set" / "back", r, why))
        return skip("no link cycle: " + why);
    const auto listed = listFolder(r / "set");
    EXPECT(listed.count(fs::path("back").native()) == 1, "link listed");
    EXPECT(listed.at(fs::path("back").native()) == EntryKind::FolderLink, "listed as a link to a folder");
    const auto top = identityOf(r), viaLink = identityOf(r / "set" / "back"), set = identityOf(r / "set");
    EXPECT(top && viaLink && set, "identities readable");
    EXPECT(*top == *viaLink, "the link leads to the folder it sits in");
    EXPECT(!(*set == *top), "distinct folders differ");
    Directory through;
    EXPECT(through.open(r / "set" / "back", ec), "a link to a folder opens as that folder");
    EXPECT(through.identity() == top, "the folder opened through the link is the top folder");
    return pass();
}

// The same cases with every entry's type left for a lookup, as some file systems list them.
Outcome withEntryTypesUnknown(Outcome (*run)())
{
    testing::reportEntryTypesAsUnknown(true);
    Outcome outcome;
    try {
        outcome = run();
    } catch (...) {
        testing::reportEntryTypesAsUnknown(false);
        throw;
    }
    testing::reportEntryTypesAsUnknown(false);
    return outcome;
}

Outcome entriesInNtfsOrder()
{
    if (underWine())
        return skip("Wine lists a folder in the host file system's order; NTFS sorts its folders itself");
    Scratch s("order");
    const std::vector<std::wstring> expected{L".", L"..", L"A.jpg", L"a0.jpg", L"b.jpg", L"Z", L"_x.jpg",
                                             L"~.jpg", L"\u0431.jpg", L"\u042F.jpg"}; // б, Я
    for (auto it = expected.rbegin(); it != expected.rend() - 2; ++it)
        EXPECT(writeFile(s.root() / wideName(*it), "x"), "make " + printable(*it));
    const auto listed = namesInOrder(s.root());
    EXPECT(listed.size() == expected.size(), "every entry listed");
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT(listed[i] == wideName(expected[i]).native(), "entry " + std::to_string(i) + " is " + printable(expected[i]));
    return pass();
}

// --- paths and names Windows needs ------------------------------------------------------------------

struct LongPathRow {
    const char *label;
    const wchar_t *path;
    const wchar_t *form;
};

const LongPathRow longPathRows[] = {
    {"drive", L"C:\\Photos\\a.jpg", L"\\\\?\\C:\\Photos\\a.jpg"},
    {"drive root", L"c:\\", L"\\\\?\\c:\\"},
    {"mixed separators", L"C:/Photos\\set/a.jpg", L"\\\\?\\C:\\Photos\\set\\a.jpg"},
    {"folder with its separator", L"D:\\set\\", L"\\\\?\\D:\\set\\"},
    {"dots and doubled separators", L"C:\\a\\.\\b\\..\\\\c.jpg", L"\\\\?\\C:\\a\\c.jpg"},
    {"dot-dot above the drive", L"C:\\..\\a.jpg", L"\\\\?\\C:\\a.jpg"},
    {"share", L"\\\\server\\share\\set\\a.jpg", L"\\\\?\\UNC\\server\\share\\set\\a.jpg"},
    {"share with slashes", L"//server/share/a.jpg", L"\\\\?\\UNC\\server\\share\\a.jpg"},
    {"dot-dot above the share", L"\\\\server\\share\\..\\a.jpg", L"\\\\?\\UNC\\server\\share\\a.jpg"},
    {"prefixed", L"\\\\?\\C:\\x\\..\\y/z", L"\\\\?\\C:\\x\\..\\y/z"},
    {"prefixed share", L"\\\\?\\UNC\\s\\share\\a", L"\\\\?\\UNC\\s\\share\\a"},
    {"device", L"\\\\.\\pipe\\vx", L"\\\\.\\pipe\\vx"},
    {"relative", L"set/a.jpg", L"set\\a.jpg"},
    {"relative to a drive", L"C:set\\a.jpg", L"C:set\\a.jpg"},
    {"relative to the root", L"\\set\\a.jpg", L"\\set\\a.jpg"},
    {"device name alone", L"NUL", L"NUL"},
    {"empty", L"", L""},
};

Outcome extendedLengthForm(const LongPathRow &row)
{
    const std::wstring form = extendedLengthPath(row.path);
    EXPECT(form == row.form, "got " + printable(form));
    return pass();
}

struct WindowsNameRow {
    const char *label;
    const wchar_t *name;
    bool refused;
};

const WindowsNameRow windowsNameRows[] = {
    {"nul with an extension", L"nul.jpg", true},
    {"device name in capitals", L"CON", true},
    {"mixed case", L"Aux.JPG", true},
    {"two extensions", L"prn.tar.gz", true},
    {"space before the extension", L"con .jpg", true},
    {"COM1", L"com1.jpg", true},
    {"LPT9", L"LPT9", true},
    {"superscript one", L"COM\u00B9.jpg", true},
    {"COM0 is no device", L"com0.jpg", false},
    {"COM10 is no device", L"com10.jpg", false},
    {"device name inside a word", L"console.jpg", false},
    {"device name with more", L"nul_1.jpg", false},
    {"less than", L"a<b.jpg", true},
    {"greater than", L"a>b.jpg", true},
    {"colon", L"a:b.jpg", true},
    {"quote", L"a\"b.jpg", true},
    {"bar", L"a|b.jpg", true},
    {"question mark", L"a?.jpg", true},
    {"star", L"a*.jpg", true},
    {"control character", L"tab\t.jpg", true},
    {"trailing dot", L"photo.jpg.", true},
    {"trailing space", L"photo.jpg ", true},
    {"cyrillic", L"\u0424\u043E\u0442\u043E.jpg", false},
    {"leading dot and spaces inside", L".a b.jpg", false},
};

// The rule on every system; on Windows create refuses such a name and leaves nothing behind ("nul.jpg"
// used to "succeed" into the null device), while Linux holds every one of them as it is.
Outcome namesWindowsCannotHold(const WindowsNameRow &row)
{
    EXPECT(windowsRefusesName(row.name) == row.refused, "the rule");
    Scratch s("winname");
    // Joined as text: "/" would read "a:b.jpg" as a path on drive A:.
    const fs::path path = s.root().native() + fs::path::preferred_separator + wideName(row.name).native();
    File f;
    std::error_code ec;
    const bool created = f.createNew(path, ec) && f.writeAll("x", 1, ec) && f.close(ec);
    const auto listed = namesInOrder(s.root());
#ifdef _WIN32
    if (row.refused) {
        EXPECT(!created && ec == LayerError::NameWindowsRefuses, "refused with its reason: " + errorText(ec));
        EXPECT(listed.size() == 2, "nothing made");
        // Nor does a file finished under a temporary name take it.
        EXPECT(writeFile(s.root() / "done.tmp", "x") && !renameNoReplace(s.root() / "done.tmp", path, ec)
                   && ec == LayerError::NameWindowsRefuses,
               "renamed to it: " + errorText(ec));
        return pass();
    }
#endif
    EXPECT(created, "created: " + errorText(ec));
    EXPECT(listed.size() == 3 && listed[2] == path.filename().native(), "listed under its own name");
    return pass();
}

Outcome systemErrorTexts()
{
    Scratch s("errors");
    File f;
    std::error_code ec;
    EXPECT(!f.openForReading(s.root() / "missing.jpg", Sharing::ReadersOnly, ec), "a missing file opened");
    const std::string text = errorText(ec);
    EXPECT(!text.empty() && isUtf8(text), "the system's text as UTF-8: " + text);
    const char *lang = std::getenv("LANG");
    // Under a Russian locale the system speaks Russian: Cyrillic letters, D0 or D1 first in UTF-8.
    if (lang && std::strncmp(lang, "ru", 2) == 0)
        EXPECT(text.find('\xD0') != std::string::npos || text.find('\xD1') != std::string::npos,
               "in the user's language: " + text);
    EXPECT(errorText(make_error_code(LayerError::NotRegularFile)) == "Not a regular file", "the layer's own text");
    return pass();
}

// --- opening ----------------------------------------------------------------------------------------

struct RefuseRow {
    const char *label;
    std::function<std::optional<fs::path>(const fs::path &root, std::string &why)> make;
};

std::vector<RefuseRow> refuseRows()
{
    return {
        {"folder",
         [](const fs::path &root, std::string &) -> std::optional<fs::path> {
             std::error_code ec;
             createFolder(root / "x.jpg", ec);
             return root / "x.jpg";
         }},
        {"named pipe",
         [](const fs::path &root, std::string &why) -> std::optional<fs::path> {
#ifdef _WIN32
             (void)root;
             static HANDLE pipe = INVALID_HANDLE_VALUE;
             const std::wstring name = L"\\\\.\\pipe\\vx-os-test-" + std::to_wstring(::GetCurrentProcessId());
             if (pipe == INVALID_HANDLE_VALUE)
                 pipe = ::CreateNamedPipeW(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
             if (pipe == INVALID_HANDLE_VALUE) {
                 why = "cannot create a named pipe";
                 return std::nullopt;
             }
             return fs::path(name);
#else
             (void)why;
             const fs::path p = root / "x.jpg";
             ::mkfifo(p.c_str(), 0600);
             return p;
#endif
         }},
        {"device",
         [](const fs::path &, std::string &) -> std::optional<fs::path> {
#ifdef _WIN32
             return fs::path(L"NUL");
#else
             return fs::path("/dev/zero");
#endif
         }},
    };
}

Outcome refusesWhatIsNoRegularFile(const RefuseRow &row)
{
    Scratch s("refuse");
    std::string why;
    const auto path = row.make(s.root(), why);
    if (!path)
        return skip(why);
    for (Sharing sharing : {Sharing::ReadersOnly, Sharing::ReadersAndWriters}) {
        File f;
        std::error_code ec;
        EXPECT(!f.openForReading(*path, sharing, ec), "opened");
        EXPECT(ec == LayerError::NotRegularFile, "reason: " + ec.message());
        EXPECT(!f.isOpen(), "left open");
    }
    return pass();
}

struct SharingRow {
    const char *label;
    Sharing sharing;
    bool opens;
    bool windowsOnly;
};

Outcome sharingWithAWriter(const SharingRow &row)
{
#ifndef _WIN32
    if (row.windowsOnly)
        return skip("POSIX has no mandatory locks: a writer never shuts a reader out");
#endif
    Scratch s("share");
    const fs::path path = s.root() / "held.jpg";
    File writer;
    std::error_code ec;
    EXPECT(writer.createNew(path, ec) && writer.writeAll("abc", 3, ec), "writer holds the file");
    File reader;
    const bool opened = reader.openForReading(path, row.sharing, ec);
    EXPECT(opened == row.opens, opened ? "opened although a writer holds it" : "refused: " + ec.message());
    return pass();
}

// --- creation ---------------------------------------------------------------------------------------

struct CreateRow {
    const char *label;
    // Puts something at root/"new.jpg"; returns false (with why) when the system cannot.
    std::function<bool(const fs::path &root, std::string &why)> occupy;
};

std::vector<CreateRow> createRows()
{
    return {
        {"existing file", [](const fs::path &r, std::string &) { return writeFile(r / "new.jpg", "old"); }},
        {"existing folder",
         [](const fs::path &r, std::string &) {
             std::error_code ec;
             return createFolder(r / "new.jpg", ec);
         }},
        {"link to a file",
         [](const fs::path &r, std::string &why) {
             return writeFile(r / "target.jpg", "old") && makeFileLink(r / "new.jpg", r / "target.jpg", why);
         }},
        {"link that leads nowhere",
         [](const fs::path &r, std::string &why) { return makeFileLink(r / "new.jpg", r / "target.jpg", why); }},
    };
}

Outcome exclusiveCreationNeverOverwrites(const CreateRow &row)
{
    Scratch s("create");
    std::string why;
    if (!row.occupy(s.root(), why))
        return skip(why);
    File f;
    std::error_code ec;
    EXPECT(!f.createNew(s.root() / "new.jpg", ec), "created over what was there");
    EXPECT(ec, "no reason given");
    const fs::path target = s.root() / "target.jpg";
    if (std::string(row.label) == "link to a file")
        EXPECT(readFile(target) == std::string("old"), "the link's target changed");
    if (std::string(row.label) == "link that leads nowhere")
        EXPECT(!pathExists(target), "the link was followed");
    if (std::string(row.label) == "existing file")
        EXPECT(readFile(s.root() / "new.jpg") == std::string("old"), "the file changed");
    return pass();
}

// --- renaming a finished file ----------------------------------------------------------------------

// The finished file "done.tmp" takes the name "new.jpg", over whatever a creation row put there (or over
// nothing). Without replacing, anything there stays and the file keeps its temporary name; replacing
// takes the place of a file or link (never of what a link points at) and fails on a folder.
Outcome renameOnto(const CreateRow *row, bool replacing)
{
    Scratch s("rename");
    std::string why;
    if (row && !row->occupy(s.root(), why))
        return skip(why);
    const fs::path done = s.root() / "done.tmp", name = s.root() / "new.jpg", target = s.root() / "target.jpg";
    const std::string label = row ? row->label : "";
    EXPECT(writeFile(done, "new"), "cannot write the finished file");
    std::error_code ec;
    const bool renamed = replacing ? renameReplacing(done, name, ec) : renameNoReplace(done, name, ec);
    const bool shouldRename = !row || (replacing && label != "existing folder");
    EXPECT(renamed == shouldRename, renamed ? "renamed over what was there" : "not renamed: " + ec.message());
    if (renamed) {
        EXPECT(!pathExists(done), "the temporary name is still there");
        EXPECT(readFile(name) == std::string("new"), "the file under its name is not the finished one");
        const auto st = pathStatus(name);
        EXPECT(st && !st->isLink, "a link stands under the name");
    } else {
        EXPECT(readFile(done) == std::string("new"), "the finished file is lost");
        if (!replacing)
            EXPECT(ec == std::errc::file_exists, "refused with " + ec.message());
        if (label == "existing file")
            EXPECT(readFile(name) == std::string("old"), "the file there changed");
    }
    if (label == "link to a file")
        EXPECT(readFile(target) == std::string("old"), "the link's target changed");
    if (label == "link that leads nowhere")
        EXPECT(!pathExists(target), "the link was followed");
    return pass();
}

// --- open-file limit --------------------------------------------------------------------------------

// The soft limit is lowered first (POSIX), so that raising it has something to do: afterwards it equals
// the hard limit, and more files than the usual 1,024 can be held open at once. Windows has no such
// count for handles; there the many open files must simply work.
Outcome openFileLimitIsRaised()
{
    constexpr int many = 1100;
#ifndef _WIN32
    rlimit limit{};
    EXPECT(::getrlimit(RLIMIT_NOFILE, &limit) == 0, "getrlimit");
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < rlim_t(many + 64))
        return skip("the hard limit is below " + std::to_string(many + 64));
    rlimit lowered = limit;
    lowered.rlim_cur = 256;
    EXPECT(::setrlimit(RLIMIT_NOFILE, &lowered) == 0, "lowering the soft limit");
    const std::uint64_t raised = raiseOpenFileLimit();
    rlimit after{};
    EXPECT(::getrlimit(RLIMIT_NOFILE, &after) == 0, "getrlimit");
    EXPECT(after.rlim_cur == limit.rlim_max, "soft limit " + std::to_string(after.rlim_cur) + " below the hard one");
    EXPECT(raised == (after.rlim_cur == RLIM_INFINITY ? UINT64_MAX : std::uint64_t(after.rlim_cur)), "reported limit");
#else
    EXPECT(raiseOpenFileLimit() == 0, "a limit reported where Windows has none");
#endif
    Scratch s("files");
    EXPECT(writeFile(s.root() / "photo.jpg", "photo"), "cannot write the photo");
    std::vector<File> open(many);
    std::error_code ec;
    for (File &f : open)
        EXPECT(f.openForReading(s.root() / "photo.jpg", Sharing::ReadersOnly, ec), "open: " + ec.message());
    return pass();
}

// --- times and attributes ---------------------------------------------------------------------------

struct DosRow {
    const char *label;
    DosDateTime dos;
    bool possible;
    std::int64_t utc = 0; // seconds since 1970 in Europe/Berlin (as the test runs), 0: not checked
};

constexpr std::uint16_t dosDate(int y, int m, int d) { return std::uint16_t(((y - 1980) << 9) | (m << 5) | d); }
constexpr std::uint16_t dosTime(int h, int mi, int s) { return std::uint16_t((h << 11) | (mi << 5) | (s / 2)); }

const DosRow dosRows[] = {
    {"summer afternoon", {dosDate(2024, 6, 15), dosTime(13, 45, 58)}, true, 1718451958},
    {"winter afternoon", {dosDate(2024, 1, 15), dosTime(13, 45, 58)}, true, 1705322758},
    {"winter night", {dosDate(2009, 1, 31), dosTime(23, 59, 0)}, true},
    {"first DOS day", {dosDate(1980, 1, 2), dosTime(0, 0, 0)}, true},
    {"leap day", {dosDate(2000, 2, 29), dosTime(12, 0, 2)}, true},
    {"last DOS year", {dosDate(2107, 12, 31), dosTime(12, 0, 0)}, true},
    {"month 0", {dosDate(2010, 0, 10), dosTime(10, 0, 0)}, false},
    {"month 13", {dosDate(2010, 13, 10), dosTime(10, 0, 0)}, false},
    {"day 0", {dosDate(2010, 5, 0), dosTime(10, 0, 0)}, false},
    {"April 31", {dosDate(2010, 4, 31), dosTime(10, 0, 0)}, false},
    {"February 29 of a common year", {dosDate(2010, 2, 29), dosTime(10, 0, 0)}, false},
    {"hour 24", {dosDate(2010, 5, 5), dosTime(24, 0, 0)}, false},
    {"minute 60", {dosDate(2010, 5, 5), dosTime(10, 60, 0)}, false},
};

Outcome dosTimeRoundTrip(const DosRow &row)
{
    const auto time = fromDosDateTime(row.dos);
    if (!row.possible) {
        EXPECT(!time, "an impossible date was taken");
        return pass();
    }
    EXPECT(time, "a possible date was refused");
    if (row.utc)
        EXPECT(*time == FileTime(std::chrono::seconds(row.utc)),
               "local time with the zone rule of its own date: " +
                   std::to_string(std::chrono::floor<std::chrono::seconds>(*time).time_since_epoch().count()));
    Scratch s("dos");
    const fs::path path = s.root() / "dated.jpg";
    File f;
    std::error_code ec;
    EXPECT(f.createNew(path, ec) && f.setModificationTime(*time, ec) && f.close(ec), "set through the file: " + ec.message());
    auto st = pathStatus(path);
    EXPECT(st && toDosDateTime(st->modified) == row.dos, "the file's time reads back as the same DOS time");
    const auto later = *time + std::chrono::hours(24 * 40);
    EXPECT(setModificationTime(path, later, ec), "set by name: " + ec.message());
    st = pathStatus(path);
    EXPECT(st && st->modified == later, "set by name reads back");
    return pass();
}

Outcome readOnlyAttribute()
{
    Scratch s("readonly");
    const fs::path path = s.root() / "locked.jpg";
    EXPECT(writeFile(path, "x"), "make file");
    std::error_code ec;
    EXPECT(pathStatus(path) && !pathStatus(path)->readOnly, "a new file is writable");
    EXPECT(setReadOnly(path, true, ec), "set read-only: " + ec.message());
    EXPECT(pathStatus(path)->readOnly, "read-only after setting it");
    EXPECT(readFile(path, Sharing::ReadersOnly) == std::string("x"), "a read-only file still reads");
    EXPECT(setReadOnly(path, false, ec) && !pathStatus(path)->readOnly, "writable again");
    EXPECT(setPermissions(path, 0444, ec) && pathStatus(path)->readOnly, "mode without write bits");
    EXPECT(setPermissions(path, 0644, ec) && !pathStatus(path)->readOnly, "mode with the owner's write bit");
    EXPECT(setReadOnly(path, true, ec) && removeFile(path, ec), "a read-only file deletes: " + errorText(ec));
    EXPECT(!pathExists(path), "gone after delete");
    return pass();
}

// --- positional reads -------------------------------------------------------------------------------

struct ReadRow {
    const char *label;
    std::uint64_t offset;
    std::size_t want;
    std::int64_t got;
};

constexpr std::uint64_t Far = (std::uint64_t(5) << 30) + 12345; // past 4 GiB and any 32-bit offset
const char FarData[] = "beyond four gibibytes";
constexpr std::size_t FarSize = sizeof FarData - 1;

const ReadRow readRows[] = {
    {"at the far data", Far, FarSize, std::int64_t(FarSize)},
    {"inside it", Far + 7, 4, 4},
    {"across the end", Far + 10, 100, std::int64_t(FarSize - 10)},
    {"at the end", Far + FarSize, 10, 0},
    {"past the end", Far + 4096, 10, 0},
    {"in the hole before it", Far - 8, 8, 8},
};

Outcome positionalReadsPastFourGiB()
{
    Scratch s("sparse");
    const fs::path path = s.root() / "big.zip";
    File w;
    std::error_code ec;
    EXPECT(w.createNew(path, ec), "create");
    EXPECT(w.writeAll("head", 4, ec), "write head");
    if (!w.writeAllAt(Far, FarData, FarSize, ec))
        return skip("the file system here refuses a sparse file past 4 GiB: " + ec.message());
    EXPECT(w.close(ec), "close");
    File r;
    EXPECT(r.openForReading(path, Sharing::ReadersOnly, ec), "open");
    std::uint64_t size = 0;
    EXPECT(r.size(size, ec) && size == Far + FarSize, "size past 4 GiB");
    for (const ReadRow &row : readRows) {
        std::string buffer(row.want, '?');
        const std::int64_t got = r.readAt(row.offset, buffer.data(), row.want, ec);
        EXPECT(got == row.got, std::string(row.label) + ": count " + std::to_string(got));
        if (row.offset >= Far)
            EXPECT(buffer.compare(0, std::size_t(got), FarData + (row.offset - Far), std::size_t(got)) == 0,
                   std::string(row.label) + ": bytes");
        else
            EXPECT(buffer == std::string(8, '\0'), std::string(row.label) + ": a hole reads as zeros");
    }
    char head[4];
    EXPECT(r.readAt(0, head, 4, ec) == 4 && std::memcmp(head, "head", 4) == 0, "reads at 0 after a far read");
    return pass();
}

// --- sockets ----------------------------------------------------------------------------------------

struct SocketRow {
    const char *label;
    const char *sent; // what the server sends before it ends
    enum { Close, Reset, StayOpen } end;
    TransferStatus last; // what the client's receive reports after the data
};

const SocketRow socketRows[] = {
    {"orderly close after data", "link line\r\n", SocketRow::Close, TransferStatus::Closed},
    {"orderly close without data", "", SocketRow::Close, TransferStatus::Closed},
    {"reset after data", "link line\r\n", SocketRow::Reset, TransferStatus::Reset},
    {"reset without data", "", SocketRow::Reset, TransferStatus::Reset},
    {"silence", "", SocketRow::StayOpen, TransferStatus::TimedOut},
};

Outcome loopbackEnds(const SocketRow &row)
{
    if (row.end == SocketRow::Reset && underWine())
        return skip("Wine 8 reports a reset as an orderly close when it follows data or arrives during a wait");
    TcpListener listener;
    std::error_code ec;
    EXPECT(listener.listen(0, ec), "listen: " + ec.message());
    TcpSocket client, server;
    EXPECT(client.connect(Ipv4Address::loopback(), listener.port(), 5000, ec), "connect: " + ec.message());
    EXPECT(listener.accept(server, 5000, ec), "accept: " + ec.message());
    // The client's request, unread by the server, is what makes a closing peer answer with a reset on
    // some systems; the abortive close must reset either way.
    EXPECT(client.sendAll("GET", 3, 5000, ec) == TransferStatus::Done, "send: " + ec.message());
    char request[3];
    EXPECT(server.receive(request, 3, 5000, ec).status == TransferStatus::Done, "server receives");
    const std::string sent = row.sent;
    if (!sent.empty())
        EXPECT(server.sendAll(sent.data(), sent.size(), 5000, ec) == TransferStatus::Done, "server sends");
    if (row.end == SocketRow::Close)
        server.close();
    else if (row.end == SocketRow::Reset)
        server.closeAbortively();
    std::string received;
    char buffer[64];
    for (;;) {
        const Received r = client.receive(buffer, sizeof buffer, row.end == SocketRow::StayOpen ? 200 : 5000, ec);
        if (r.status != TransferStatus::Done) {
            EXPECT(r.status == row.last, "ended with status " + std::to_string(int(r.status)));
            break;
        }
        received.append(buffer, r.size);
    }
    // A reset may discard data not yet read; data that did arrive is never wrong.
    if (row.end == SocketRow::Reset)
        EXPECT(sent.compare(0, received.size(), received) == 0, "data before the reset");
    else
        EXPECT(received == sent, "all data before the end");
    return pass();
}

Outcome connectToAClosedPort()
{
    TcpListener listener;
    std::error_code ec;
    EXPECT(listener.listen(0, ec), "listen");
    const std::uint16_t port = listener.port();
    listener.close();
    TcpSocket client;
    EXPECT(!client.connect(Ipv4Address::loopback(), port, 5000, ec), "connected to nobody");
    EXPECT(ec && ec != std::errc::timed_out, "refusal reported as " + ec.message());
    const auto literal = resolveIpv4("127.0.0.1", ec);
    EXPECT(literal && literal->octets[0] == 127 && literal->octets[3] == 1, "a literal resolves to itself");
    return pass();
}

// --- code pages ---------------------------------------------------------------------------------------

// Each byte of the upper half of both pages, as text. Written out here rather than asked of the system,
// so that both systems are held to the same table; "�" marks the byte 1251 leaves empty.
struct CodePageRangeRow {
    const char *label;
    CodePage page;
    int first;
    const char *text;
};
const CodePageRangeRow codePageRangeRows[] = {
    {"866 0x80-0xBF", CodePage::Oem866, 0x80,
     "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмноп░▒▓│┤╡╢╖╕╣║╗╝╜╛┐"},
    {"866 0xC0-0xFF", CodePage::Oem866, 0xC0,
     "└┴┬├─┼╞╟╚╔╩╦╠═╬╧╨╤╥╙╘╒╓╫╪┘┌█▄▌▐▀рстуфхцчшщъыьэюяЁёЄєЇїЎў°∙·√№¤■\u00A0"},
    {"1251 0x80-0xBF", CodePage::Ansi1251, 0x80,
     "ЂЃ‚ѓ„…†‡€‰Љ‹ЊЌЋЏђ‘’“”•–—�™љ›њќћџ\u00A0ЎўЈ¤Ґ¦§Ё©Є«¬\u00AD®Ї°±Ііґµ¶·ё№є»јЅѕї"},
    {"1251 0xC0-0xFF", CodePage::Ansi1251, 0xC0,
     "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя"},
    // The lower half is ASCII in both: the text is the bytes themselves.
    {"866 0x00-0x7F", CodePage::Oem866, 0x00, nullptr},
    {"1251 0x00-0x7F", CodePage::Ansi1251, 0x00, nullptr},
};

Outcome codePageRange(const CodePageRangeRow &row)
{
    const int count = row.text ? 64 : 128;
    std::string bytes;
    for (int b = row.first; b < row.first + count; ++b)
        bytes += char(b);
    const std::string text = row.text ? row.text : bytes;
    const std::string decoded = decodeCodePage(row.page, bytes);
    for (std::size_t i = 0, t = 0, d = 0; i < bytes.size(); ++i) {
        // One character of each, compared byte by byte so that a failure names the byte.
        const auto length = [](const std::string &s, std::size_t at) {
            std::size_t n = 1;
            while (at + n < s.size() && (static_cast<unsigned char>(s[at + n]) & 0xC0) == 0x80)
                ++n;
            return n;
        };
        const std::size_t tn = length(text, t), dn = d < decoded.size() ? length(decoded, d) : 0;
        EXPECT(decoded.substr(d, dn) == text.substr(t, tn), "byte " + std::to_string(row.first + int(i)) + " reads as \"" +
                                                                decoded.substr(d, dn) + "\"");
        t += tn;
        d += dn;
    }
    EXPECT(decoded == text, "the whole range reads differently");
    std::string back = bytes;
    if (row.page == CodePage::Ansi1251 && row.first == 0x80)
        back[0x98 - 0x80] = '?'; // the empty place has no way back
    EXPECT(encodeCodePage(row.page, text) == back, "the text does not write back to its bytes");
    return pass();
}

// Characters that have no byte, malformed text, and 866 to 1251 as bytes.
struct CodePageRow {
    const char *label;
    enum { Encode, OemToAnsi } direction;
    CodePage page;
    const char *input;
    const char *expected;
};
const CodePageRow codePageRows[] = {
    {"ü has no byte, and no look-alike", CodePageRow::Encode, CodePage::Ansi1251, "Grüße", "Gr??e"},
    {"CJK in 866", CodePageRow::Encode, CodePage::Oem866, "写真.jpg", "??.jpg"},
    {"euro has no byte in 866", CodePageRow::Encode, CodePage::Oem866, "€", "?"},
    {"outside the BMP is one '?'", CodePageRow::Encode, CodePage::Ansi1251, "a\xF0\x9F\x93\xB7" "b", "a?b"},
    {"malformed UTF-8", CodePageRow::Encode, CodePage::Ansi1251, "\xC0\x80x\xD0", "?x?"},
    {"866 Cyrillic as 1251", CodePageRow::OemToAnsi, CodePage::Oem866, "\x94\xAE\xE2\xAE \xF0\xFC", "\xD4\xEE\xF2\xEE \xA8\xB9"},
    {"866 box drawing has no 1251 byte", CodePageRow::OemToAnsi, CodePage::Oem866, "\xC4\xB0x", "??x"},
};

Outcome codePageCharacters(const CodePageRow &row)
{
    const std::string got = row.direction == CodePageRow::Encode ? encodeCodePage(row.page, row.input) : oemToAnsi(row.input);
    EXPECT(got == row.expected, "gave \"" + got + "\"");
    return pass();
}

std::vector<Case> allCases()
{
    std::vector<Case> cases;
    for (const NameRow &row : nameRows())
        cases.push_back({std::string("names: ") + row.label, [row] { return namesSurviveEveryOperation(row); }});
    cases.push_back({"enumeration: tree with hidden entries", treeWithHiddenEntries});
    cases.push_back({"enumeration: link cycle", linkCycleIsRecognised});
    cases.push_back({"enumeration, types unknown: tree with hidden entries", [] { return withEntryTypesUnknown(treeWithHiddenEntries); }});
    cases.push_back({"enumeration, types unknown: link cycle", [] { return withEntryTypesUnknown(linkCycleIsRecognised); }});
    cases.push_back({"enumeration: NTFS order", entriesInNtfsOrder});
    for (const LongPathRow &row : longPathRows)
        cases.push_back({std::string("extended-length path: ") + row.label, [row] { return extendedLengthForm(row); }});
    for (const WindowsNameRow &row : windowsNameRows)
        cases.push_back({std::string("names Windows cannot hold: ") + row.label, [row] { return namesWindowsCannotHold(row); }});
    cases.push_back({"system error texts", systemErrorTexts});
    for (const RefuseRow &row : refuseRows())
        cases.push_back({std::string("refuses: ") + row.label, [row] { return refusesWhatIsNoRegularFile(row); }});
    for (const SharingRow &row : {SharingRow{"other writers shut out", Sharing::ReadersOnly, false, true},
                                  SharingRow{"nobody shut out", Sharing::ReadersAndWriters, true, false}})
        cases.push_back({std::string("sharing with a writer: ") + row.label, [row] { return sharingWithAWriter(row); }});
    for (const CreateRow &row : createRows())
        cases.push_back(
            {std::string("exclusive creation: ") + row.label, [row] { return exclusiveCreationNeverOverwrites(row); }});
    cases.push_back({"rename without replacing: free name", [] { return renameOnto(nullptr, false); }});
    cases.push_back({"rename replacing: free name", [] { return renameOnto(nullptr, true); }});
    for (const CreateRow &row : createRows()) {
        cases.push_back({std::string("rename without replacing: ") + row.label, [row] { return renameOnto(&row, false); }});
        cases.push_back({std::string("rename replacing: ") + row.label, [row] { return renameOnto(&row, true); }});
    }
    cases.push_back({"open-file limit raised", openFileLimitIsRaised});
    for (const DosRow &row : dosRows)
        cases.push_back({std::string("DOS time: ") + row.label, [row] { return dosTimeRoundTrip(row); }});
    cases.push_back({"read-only attribute", readOnlyAttribute});
    cases.push_back({"positional reads past 4 GiB", positionalReadsPastFourGiB});
    for (const SocketRow &row : socketRows)
        cases.push_back({std::string("TCP: ") + row.label, [row] { return loopbackEnds(row); }});
    cases.push_back({"TCP: connect to a closed port", connectToAClosedPort});
    for (const CodePageRangeRow &row : codePageRangeRows)
        cases.push_back({std::string("code page bytes: ") + row.label, [row] { return codePageRange(row); }});
    for (const CodePageRow &row : codePageRows)
        cases.push_back({std::string("code page characters: ") + row.label, [row] { return codePageCharacters(row); }});
    return cases;
}

} // namespace

int main()
{
    // The user's locale, as the program has it: system texts in the user's language.
    std::setlocale(LC_ALL, "");
    int passed = 0, failed = 0, skipped = 0;
    std::vector<std::string> skippedNames;
    for (const Case &c : allCases()) {
        Outcome outcome;
        try {
            outcome = c.run();
        } catch (const std::exception &e) {
            outcome = fail(std::string("exception: ") + e.what());
        }
        switch (outcome.kind) {
        case Outcome::Pass:
            ++passed;
            std::printf("PASS %s\n", c.name.c_str());
            break;
        case Outcome::Fail:
            ++failed;
            std::printf("FAIL %s: %s\n", c.name.c_str(), outcome.text.c_str());
            break;
        case Outcome::Skip:
            ++skipped;
            skippedNames.push_back(c.name + " (" + outcome.text + ")");
            std::printf("SKIP %s: %s\n", c.name.c_str(), outcome.text.c_str());
            break;
        }
        std::fflush(stdout); // a case that hangs shows which one it is
    }
    if (skipped) {
        std::printf("%d skipped%s:\n", skipped, underWine() ? " (under Wine)" : "");
        for (const std::string &name : skippedNames)
            std::printf("  %s\n", name.c_str());
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}
