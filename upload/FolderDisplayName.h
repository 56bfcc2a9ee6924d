#pragma once
// The name of the output folder as the upload window shows it.

#include <QString>

namespace vx {

// A root shows as its first and third characters ("C:\" gives "C\"; "/" stays "/"); any other path
// shows what follows its last separator before the final character, so a trailing separator stays.
QString FolderDisplayName(const QString &folder);

} // namespace vx
