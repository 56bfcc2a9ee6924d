// bench_walk DIR [RUNS]: times FindPhotos over DIR on the real main window (offscreen) with the real
// Desktop, so the live caption and the event pump per entry are paid as in a scan. Prints the best time.
#include "app/Windows.h"
#include "folders/FolderPageRuns.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_walk DIR [RUNS]\n");
        return 2;
    }
    const std::filesystem::path dir(argv[1]);
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    vx::QtDesktop desktop;
    vx::Windows windows(desktop);
    windows.Form1.show();
    QApplication::processEvents();
    double best = 1e9;
    qsizetype found = 0;
    for (int i = 0; i < runs; ++i) {
        std::vector<vx::ListEntry> list;
        QElapsedTimer timer;
        timer.start();
        vx::folders::FindPhotos(windows.Form1.view(), dir, QString(), list);
        best = std::min(best, timer.nsecsElapsed() / 1e9);
        found = qsizetype(list.size());
    }
    std::printf("%.6f %lld\n", best, static_cast<long long>(found));
    return 0;
}
