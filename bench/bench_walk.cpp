// bench_walk DIR: the page-1 scan's walk (FindPhotos) over DIR on the real main window (offscreen) with
// the real Desktop, so the live caption and the event pump per entry are paid as in a scan. Prints every
// path found, one per line, as find does: the script times the whole process against find's and checks
// that both found the same files. The report bench uses the same list as its walk-ordered photo list.
#include "app/Windows.h"
#include "folders/FolderPageRuns.h"

#include <QApplication>

#include <cstdio>

namespace {

// The one place this bench calls the walk.
QStringList walkedPhotos(vx::Windows &windows, const QString &dir)
{
    QStringList list;
    vx::folders::FindPhotos(windows.Form1.view(), dir, QString(), list);
    return list;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_walk DIR\n");
        return 2;
    }
    vx::QtDesktop desktop;
    vx::Windows windows(desktop);
    windows.Form1.show();
    QApplication::processEvents();
    const QStringList list = walkedPhotos(windows, QString::fromLocal8Bit(argv[1]));
    for (const QString &path : list)
        std::printf("%s\n", path.toLocal8Bit().constData());
    return 0;
}
