#include "platform/NativePath.h"

#include "platform/CodePage.h"

#include <QDir>
#include <QFile>

namespace vx {
namespace {

#ifndef _WIN32
QString decodeBytes(const char *data, qsizetype size)
{
    const QByteArray bytes = QByteArray::fromRawData(data, size);
    if (codepage::isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return codepage::fromAnsi(QByteArray(data, size));
}
#endif

} // namespace

QString shownName(const std::filesystem::path::string_type &name)
{
#ifdef _WIN32
    return QString::fromStdWString(name);
#else
    return decodeBytes(name.data(), qsizetype(name.size()));
#endif
}

QString shownText(const std::filesystem::path &path)
{
#ifdef _WIN32
    // Paths enter the program in their native form ("\" throughout, see nativePath), so the native
    // text is what Explorer and the folder dialog show.
    return QString::fromStdWString(path.native());
#else
    // "/" is never part of a UTF-8 sequence nor a 1251 letter, so each part between separators can be
    // read on its own; a path that is UTF-8 as a whole reads in one go.
    const std::string &bytes = path.native();
    const QByteArray whole = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
    if (codepage::isValidUtf8(whole))
        return QString::fromUtf8(whole);
    QString text;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = bytes.find('/', start);
        const std::size_t end = slash == std::string::npos ? bytes.size() : slash;
        text += decodeBytes(bytes.data() + start, qsizetype(end - start));
        if (slash == std::string::npos)
            return text;
        text += QLatin1Char('/');
        start = slash + 1;
    }
#endif
}

std::filesystem::path nativePath(const QString &text)
{
#ifdef _WIN32
    // Qt hands out "/" on Windows too; "/" can be no part of a Windows name, so the native form loses
    // nothing, and every path built on it shows one separator throughout.
    return std::filesystem::path(QDir::toNativeSeparators(text).toStdWString());
#else
    const QByteArray bytes = QFile::encodeName(text);
    return std::filesystem::path(std::string(bytes.constData(), std::size_t(bytes.size())));
#endif
}

QByteArray eightBitFileName(const std::filesystem::path &path)
{
#ifdef _WIN32
    return codepage::toAnsi(QString::fromStdWString(path.filename().native()));
#else
    const std::string name = path.filename().native();
    return QByteArray(name.data(), qsizetype(name.size()));
#endif
}

ListEntry listEntry(const std::filesystem::path &path) { return {path, shownText(path)}; }

} // namespace vx
