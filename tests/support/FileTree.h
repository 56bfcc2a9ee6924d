#pragma once
// Builds small folder trees for tests: files with given bytes, folders, links.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace vx::test {

class FileTree {
public:
    FileTree();
    QString root() const { return dir_.path(); }
    // Path of a relative name inside the tree (with "/" between parts).
    QString path(const QString &relative) const;
    // Creates the file (and its folders) with the given content; returns its path.
    QString file(const QString &relative, const QByteArray &content = QByteArray("x"));
    QString folder(const QString &relative);
    bool symlink(const QString &target, const QString &linkRelative);

private:
    QTemporaryDir dir_;
};

} // namespace vx::test
