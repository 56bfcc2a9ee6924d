#pragma once
// libjpeg's error manager for the probes. libjpeg is C: an error must leave it by longjmp, never by a C++
// exception. The error exit records libjpeg's message code and jumps back to the setjmp of the caller,
// which destroys the decompressor and only then raises vx::Error. Warnings (a premature end of data among
// them) and trace messages are dropped: no output, no count.

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace vx::jpeg {

struct ErrorManager {
    jpeg_error_mgr base; // first member: libjpeg hands back a pointer to it
    std::jmp_buf landing;
    int messageCode = 0;

    // Fills base with libjpeg's defaults and our exits; returns the pointer for cinfo->err.
    jpeg_error_mgr *install();
};

} // namespace vx::jpeg
