#include "imaging/FileReadDevice.h"

#include "platform/os/ErrorText.h"

namespace vx::jpeg {

FileReadDevice::FileReadDevice(os::File &file) : file_(file)
{
    std::uint64_t bytes = 0;
    std::error_code error;
    if (file_.size(bytes, error))
        size_ = qint64(bytes);
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 FileReadDevice::readData(char *data, qint64 maxSize)
{
    std::error_code error;
    const std::int64_t got = file_.readAt(std::uint64_t(pos()), data, std::size_t(maxSize), error);
    if (got < 0)
        setErrorString(QString::fromStdString(os::errorText(error))); // message() is 1251 on a Russian Windows
    return got;
}

} // namespace vx::jpeg
