#include "folders/FolderWalk.h"

#include "platform/FileOps.h"
#include "platform/Wildcard.h"
#include "platform/os/Directory.h"

#include <algorithm>
#include <unordered_set>

namespace vx {
namespace {

using NativeString = std::filesystem::path::string_type;
using NativeChar = NativeString::value_type;

bool isMatchAll(const QString &mask)
{
    return mask.isEmpty() || mask == QLatin1String("*.*") || mask == QLatin1String("*");
}

bool isSeparator(NativeChar c) { return c == NativeChar('/') || c == std::filesystem::path::preferred_separator; }

struct IdentityHash {
    std::size_t operator()(const os::FileIdentity &id) const
    {
        return std::hash<std::uint64_t>()(id.index ^ (id.indexHigh * 0x9E3779B97F4A7C15ull) ^ (id.volume << 1));
    }
};

class Walker {
public:
    Walker(const QString &mask, const QStringList &endings, std::vector<ListEntry> &target, const WalkHooks &hooks)
        : matchAll_(isMatchAll(mask)), mask_(mask), endings_(endings), target_(target), hooks_(hooks)
    {
        for (const QString &ending : endings)
            asciiEndings_.push_back(ending.toLatin1().toStdString());
    }

    void walkRoot(const std::filesystem::path &folder)
    {
        NativeString prefix = folder.native();
        if (prefix.empty() || !isSeparator(prefix.back()))
            prefix += std::filesystem::path::preferred_separator;
        os::Directory dir;
        std::error_code error;
        if (dir.open(folder, error))
            walk(dir, prefix, shownText(folder));
    }

private:
    // A level ends at the first entry whose beforeEntry hook says stop. The hook keeps saying so, so
    // every enclosing level ends at its own next entry: the walk stops within one entry per level.
    // Sub-folders open relative to the open parent, so a tree deeper than the system's longest path
    // is walked to its bottom, as find does.
    void walk(os::Directory &dir, const NativeString &prefix, const QString &folderText)
    {
        // Each real folder once per scan, by the identity of the folder as opened (a link cannot be
        // swapped between the check and the walk): links neither loop nor repeat or multiply entries.
        const std::optional<os::FileIdentity> identity = dir.identity();
        if (identity && !visited_.insert(*identity).second)
            return;
        std::optional<bool> onKernelFileSystem; // asked only when the folder holds a link to a folder
        os::DirectoryEntry entry;
        while (dir.next(entry)) {
            if (hooks_.beforeEntry && !hooks_.beforeEntry())
                break;
            if (entry.isDotOrDotDot())
                continue;
            // Most names are never shown: the text is made only for a mask, an extension that is not
            // plain ASCII, a folder or a listed entry.
            QString name;
            bool haveName = false;
            const auto shown = [&]() -> const QString & {
                if (!haveName) {
                    name = shownName(entry.name);
                    haveName = true;
                }
                return name;
            };
            if (matchAll_ || wildcardMatch(mask_, shown())) {
                if (entry.kind == os::EntryKind::Folder || entry.kind == os::EntryKind::FolderLink)
                    walkSubFolder(dir, entry, onKernelFileSystem, prefix, files::joinPath(folderText, shown()));
                if (accepted(entry.name, shown))
                    target_.push_back({std::filesystem::path(prefix + entry.name), files::joinPath(folderText, shown())});
            }
            if (hooks_.afterEntry)
                hooks_.afterEntry(target_.size());
        }
    }

    // Links are not followed into or out of the kernel's file systems (/proc, /sys): /proc/<pid>/root
    // and cwd lead back into the whole tree, and their content changes while it is walked.
    void walkSubFolder(const os::Directory &dir, const os::DirectoryEntry &entry, std::optional<bool> &onKernelFileSystem,
                       const NativeString &prefix, const QString &subFolderText)
    {
        const bool viaLink = entry.kind == os::EntryKind::FolderLink;
        if (viaLink) {
            if (!onKernelFileSystem)
                onKernelFileSystem = dir.onKernelFileSystem();
            if (*onKernelFileSystem)
                return;
        }
        os::Directory sub;
        std::error_code error;
        if (!sub.open(dir, entry.name, error) || (viaLink && sub.onKernelFileSystem()))
            return;
        walk(sub, prefix + entry.name + std::filesystem::path::preferred_separator, subFolderText);
    }

    // The extension test on the native name; only an extension with a non-ASCII character is decoded
    // (its lower case could still be an accepted ending).
    template <typename Shown>
    bool accepted(const NativeString &name, const Shown &shown) const
    {
        const std::size_t dot = name.rfind(NativeChar('.'));
        if (dot == NativeString::npos)
            return false;
        std::string lower;
        lower.reserve(name.size() - dot);
        for (std::size_t i = dot; i < name.size(); ++i) {
            const auto c = static_cast<std::make_unsigned_t<NativeChar>>(name[i]);
            if (c >= 0x80)
                return endings_.contains(lowerExtension(shown()));
            lower.push_back(c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : char(c));
        }
        return std::find(asciiEndings_.begin(), asciiEndings_.end(), lower) != asciiEndings_.end();
    }

    bool matchAll_;
    QString mask_;
    const QStringList &endings_;
    std::vector<std::string> asciiEndings_;
    std::vector<ListEntry> &target_;
    const WalkHooks &hooks_;
    std::unordered_set<os::FileIdentity, IdentityHash> visited_; // every folder entered in this scan
};

} // namespace

QString lowerExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot).toLower();
}

const QStringList &photoEndings()
{
    static const QStringList endings{QStringLiteral(".jpg"), QStringLiteral(".jpeg")};
    return endings;
}

void walkFolder(const std::filesystem::path &folder, const QString &mask, const QStringList &endings,
                std::vector<ListEntry> &target, const WalkHooks &hooks)
{
    Walker(mask, endings, target, hooks).walkRoot(folder);
}

void CollectUploadFiles(const std::filesystem::path &folder, const QString &mask, std::vector<ListEntry> &target)
{
    walkFolder(folder, mask, photoEndings(), target);
}

} // namespace vx
