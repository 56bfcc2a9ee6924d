// vxinspect: a small inspection tool over the core libraries, used by regression tests and benchmarks.
#include "tools/vxinspect/Commands.h"

#include "platform/NativePath.h"
#include "platform/os/StandardStreams.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>
#include <map>
#include <new>
#include <string>
#include <vector>

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
// The arguments after the sub-command's name, as the system passed them.
std::vector<std::string> &rawArguments()
{
    static std::vector<std::string> arguments;
    return arguments;
}
} // namespace

std::filesystem::path argumentPath(const QStringList &args, qsizetype index)
{
#ifdef _WIN32
    return vx::nativePath(args.at(index));
#else
    (void)args;
    return std::filesystem::path(rawArguments().at(std::size_t(index)));
#endif
}

CommandRegistration::CommandRegistration(const char *name, const char *usage, Command command)
{
    registry()[name] = Entry{usage, command};
}

} // namespace vxinspect

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    vx::os::setBinaryStandardStreams();
    QStringList args = app.arguments().mid(1);
    const auto &commands = vxinspect::registry();
    if (args.isEmpty() || commands.find(args.first().toStdString()) == commands.end()) {
        std::fprintf(stderr, "usage:\n");
        for (const auto &[name, entry] : commands)
            std::fprintf(stderr, "  vxinspect %s %s\n", name.c_str(), entry.usage);
        return 2;
    }
    const std::string name = args.takeFirst().toStdString();
    for (int i = 2; i < argc; ++i)
        vxinspect::rawArguments().emplace_back(argv[i]);
    // A hostile archive may claim more than memory holds; that is one more error line, not a crash.
    try {
        return commands.at(name).command(args);
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr, "vxinspect: out of memory\n");
    } catch (const std::exception &e) {
        std::fprintf(stderr, "vxinspect: %s\n", e.what());
    }
    return 1;
}
