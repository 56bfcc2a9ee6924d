#pragma once
// Where an entry may be written under the output folder. Entry names come from the archive, so they
// are hostile: nothing they say may lead a file outside the output folder.

#include <QString>
#include <QStringList>

#include <optional>

namespace vx::zip {

// The entry's file-name part (after its last "\", "/" or ":"), or nullopt when it cannot name a file
// of its own: empty, ".", "..", or holding NUL or another control character.
std::optional<QString> safeFileNamePart(const QString &entryName);

// The entry's folders, for writing with folders kept: nullopt when any of them is ".", ".." or holds a
// drive colon or a control character. Leading separators (an absolute name) and empty steps are dropped.
std::optional<QStringList> safeFolderParts(const QString &entryName);

} // namespace vx::zip
