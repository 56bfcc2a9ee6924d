#pragma once
// The extra field records the reader acts on: Zip64 sizes and offset (0x0001), WinZip AES (0x9901) and
// the private Unicode name (0x554E). Other records are stepped over.

#include "archive/DirItem.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vx::zip {

struct ExtraFieldInfo {
    std::optional<QString> unicodeName; // from a 0x554E record with the right signature
};

// Parses extra and applies it to item: the Zip64 values for the fields of item that hold their maximum,
// and, for an entry with the encryption flag, the AES kind and the actual method. A record whose length
// runs past the end of the field is cut to what is left (some writers count the header in the length);
// fewer than 4 bytes left end the parsing.
ExtraFieldInfo applyExtraField(QByteArrayView extra, TDirItem &item);

} // namespace vx::zip
