#include "archive/SizeListEnds.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace vx::archive {
namespace {

// The decimal text of a size, written into a small buffer: the order is decided once per directory
// entry, so it allocates nothing.
struct Digits {
    char text[24];
    std::size_t length;
    explicit Digits(int64_t value)
    {
        length = std::size_t(std::to_chars(text, text + sizeof text, value).ptr - text);
    }
};

int compareDigitTexts(const Digits &a, const Digits &b)
{
    const std::size_t common = std::min(a.length, b.length);
    if (const int byDigits = std::memcmp(a.text, b.text, common))
        return byDigits < 0 ? -1 : 1;
    // The shorter one is followed by "|", which sorts before the longer one's next digit.
    return a.length == b.length ? 0 : (a.length < b.length ? -1 : 1);
}

} // namespace

int CompareSizeTexts(const JpegEntry &a, const JpegEntry &b, const QCollator &names)
{
    if (a.unpackedSize != b.unpackedSize)
        if (const int bySize = compareDigitTexts(Digits(a.unpackedSize), Digits(b.unpackedSize)))
            return bySize;
    return names.compare(a.name(), b.name());
}

SizeListEnds::SizeListEnds() { names_.setCaseSensitivity(Qt::CaseInsensitive); }

void SizeListEnds::insert(const JpegEntry &entry)
{
    if (!first_) {
        first_ = entry;
        last_ = entry;
        return;
    }
    if (CompareSizeTexts(entry, *first_, names_) < 0)
        first_ = entry;
    else if (CompareSizeTexts(entry, *last_, names_) > 0)
        last_ = entry;
}

void SizeListEnds::clear()
{
    first_.reset();
    last_.reset();
}

} // namespace vx::archive
