#pragma once
// A photo file as a read-only random-access QIODevice over the OS layer: positioned reads at the
// device's position and nothing else, where QFile adds status, seek and descriptor-flag calls of its own
// to every open and read (half of a header probe's system calls).

#include "platform/os/File.h"

#include <QIODevice>

namespace vx::jpeg {

class FileReadDevice final : public QIODevice {
public:
    // Takes an open file; its length is taken now (0 when the system cannot tell it). Opens the device.
    explicit FileReadDevice(os::File &file);
    bool isSequential() const override { return false; }
    qint64 size() const override { return size_; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    os::File &file_;
    qint64 size_ = 0;
};

} // namespace vx::jpeg
