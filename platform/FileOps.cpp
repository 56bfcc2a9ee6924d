#include "platform/FileOps.h"

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/TemporaryFile.h"
#include "platform/os/ErrorText.h"
#include "platform/os/File.h"
#include "platform/os/FileInfo.h"
#include "platform/os/Rename.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>
#include <optional>

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vx::files {

QString joinPath(const QString &folder, const QString &name)
{
    // A folder that already ends in a separator is a root ("C:\", "/") or was given so; "/" counts on
    // Windows too, where a path may still come from Qt in its own form.
    if (folder.endsWith(QDir::separator()) || folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QDir::separator() + name;
}

QString fileNamePart(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QDir::separator()), path.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? path : path.mid(cut + 1);
}

bool exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

void openForReading(QFile &file, const QString &path)
{
    const auto refuse = [&path](const QString &reason) {
        return Error(QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), reason));
    };
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir())
        throw refuse(QStringLiteral("Not a regular file"));
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        throw refuse(file.errorString());
}

bool copyNoOverwrite(const QString &source, const QString &target)
{
    return copyNoOverwrite(nativePath(source), nativePath(target));
}

bool copyNoOverwrite(const std::filesystem::path &source, const std::filesystem::path &target)
{
    // The copy is written under a temporary name beside the target and takes the target's name only
    // when complete, by a rename that refuses an existing name: a full disk or a kill leaves no half
    // photo under the name, and a file that appeared there meanwhile still fails the copy. A pipe named
    // like a photo is refused by the open instead of holding the copy waiting for a writer.
    os::File in;
    std::error_code error;
    if (!in.openForReading(source, os::Sharing::ReadersOnly, error))
        return false;
    const auto sourceStatus = os::pathStatus(source);
    if (!sourceStatus || os::pathExists(target))
        return false;
    os::File out;
    const std::optional<std::filesystem::path> temporary = createTemporaryFile(target.parent_path(), out, error);
    if (!temporary)
        return false;
    bool ok = true;
    static constexpr size_t bufferSize = 1 << 18;
    std::unique_ptr<char[]> buffer(new char[bufferSize]);
    for (;;) {
        const std::int64_t n = in.read(buffer.get(), bufferSize, error);
        if (n == 0)
            break;
        if (n < 0 || !out.writeAll(buffer.get(), size_t(n), error)) {
            ok = false;
            break;
        }
    }
    if (ok)
        out.setModificationTime(sourceStatus->modified, error);
    if (!out.close(error))
        ok = false;
    if (ok)
        ok = os::renameNoReplace(*temporary, target, error);
    if (!ok) {
        os::removeFile(*temporary, error);
        return false;
    }
    if (sourceStatus->readOnly)
        os::setReadOnly(target, true, error);
    return true;
}

bool remove(const QString &path) { return files::remove(nativePath(path)); }

bool remove(const std::filesystem::path &path)
{
    std::error_code error;
    os::removeFile(path, error);
    return !os::pathExists(path);
}

bool clearReadOnly(const QString &path)
{
    std::error_code error;
    return os::setReadOnly(nativePath(path), false, error);
}

bool setReadOnly(const QString &path)
{
    std::error_code error;
    return os::setReadOnly(nativePath(path), true, error);
}

bool setUnixPermissions(const QString &path, unsigned mode)
{
    std::error_code error;
    return os::setPermissions(nativePath(path), mode, error);
}

bool isOnRemovableDrive(const QString &path)
{
    return os::isOnRemovableDrive(nativePath(QFileInfo(path).absolutePath()));
}

bool exists(const std::filesystem::path &path)
{
    const std::optional<os::PathStatus> status = os::pathStatus(path);
    return status && status->kind != os::PathKind::Folder;
}

bool openForReading(QFile &file, const std::filesystem::path &path, QString &reason)
{
#ifdef _WIN32
    // UTF-16 names pass through QString unchanged.
    const std::optional<os::PathStatus> status = os::pathStatus(path);
    if (status && status->kind == os::PathKind::Other) {
        reason = QStringLiteral("Not a regular file");
        return false;
    }
    file.setFileName(QString::fromStdWString(path.native()));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
        return false;
    }
    return true;
#else
    // Opened by its bytes and handed to QFile as a descriptor: Qt's own name conversion would replace
    // bytes that are not UTF-8. O_NONBLOCK keeps a pipe from holding the open; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = QString::fromStdString(os::errorText(std::error_code(errno, std::generic_category())));
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        reason = QStringLiteral("Not a regular file");
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // Unbuffered: the readers do their own windowing, and a buffer would only double the copies.
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        reason = file.errorString();
        return false;
    }
    return true;
#endif
}

void openForReading(os::File &file, const std::filesystem::path &path)
{
    std::error_code error;
    if (!file.openForReading(path, os::Sharing::ReadersAndWriters, error))
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(shownText(path), QString::fromStdString(os::errorText(error))));
}

void openForReading(QFile &file, const std::filesystem::path &path)
{
    QString reason;
    if (!openForReading(file, path, reason))
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(shownText(path), reason));
}

} // namespace vx::files
