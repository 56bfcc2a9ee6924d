#include "imaging/JpegMarkers.h"

namespace vx {
namespace {

// A read cursor over the buffer; reads past the end deliver nothing and report it.
class Cursor {
public:
    explicit Cursor(const QByteArray &bytes) : data_(reinterpret_cast<const uchar *>(bytes.constData())), size_(bytes.size()) {}
    qsizetype pos() const { return pos_; }
    qsizetype size() const { return size_; }
    bool byte(int &out)
    {
        if (pos_ >= size_)
            return false;
        out = data_[pos_++];
        return true;
    }
    bool word(int &out)
    {
        if (size_ - pos_ < 2)
            return false;
        out = (data_[pos_] << 8) | data_[pos_ + 1];
        pos_ += 2;
        return true;
    }
    // Moves forward; false (and stops at the end) when the target lies past the end.
    bool skip(qsizetype count)
    {
        if (count > size_ - pos_) {
            pos_ = size_;
            return false;
        }
        pos_ += count;
        return true;
    }

private:
    const uchar *data_;
    qsizetype size_;
    qsizetype pos_ = 0;
};

bool isFrame(int code) { return code >= 0xC0 && code <= 0xC3; }
bool hasNoLength(int code) { return code == 0x01 || (code >= 0xD0 && code <= 0xD9); } // TEM, RSTn, SOI, EOI

bool walk(Cursor &in, int &width, int &height)
{
    if (in.size() <= 8)
        return false;
    int soi = 0;
    if (!in.word(soi) || soi != 0xFFD8)
        return false;
    int b = 0;
    if (!in.byte(b))
        return false;
    // Bound: while fewer than 9 bytes are read the whole frame header (code, length, precision, height,
    // width: 8 bytes) still lies inside the buffer.
    while (in.pos() < in.size() - 8 && b == 0xFF) {
        int code = 0;
        in.byte(code);
        if (isFrame(code)) {
            int h = 0, w = 0;
            in.skip(3);
            in.word(h);
            in.word(w);
            height = h;
            width = w;
            return true;
        }
        if (hasNoLength(code)) {
            if (!in.byte(b))
                return false;
        } else if (code == 0xFF) {
            // A fill byte: it serves as the marker's 0xFF, the next byte is the code.
        } else {
            int length = 0;
            // The length counts its own two bytes; less than that is no segment at all.
            if (!in.word(length) || length < 2 || !in.skip(length - 2) || !in.byte(b))
                return false;
        }
    }
    return false;
}

} // namespace

bool ReadJpegSizeFromStream(const QByteArray &buffer, int &width, int &height, qsizetype *readPosition)
{
    Cursor in(buffer);
    const bool found = walk(in, width, height);
    if (readPosition)
        *readPosition = in.pos();
    return found;
}

} // namespace vx
