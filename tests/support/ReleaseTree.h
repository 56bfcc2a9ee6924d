#pragma once
// A release as photo sets unpacked from Windows archives leave it on Linux: folders and photos named in
// code page 1251 and 866 bytes, a set folder linked in from elsewhere, a link back to an ancestor (a
// cycle) and a folder named x.jpg. Every photo is a real JPEG with a file name of its own, so all of
// them can become examples in one flat folder.

#include "tests/support/FileTree.h"

#include <filesystem>
#include <vector>

namespace vx::test {

class ReleaseTree {
public:
    ReleaseTree();
    // The release folder (UTF-8, as a dialog gives it).
    QString root() const { return tree_.path(QStringLiteral("release")); }
    std::filesystem::path nativeRoot() const { return tree_.native("release"); }
    // Photo files (no folders) that the scan must list, by native path.
    const std::vector<std::filesystem::path> &photos() const { return photos_; }
    // A photo whose header is broken, named in 1251.
    const std::filesystem::path &broken() const { return broken_; }
    FileTree &tree() { return tree_; }

private:
    FileTree tree_;
    std::vector<std::filesystem::path> photos_;
    std::filesystem::path broken_;
};

// Sorted lines of `find -L FOLDER` for names ending in .jpg or .jpeg (any case), as bytes.
QList<QByteArray> findPhotos(const QString &folder);

} // namespace vx::test
