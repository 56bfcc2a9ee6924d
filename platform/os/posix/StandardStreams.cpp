#include "platform/os/StandardStreams.h"

namespace vx::os {

void setBinaryStandardStreams() {}

} // namespace vx::os
