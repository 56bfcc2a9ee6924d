#pragma once
// The recursive folder walk that lists a release. It visits every entry of a folder in the order the
// file system delivers them (hidden and system entries included), walks a sub-folder at the point where
// it meets it, and appends folder path + name for every name whose extension is accepted - folders
// included, so a folder named "x.jpg" is walked and listed. Symbolic links to folders are listed by
// name but never entered, so a link cycle cannot hang the walk. A folder that cannot be read
// contributes nothing.

#include <QString>
#include <QStringList>

#include <functional>

namespace vx {

struct WalkHooks {
    // Called for every entry before anything else; returning false ends the current folder's level.
    // A hook that keeps returning false thus ends the whole walk within one entry per level.
    std::function<bool()> beforeEntry;
    // Called after every entry other than "." and "..", with the target list.
    std::function<void(const QStringList &)> afterEntry;
};

// endings: lower-case extensions with their dot (".jpg"). mask: empty means "*.*"; other masks are
// wildcard patterns (case-insensitive) that limit entries and sub-folders alike.
void walkFolder(const QString &folder, const QString &mask, const QStringList &endings, QStringList &target,
                const WalkHooks &hooks = {});

// The extension of a name: from its last "." on, lower-cased; empty without a dot.
QString lowerExtension(const QString &name);

// The photo endings of a release.
const QStringList &photoEndings();

// The upload window's walk: photos, no events, no abort, no live count.
void CollectUploadFiles(const QString &folder, const QString &mask, QStringList &target);

} // namespace vx
