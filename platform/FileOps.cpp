#include "platform/FileOps.h"

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/os/File.h"
#include "platform/os/FileInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace vx::files {

QString joinPath(const QString &folder, const QString &name)
{
    const QChar sep = QDir::separator();
    if (folder.endsWith(sep) || folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + sep + name;
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
    // The system copy refuses an existing target; the check inside open(O_EXCL) keeps that true even
    // when the target appears between a check and the copy.
    const QByteArray src = QFile::encodeName(source);
    const QByteArray dst = QFile::encodeName(target);
    // O_NONBLOCK: a pipe named like a photo must not hold the copy waiting for a writer; it is refused
    // below like every other source that is no regular file (the flag means nothing for those).
    const int in = ::open(src.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat st {};
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return false;
    }
    const int out = ::open(dst.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 0666);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    static constexpr size_t bufferSize = 1 << 18;
    std::unique_ptr<char[]> buffer(new char[bufferSize]);
    for (;;) {
        const ssize_t n = ::read(in, buffer.get(), bufferSize);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer.get() + done, size_t(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok)
            break;
    }
    ::close(in);
    if (::close(out) != 0)
        ok = false;
    if (ok)
        setModificationTime(target, QFileInfo(source).lastModified());
    else
        ::unlink(dst.constData());
    return ok;
}

bool remove(const QString &path)
{
    QFile::remove(path);
    return !QFileInfo::exists(path);
}

bool clearReadOnly(const QString &path)
{
    QFile f(path);
    return f.setPermissions(f.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
}

bool setReadOnly(const QString &path)
{
    QFile f(path);
    return f.setPermissions(f.permissions() &
                            ~(QFileDevice::WriteOwner | QFileDevice::WriteUser | QFileDevice::WriteGroup |
                              QFileDevice::WriteOther));
}

bool setUnixPermissions(const QString &path, unsigned mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode_t(mode & 0777)) == 0;
}

bool setModificationTime(const QString &path, const QDateTime &time)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    return f.setFileTime(time, QFileDevice::FileModificationTime);
}

bool isOnRemovableDrive(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &st) != 0)
        return false;
    // /sys/dev/block/MAJ:MIN is a partition or a disk; a partition's parent folder is its disk.
    const QString dev = QStringLiteral("/sys/dev/block/%1:%2").arg(major(st.st_dev)).arg(minor(st.st_dev));
    for (const QString &candidate : {dev + QStringLiteral("/removable"), dev + QStringLiteral("/../removable")}) {
        QFile f(candidate);
        if (f.open(QIODevice::ReadOnly))
            return f.readAll().trimmed() == "1";
    }
    return false;
}

bool flushDescriptor(int fd) { return ::fsync(fd) == 0; }

bool setDescriptorModificationTime(int fd, const QDateTime &time)
{
    if (!time.isValid())
        return false;
    const qint64 ms = time.toMSecsSinceEpoch();
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT; // access time stays
    times[1].tv_sec = time_t(ms / 1000);
    times[1].tv_nsec = long((ms % 1000) * 1000000);
    return ::futimens(fd, times) == 0;
}

bool exists(const std::filesystem::path &path)
{
    const std::optional<os::PathStatus> status = os::status(path);
    return status && status->kind != os::PathKind::Folder;
}

bool openForReading(QFile &file, const std::filesystem::path &path, QString &reason)
{
#ifdef _WIN32
    // UTF-16 names pass through QString unchanged.
    const std::optional<os::PathStatus> status = os::status(path);
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
        reason = QString::fromLocal8Bit(std::strerror(errno));
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

void openForReading(QFile &file, const std::filesystem::path &path)
{
    QString reason;
    if (!openForReading(file, path, reason))
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(shownText(path), reason));
}

bool copyNoOverwrite(const std::filesystem::path &source, const std::filesystem::path &target)
{
    os::File in;
    os::File out;
    std::error_code error;
    if (!in.openForReading(source, os::Sharing::ReadersOnly, error))
        return false;
    // Exclusive creation: an existing target (or a link put there) is never written through.
    if (!out.createNew(target, error))
        return false;
    bool ok = true;
    static constexpr std::size_t bufferSize = 1 << 18;
    std::unique_ptr<char[]> buffer(new char[bufferSize]);
    for (;;) {
        const std::int64_t n = in.read(buffer.get(), bufferSize, error);
        if (n == 0)
            break;
        if (n < 0 || !out.writeAll(buffer.get(), std::size_t(n), error)) {
            ok = false;
            break;
        }
    }
    if (ok) {
        if (const std::optional<os::PathStatus> status = os::status(source))
            out.setModificationTime(status->modified, error);
    }
    if (!out.close(error))
        ok = false;
    if (!ok)
        os::removeFile(target, error);
    return ok;
}

bool remove(const std::filesystem::path &path)
{
    std::error_code error;
    os::removeFile(path, error);
    return !os::exists(path);
}

QDateTime fromDosDateTime(unsigned dosDate, unsigned dosTime)
{
    const QDate date(int(1980 + ((dosDate >> 9) & 0x7F)), int((dosDate >> 5) & 0x0F), int(dosDate & 0x1F));
    const QTime time(int((dosTime >> 11) & 0x1F), int((dosTime >> 5) & 0x3F), int((dosTime & 0x1F) * 2));
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, Qt::LocalTime);
}

} // namespace vx::files
