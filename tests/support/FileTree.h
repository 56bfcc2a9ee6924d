#pragma once
// Builds small folder trees for tests: files with given bytes, folders, links.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <filesystem>

namespace vx::test {

class FileTree {
public:
    FileTree();
    ~FileTree();
    FileTree(const FileTree &) = delete;
    FileTree &operator=(const FileTree &) = delete;
    QString root() const { return dir_.path(); }
    // Path of a relative name inside the tree (with "/" between parts).
    QString path(const QString &relative) const;
    // Creates the file (and its folders) with the given content; returns its path.
    QString file(const QString &relative, const QByteArray &content = QByteArray("x"));
    QString folder(const QString &relative);
    bool symlink(const QString &target, const QString &linkRelative);
    // The native path of relative bytes ("/" between parts) inside the tree: names that are no UTF-8.
    std::filesystem::path native(const QByteArray &relative) const;
    // Creates a file by its native name (and its folders); returns its native path.
    std::filesystem::path nativeFile(const QByteArray &relative, const QByteArray &content = QByteArray("x"));

private:
    QTemporaryDir dir_;
};

// Makes a named pipe (a FIFO) at path. Windows keeps no named pipes among its files: there the test row
// that needs one is skipped.
bool makeNamedPipe(const QString &path);

} // namespace vx::test

#ifdef Q_OS_WIN
#define VX_MAKE_NAMED_PIPE(path) QSKIP("Windows keeps no named pipes among its files")
#else
#define VX_MAKE_NAMED_PIPE(path) QVERIFY(vx::test::makeNamedPipe(path))
#endif
