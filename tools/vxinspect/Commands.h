#pragma once
// vxinspect's sub-commands register themselves by name; each lives in its own file.

#include <QStringList>

namespace vxinspect {

// args: the arguments after the sub-command's name. Returns the exit status.
using Command = int (*)(const QStringList &args);

struct CommandRegistration {
    CommandRegistration(const char *name, const char *usage, Command command);
};

} // namespace vxinspect
