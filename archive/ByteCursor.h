#pragma once
// A bounds-checked reader over a byte range. Every read checks what is left first; a read past the end
// yields zeros and marks the cursor failed, so a parser can read a whole fixed part and test once.

#include <QByteArray>

#include <cstdint>
#include <cstring>

namespace vx::zip {

class ByteCursor {
public:
    ByteCursor() = default;
    ByteCursor(const char *data, qint64 size) : data_(reinterpret_cast<const uint8_t *>(data)), size_(size) {}
    explicit ByteCursor(QByteArrayView bytes) : ByteCursor(bytes.data(), bytes.size()) {}

    qint64 remaining() const { return size_ - pos_; }
    qint64 position() const { return pos_; }
    bool failed() const { return failed_; }
    bool has(qint64 n) const { return n >= 0 && n <= remaining(); }

    uint8_t u8() { return uint8_t(take(1)); }
    uint16_t u16() { return uint16_t(take(2)); }
    uint32_t u32() { return uint32_t(take(4)); }
    uint64_t u64() { return take(8); }

    // The next n bytes as a cursor of their own; fails (and yields an empty cursor) when fewer are left.
    ByteCursor sub(qint64 n)
    {
        if (!has(n)) {
            fail();
            return {};
        }
        ByteCursor inner(reinterpret_cast<const char *>(data_ + pos_), n);
        pos_ += n;
        return inner;
    }
    QByteArray bytes(qint64 n)
    {
        if (!has(n)) {
            fail();
            return {};
        }
        QByteArray out(reinterpret_cast<const char *>(data_ + pos_), qsizetype(n));
        pos_ += n;
        return out;
    }
    void skip(qint64 n)
    {
        if (!has(n))
            fail();
        else
            pos_ += n;
    }

private:
    uint64_t take(int n)
    {
        if (!has(n)) {
            fail();
            return 0;
        }
        uint64_t v = 0;
        for (int i = n - 1; i >= 0; --i)
            v = (v << 8) | data_[pos_ + i];
        pos_ += n;
        return v;
    }
    void fail()
    {
        failed_ = true;
        pos_ = size_;
    }

    const uint8_t *data_ = nullptr;
    qint64 size_ = 0;
    qint64 pos_ = 0;
    bool failed_ = false;
};

} // namespace vx::zip
