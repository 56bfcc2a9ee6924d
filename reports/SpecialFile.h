#pragma once
// Release folders are walked by name, so a named pipe, a socket or a link to a device can stand in the photo
// list as "x.jpg". Opening a pipe for reading waits for a writer that never comes and a device may never end,
// so the report runs test for them first and treat them like files that cannot be opened.

#include <QString>

namespace vx::reports {

// True when something exists at path (links followed) that is neither a regular file nor a folder.
bool IsSpecialFile(const QString &path);

// The reason shown for such a file where an open failure's reason would stand.
QString SpecialFileReason();

} // namespace vx::reports
