#pragma once
// vxinspect's sub-commands register themselves by name; each lives in its own file.

#include <QStringList>

#include <filesystem>

namespace vxinspect {

// args: the arguments after the sub-command's name. Returns the exit status.
using Command = int (*)(const QStringList &args);

// The native path of the command line's argument at index (counted like args): on Linux the argument's
// own bytes, so a name that is not UTF-8 reaches its file.
std::filesystem::path argumentPath(const QStringList &args, qsizetype index);

struct CommandRegistration {
    CommandRegistration(const char *name, const char *usage, Command command);
};

} // namespace vxinspect
