// Page 1 after a technical-data run, and the results window with a set list.
#include "tools/screenshots/Scenes.h"

#include <QPushButton>
#include <QTimer>

namespace {

void scanSample(vxshots::Stage &stage)
{
    stage.desktop.folderAnswers.push_back(stage.sampleRelease);
    stage.windows.Form1.view().Button1->click();
}

void techData(vxshots::Stage &stage)
{
    scanSample(stage);
    stage.windows.Form1.view().Button7->click();
    stage.save(&stage.windows.Form1, QStringLiteral("main-page1-techdata"));
}

void results(vxshots::Stage &stage)
{
    scanSample(stage);
    auto &form = stage.windows.Form1;
    // The list shows modally: photograph it once it is up, then close it.
    QTimer::singleShot(200, [&stage] {
        stage.save(&stage.windows.ResultForm, QStringLiteral("results-set-list"));
        stage.windows.ResultForm.close();
    });
    form.N2Click();
}

const vxshots::SceneRegistration r1("reports-techdata", &techData);
const vxshots::SceneRegistration r2("reports-results", &results);

} // namespace
