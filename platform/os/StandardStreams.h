#pragma once
// Standard output and error as byte streams: the Windows C library writes "\n" as "\r\n" in its default
// text mode, which corrupts raw bytes (an unpacked photo) and makes a tool's lines differ between the
// systems. POSIX streams carry bytes already.

namespace vx::os {

void setBinaryStandardStreams();

} // namespace vx::os
