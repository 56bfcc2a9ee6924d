#pragma once
// The recursive folder walk that lists a release. It visits every entry of a folder in the order the
// OS layer lists them (NTFS's order; hidden and system entries included), walks a sub-folder at the
// point where it meets it, and appends an entry (native path and shown text, folder path + name) for
// every name whose extension is accepted - folders included, so a folder named "x.jpg" is walked and
// listed. Links to folders (and junctions) are walked like folders, but each real folder (by identity)
// is entered once per walk, where it is first met: a link back to an ancestor is not walked for ever,
// and links to one folder neither repeat its entries nor multiply them. Links on or into the kernel's
// file systems (/proc, /sys) are not followed. A folder that cannot be read contributes nothing.

#include "platform/NativePath.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <vector>

namespace vx {

struct WalkHooks {
    // Called for every entry before anything else; returning false ends the current folder's level.
    // A hook that keeps returning false thus ends the whole walk within one entry per level.
    std::function<bool()> beforeEntry;
    // Called after every entry other than "." and "..", with the number of entries listed so far.
    std::function<void(std::size_t listed)> afterEntry;
};

// endings: lower-case extensions with their dot (".jpg"). mask: a wildcard over the whole name ("*" any
// run, "?" one character, case ignored) that limits entries and sub-folders alike; empty or "*.*"
// takes everything.
void walkFolder(const std::filesystem::path &folder, const QString &mask, const QStringList &endings,
                std::vector<ListEntry> &target, const WalkHooks &hooks = {});

// The extension of a name: from its last "." on, lower-cased; empty without a dot.
QString lowerExtension(const QString &name);

// The photo endings of a release.
const QStringList &photoEndings();

// The upload window's walk: photos, no events, no abort, no live count.
void CollectUploadFiles(const std::filesystem::path &folder, const QString &mask, std::vector<ListEntry> &target);

} // namespace vx
