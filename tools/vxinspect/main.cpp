// vxinspect: a small inspection tool over the core libraries, used by regression tests and benchmarks.
#include "tools/vxinspect/Commands.h"

#include <QCoreApplication>

#include <cstdio>
#include <map>
#include <string>

namespace vxinspect {
namespace {
struct Entry {
    const char *usage;
    Command command;
};
std::map<std::string, Entry> &registry()
{
    static std::map<std::string, Entry> commands;
    return commands;
}
} // namespace

CommandRegistration::CommandRegistration(const char *name, const char *usage, Command command)
{
    registry()[name] = Entry{usage, command};
}

} // namespace vxinspect

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const auto &commands = vxinspect::registry();
    if (args.isEmpty() || commands.find(args.first().toStdString()) == commands.end()) {
        std::fprintf(stderr, "usage:\n");
        for (const auto &[name, entry] : commands)
            std::fprintf(stderr, "  vxinspect %s %s\n", name.c_str(), entry.usage);
        return 2;
    }
    const std::string name = args.takeFirst().toStdString();
    return commands.at(name).command(args);
}
