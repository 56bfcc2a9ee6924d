#pragma once
// A multipart/form-data request body that is never assembled in memory: text parts are formatted on
// demand and file parts are streamed from their files, which stay open from AddFilePart until the body
// is released (destroyed), so their sizes cannot be recounted between the size sum and the sending.

#include "platform/Error.h"
#include "platform/os/File.h"

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <memory>
#include <vector>

namespace vx {

// A file of the body that is no regular file (a pipe, a device, a folder named like a photo): nothing
// can be uploaded from it, and unlike a file that went missing it stays in the way until the user
// removes it, so the window says so.
class NotARegularFile : public Error {
public:
    using Error::Error;
};

class FormDataBody {
public:
    // The boundary is made from the local date and time to the millisecond.
    FormDataBody();
    ~FormDataBody();
    FormDataBody(const FormDataBody &) = delete;
    FormDataBody &operator=(const FormDataBody &) = delete;

    // Opens the file for reading and appends a file part; throws vx::Error when it cannot be opened
    // (missing, a folder, a pipe or device, unreadable) or when the body would reach 2 GiB. Only regular
    // files are opened, without waiting: a pipe named like a photo must not hold the upload.
    void AddFilePart(const QString &fieldName, const std::filesystem::path &path, const QString &contentType);
    void AddFilePart(const QString &fieldName, const QString &path, const QString &contentType);
    void AddTextPart(const QString &fieldName, const QString &value);

    const QString &boundary() const { return boundary_; }
    QString ContentTypeHeader() const;
    // The exact length of the body, closing delimiter included.
    qint32 TotalSize() const;

    // The sequential reader: rewind to the first byte, then read up to maxSize bytes at a time;
    // 0 means the end. Throws vx::Error when a file no longer yields the bytes that were counted.
    void rewind();
    qint64 read(char *data, qint64 maxSize);
    qint32 position() const { return position_; }

    // Closes every file the body holds; reading afterwards yields nothing.
    void release();

    // The filename parameter of a file part: the name alone in the system's 8-bit encoding, with '"', CR
    // and LF percent-encoded so that no file name can end the quoted parameter or the header line.
    static QByteArray filenameParameter(const std::filesystem::path &path);
    static QByteArray filenameParameter(const QString &path);

private:
    struct Part {
        QByteArray fieldName;
        QByteArray value;     // text part
        std::filesystem::path path; // file part
        QString pathText;           // for messages
        QByteArray contentType;
        std::unique_ptr<os::File> file;
        qint64 fileSize = 0;
        qint64 size = 0;
        bool isFile() const { return file != nullptr; }
    };

    QByteArray headerLines(const Part &part) const; // lines 1 to 4 of the part
    QByteArray closingDelimiter() const;

    QString boundary_;
    std::vector<Part> parts_;
    qint64 total_ = 0; // sum of part sizes

    // Reader state.
    std::size_t current_ = 0;
    QByteArray pending_;
    qsizetype pendingOffset_ = 0;
    bool fileCurrent_ = false;
    qint64 fileDelivered_ = 0;
    bool closingAdded_ = false;
    qint32 position_ = 0;
    bool released_ = false;
};

} // namespace vx
