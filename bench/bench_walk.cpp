// bench_walk DIR: the page-1 scan's walk (FindPhotos) over DIR on the real main window (no screen) with
// the real Desktop, so the live caption and the event pump per entry are paid as in a scan, and the
// page's list filled with what it found, as the scan does. Prints every path found, one per line, as
// find does: the script times the whole process against find's and checks
// that both found the same files. The report bench uses the same list as its walk-ordered photo list.
#include "app/Windows.h"
#include "folders/FolderPageRuns.h"
#include "platform/ListItems.h"

#include <QApplication>

#include <cstdio>

namespace {

// The one place this bench calls the walk.
std::vector<vx::ListEntry> walkedPhotos(vx::Windows &windows, const std::filesystem::path &dir)
{
    std::vector<vx::ListEntry> list;
    vx::folders::FindPhotos(windows.Form1.view(), dir, QString(), list);
    return list;
}

} // namespace

int main(int argc, char **argv)
{
    // No screen, and no fonts loaded: a font database costs more start-up than the run being measured,
    // and the page's runs draw nothing a user would read here.
    qputenv("QT_QPA_PLATFORM", "minimal");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_walk DIR\n");
        return 2;
    }
    vx::QtDesktop desktop;
    vx::Windows windows(desktop);
    windows.Form1.show();
    QApplication::processEvents();
    const std::vector<vx::ListEntry> found = walkedPhotos(windows, std::filesystem::path(argv[1]));
    vx::setListEntries(*windows.Form1.view().lb1, found);
    // Native bytes, as find prints them, so both lists compare whatever the names' encoding.
    for (const vx::ListEntry &entry : found)
        std::printf("%s\n", entry.path.c_str());
    return 0;
}
