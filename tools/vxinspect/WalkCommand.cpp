// vxinspect walk FOLDER: the entries the photo scan lists, one per line, in walk order, each as its
// native path's bytes (a name that is not UTF-8 comes out as it is on disk; on Windows, whose names are
// UTF-16, as UTF-8).
#include "tools/vxinspect/Commands.h"

#include "folders/FolderWalk.h"

#include <cstdio>

namespace {

int walkCommand(const QStringList &args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: vxinspect walk FOLDER\n");
        return 2;
    }
    std::vector<vx::ListEntry> found;
    vx::walkFolder(vxinspect::argumentPath(args, 0), QString(), vx::photoEndings(), found);
    for (const vx::ListEntry &entry : found) {
        const std::u8string bytes = entry.path.u8string();
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        std::fputc('\n', stdout);
    }
    return 0;
}

const vxinspect::CommandRegistration registration("walk", "FOLDER", &walkCommand);

} // namespace
