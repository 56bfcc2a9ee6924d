#include "upload/FormDataBody.h"

#include "platform/Clock.h"
#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/os/ErrorText.h"

#include <cstring>
#include <limits>

namespace vx {
namespace {

constexpr qint64 kMaxBodySize = std::numeric_limits<qint32>::max();

QByteArray quoted(const QByteArray &text) { return '"' + text + '"'; }

} // namespace

FormDataBody::FormDataBody()
    // "HH" is the 24-hour clock whatever the locale; the 15 digits follow the eight hyphens.
    : boundary_(QStringLiteral("--------") + clock::localNow().toString(QStringLiteral("MMddyyHHmmsszzz")))
{
}

FormDataBody::~FormDataBody() { release(); }

QString FormDataBody::ContentTypeHeader() const { return QStringLiteral("multipart/form-data; boundary=") + boundary_; }

qint32 FormDataBody::TotalSize() const { return static_cast<qint32>(total_ + closingDelimiter().size()); }

QByteArray FormDataBody::filenameParameter(const QString &path) { return filenameParameter(nativePath(path)); }

QByteArray FormDataBody::filenameParameter(const std::filesystem::path &path)
{
    const QByteArray name = eightBitFileName(path);
    QByteArray out;
    out.reserve(name.size());
    for (char c : name) {
        if (c == '"')
            out += "%22";
        else if (c == '\r')
            out += "%0D";
        else if (c == '\n')
            out += "%0A";
        else
            out += c;
    }
    return out;
}

QByteArray FormDataBody::headerLines(const Part &part) const
{
    QByteArray out = "--" + boundary_.toLatin1() + "\r\n";
    out += "Content-Disposition: form-data; name=" + quoted(part.fieldName);
    if (part.isFile()) {
        out += "; filename=" + quoted(filenameParameter(part.path)) + "\r\n";
        out += "Content-Type: " + part.contentType + "\r\n";
        out += "\r\n";
    } else {
        out += "\r\n\r\n";
        out += part.value + "\r\n";
    }
    return out;
}

QByteArray FormDataBody::closingDelimiter() const { return "\r\n--" + boundary_.toLatin1() + "--\r\n"; }

void FormDataBody::AddFilePart(const QString &fieldName, const QString &path, const QString &contentType)
{
    AddFilePart(fieldName, nativePath(path), contentType);
}

void FormDataBody::AddFilePart(const QString &fieldName, const std::filesystem::path &path,
                               const QString &contentType)
{
    const QString text = shownText(path);
    auto file = std::make_unique<os::File>();
    std::error_code error;
    std::uint64_t size = 0;
    if (!file->openForReading(path, os::Sharing::ReadersOnly, error) && error == os::LayerError::NotRegularFile)
        throw NotARegularFile(QStringLiteral("Файл ") + text +
                              QStringLiteral(" не загружен: это не обычный файл (канал, устройство или папка)."));
    if (!file->isOpen() || !file->size(size, error))
        throw Error(QStringLiteral("Не удалось открыть файл ") + text + QStringLiteral(". ") +
                    QString::fromStdString(os::errorText(error)));

    Part part;
    part.fieldName = fieldName.toUtf8();
    part.path = path;
    part.pathText = text;
    part.contentType = contentType.toUtf8();
    part.fileSize = size > std::uint64_t(kMaxBodySize) ? kMaxBodySize : qint64(size);
    part.file = std::move(file);
    part.size = headerLines(part).size() + part.fileSize + 2;
    if (size > std::uint64_t(kMaxBodySize) || total_ + part.size + closingDelimiter().size() > kMaxBodySize)
        throw Error(QStringLiteral("Слишком большой объём для загрузки: ") + text);
    total_ += part.size;
    parts_.push_back(std::move(part));
}

void FormDataBody::AddTextPart(const QString &fieldName, const QString &value)
{
    Part part;
    part.fieldName = fieldName.toUtf8();
    part.value = value.toUtf8();
    part.size = headerLines(part).size();
    if (total_ + part.size + closingDelimiter().size() > kMaxBodySize)
        throw Error(QStringLiteral("Слишком большой объём для загрузки"));
    total_ += part.size;
    parts_.push_back(std::move(part));
}

void FormDataBody::rewind()
{
    current_ = 0;
    pending_.clear();
    pendingOffset_ = 0;
    fileCurrent_ = false;
    fileDelivered_ = 0;
    closingAdded_ = false;
    position_ = 0;
}

qint64 FormDataBody::read(char *data, qint64 maxSize)
{
    if (released_)
        return 0;
    qint64 done = 0;
    while (done < maxSize) {
        if (pendingOffset_ < pending_.size()) {
            const qint64 n = std::min<qint64>(maxSize - done, pending_.size() - pendingOffset_);
            std::memcpy(data + done, pending_.constData() + pendingOffset_, static_cast<std::size_t>(n));
            pendingOffset_ += n;
            done += n;
            continue;
        }
        pending_.clear();
        pendingOffset_ = 0;

        if (fileCurrent_) {
            Part &part = parts_[current_];
            // Only the bytes that were counted go out: a file that grew since it was added is cut at its
            // counted size, one that shrank cannot keep the announced length and fails the body.
            const qint64 want = std::min(maxSize - done, part.fileSize - fileDelivered_);
            if (want > 0) {
                std::error_code error;
                const std::int64_t got =
                    part.file->readAt(std::uint64_t(fileDelivered_), data + done, std::size_t(want), error);
                if (got <= 0)
                    throw Error(QStringLiteral("Не удалось прочитать файл ") + part.pathText);
                fileDelivered_ += got;
                done += got;
                continue;
            }
            fileCurrent_ = false;
            fileDelivered_ = 0;
            ++current_;
            pending_ = "\r\n";
            continue;
        }

        if (current_ < parts_.size()) {
            Part &part = parts_[current_];
            pending_ = headerLines(part);
            if (part.isFile()) {
                fileCurrent_ = true;
                fileDelivered_ = 0;
            } else {
                ++current_;
            }
            continue;
        }

        if (!closingAdded_) {
            closingAdded_ = true;
            pending_ = closingDelimiter();
            continue;
        }
        break;
    }
    position_ += static_cast<qint32>(done);
    return done;
}

void FormDataBody::release()
{
    released_ = true;
    for (Part &part : parts_)
        if (part.file)
            part.file->close();
}

} // namespace vx
