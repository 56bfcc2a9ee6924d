#include "platform/os/StandardStreams.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace vx::os {

void setBinaryStandardStreams()
{
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

} // namespace vx::os
