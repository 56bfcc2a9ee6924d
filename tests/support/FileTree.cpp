#include "tests/support/FileTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fstream>
#include <vector>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace vx::test {

bool makeNamedPipe(const QString &path)
{
#ifdef Q_OS_WIN
    (void)path;
    return false;
#else
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#endif
}

namespace {

// Removes every entry once, depth first: a file that stays listed after its removal cannot hold this up.
// (Under Wine a removed file that some handle still holds open stays in its folder until the handle
// closes, and std::filesystem::remove_all then lists and removes it again without end.)
void removeOnce(const std::filesystem::path &path)
{
    std::error_code error;
    if (std::filesystem::symlink_status(path, error).type() == std::filesystem::file_type::directory) {
        std::vector<std::filesystem::path> children;
        for (std::filesystem::directory_iterator it(path, error), end; !error && it != end; it.increment(error))
            children.push_back(it->path());
        for (const std::filesystem::path &child : children)
            removeOnce(child);
    }
    std::filesystem::remove(path, error);
}

} // namespace

FileTree::FileTree() { dir_.setAutoRemove(false); }

// Removed by native names: Qt's own removal cannot reach a name that is not UTF-8. Links are removed,
// never followed.
FileTree::~FileTree() { removeOnce(QFile::encodeName(dir_.path()).toStdString()); }

QString FileTree::path(const QString &relative) const { return dir_.path() + QLatin1Char('/') + relative; }

QString FileTree::file(const QString &relative, const QByteArray &content)
{
    const QString p = path(relative);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return p;
}

QString FileTree::folder(const QString &relative)
{
    const QString p = path(relative);
    QDir().mkpath(p);
    return p;
}

std::filesystem::path FileTree::native(const QByteArray &relative) const
{
    return std::filesystem::path(QFile::encodeName(dir_.path()).toStdString()) / relative.toStdString();
}

std::filesystem::path FileTree::nativeFile(const QByteArray &relative, const QByteArray &content)
{
    const std::filesystem::path p = native(relative);
    std::error_code error;
    std::filesystem::create_directories(p.parent_path(), error);
    std::ofstream out(p, std::ios::binary);
    out.write(content.constData(), content.size());
    return p;
}

bool FileTree::symlink(const QString &target, const QString &linkRelative)
{
    return QFile::link(target, path(linkRelative));
}

} // namespace vx::test
