#pragma once
// The set list of a folder release: one line per change of the photos' folder name, in list order.

#include <QStringList>

namespace vx::reports {

// The set name of one photo: the last part of its parent folder without the trailing separator.
// A photo in a root folder gives an empty name.
QString FolderSetName(const QString &photoPath);

// Each entry's set name is listed when it differs (exact text) from the name listed last, so a folder is
// listed once per run of consecutive entries, and neighbouring folders of the same name give one line.
// An empty name is not listed while nothing has been listed yet.
QStringList FolderSetList(const QStringList &photoPaths);

} // namespace vx::reports
