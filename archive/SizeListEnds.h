#pragma once
// The two entries an archive's resolution estimate is measured on. The entries are ordered by the text
// "<unpacked size in decimal>|<name>" under the locale's case-insensitive collation, where "|" comes before
// every digit: the size texts decide digit by digit, a size text that begins a longer one comes first
// (10, 100, 1000000, 2, 9), and equal sizes fall back to the names ignoring case. Only the first and the
// last element of that order are ever used, so they are kept in one pass instead of keeping a sorted list;
// an entry whose text equals one already seen does not displace it, as a sorted list without repeats
// would keep the first one inserted.

#include "archive/JpegEntryList.h"

#include <QCollator>
#include <QString>

#include <optional>

namespace vx::archive {

// Negative, zero or positive as a sorts before, with or after b in the order above.
int CompareSizeTexts(const JpegEntry &a, const JpegEntry &b, const QCollator &names);

class SizeListEnds {
public:
    SizeListEnds();
    void insert(const JpegEntry &entry);
    void clear();
    bool isEmpty() const { return !first_; }
    // Only when not empty.
    const JpegEntry &first() const { return *first_; }
    const JpegEntry &last() const { return *last_; }

private:
    QCollator names_;
    std::optional<JpegEntry> first_, last_;
};

} // namespace vx::archive
