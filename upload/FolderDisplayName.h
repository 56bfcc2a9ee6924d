#pragma once
// The name of the output folder as the upload window shows it.

#include <QString>

namespace vx {

// A drive root shows as its first and third characters ("C:\" gives "C\"); the Linux root "/" stays
// "/", and there it is the only root. Any other path shows what follows its last separator before the
// final character, so a trailing separator stays ("/a/" gives "a/").
QString FolderDisplayName(const QString &folder);

} // namespace vx
