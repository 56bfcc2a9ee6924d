#pragma once
// The shown texts of list entries, for comparing them with expected paths.

#include "platform/NativePath.h"

#include <QStringList>

#include <vector>

namespace vx::test {

inline QStringList texts(const std::vector<vx::ListEntry> &entries)
{
    QStringList out;
    for (const vx::ListEntry &entry : entries)
        out << entry.text;
    return out;
}

} // namespace vx::test
