// vxshots OUTDIR: every registered scene, each on fresh windows.
#include "tools/screenshots/Scenes.h"
#include "app/QtTranslation.h"
#include "tests/support/JpegFixtures.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <map>
#include <string>

namespace vxshots {
namespace {
std::map<std::string, Scene> &scenes()
{
    static std::map<std::string, Scene> all;
    return all;
}

// A small release of real photos in three sets, portrait and landscape, of a few sizes.
void makeSampleRelease(const QString &root)
{
    QDir dir(root);
    const QSize sizes[] = {{1600, 1200}, {1200, 1600}, {1024, 768}, {2000, 1333}};
    int n = 0;
    for (const char *set : {"Set_01 Morning", "Set_02 Beach", "Set_03 Forest"}) {
        dir.mkpath(QString::fromUtf8(set));
        for (int i = 1; i <= 12; ++i, ++n) {
            const QString path =
                dir.filePath(QString::fromUtf8(set) + QStringLiteral("/IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
            vx::test::writeJpeg(path, sizes[n % 4].width(), sizes[n % 4].height());
        }
    }
}
} // namespace

SceneRegistration::SceneRegistration(const char *name, Scene scene) { scenes()[name] = scene; }

void Stage::save(QWidget *widget, const QString &name) const
{
    QWidget *window = widget->window();
    QApplication::processEvents();
    QTest::qWait(50);
    const QString path = out.filePath(name + QStringLiteral(".png"));
    if (!window->grab().save(path))
        std::fprintf(stderr, "vxshots: cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

} // namespace vxshots

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorlinex"));
    vx::installQtRussianTexts();
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(outDir);
    QTemporaryDir sample;
    vxshots::makeSampleRelease(sample.path());
    for (const auto &[name, scene] : vxshots::scenes()) {
        vx::test::ScriptedDesktop desktop;
        vx::Windows windows(desktop);
        windows.Form1.show();
        vxshots::Stage stage{desktop, windows, QDir(outDir), sample.path()};
        scene(stage);
    }
    return 0;
}
