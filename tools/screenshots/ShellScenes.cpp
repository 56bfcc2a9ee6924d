// The main window's pages, the busy panel mid-scan and both pages of the help window.
#include "tools/screenshots/Scenes.h"

#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace {

void pages(vxshots::Stage &stage)
{
    TForm1 &form = stage.windows.Form1;
    stage.save(&form, QStringLiteral("main-page1-idle"));
    form.view().TabSet1->setCurrentIndex(1);
    stage.save(&form, QStringLiteral("main-page2-idle"));
}

void busyScan(vxshots::Stage &stage)
{
    TForm1 &form = stage.windows.Form1;
    stage.desktop.folderAnswers.push_back(stage.sampleRelease);
    stage.desktop.atProcessEvents(20, [&] {
        stage.save(&form, QStringLiteral("main-page1-busy-scan"));
    });
    form.view().Button1->click();
    stage.save(&form, QStringLiteral("main-page1-after-scan"));
}

void help(vxshots::Stage &stage)
{
    vx::Thelpform &help = stage.windows.helpform;
    help.showCentred();
    help.tb1->setCurrentIndex(0);
    stage.save(&help, QStringLiteral("help-description"));
    help.tb1->setCurrentIndex(1);
    stage.save(&help, QStringLiteral("help-about"));
}

const vxshots::SceneRegistration r1("main-pages", &pages);
const vxshots::SceneRegistration r2("main-busy-scan", &busyScan);
const vxshots::SceneRegistration r3("help", &help);

} // namespace
