// The archive page after a scan and a technical-data run over a few generated archives.
#include "tools/screenshots/Scenes.h"
#include "tests/support/JpegFixtures.h"
#include "tests/support/ZipWriter.h"

#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>

namespace {

// Three archive sets of photos in two orientations and a few sizes, one archive per set.
void makeArchiveRelease(const QString &root)
{
    const QSize sizes[] = {{1600, 1200}, {1200, 1600}, {2000, 1333}, {1024, 768}};
    int n = 0;
    for (const char *set : {"Set_01 Morning", "Set_02 Beach", "Set_03 Forest", "Set_04 City"}) {
        vx::test::ZipWriter writer;
        const QString name = QString::fromUtf8(set);
        for (int i = 1; i <= 9; ++i, ++n) {
            const QSize size = sizes[(n / 3) % 4];
            writer.addStored((name + QStringLiteral("/IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0'))).toUtf8(),
                             vx::test::makeJpeg(size.width(), size.height()));
        }
        writer.writeTo(root + QLatin1Char('/') + name + QStringLiteral(".zip"));
    }
}

void techData(vxshots::Stage &stage)
{
    TForm1 &form = stage.windows.Form1;
    QTemporaryDir release;
    makeArchiveRelease(release.path());
    form.view().TabSet1->setCurrentIndex(1);
    form.TabSet1Click();
    stage.desktop.folderAnswers.push_back(release.path());
    form.view().Button4->click();
    form.Button8Click();
    stage.save(&form, QStringLiteral("main-page2-after-techdata"));
}

const vxshots::SceneRegistration r1("archive-page-techdata", &techData);

} // namespace
