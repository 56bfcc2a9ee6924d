#pragma once
// vxshots: renders the program's windows in given states into PNG files. Each window's scenes live
// in their own file and register themselves; scripts/screenshots runs them all under Xvfb.

#include "app/Windows.h"
#include "tests/support/ScriptedDesktop.h"

#include <QDir>
#include <QString>

namespace vxshots {

struct Stage {
    vx::test::ScriptedDesktop &desktop;
    vx::Windows &windows;
    QDir out;
    QString sampleRelease; // a generated folder with photos and archives
    // Grabs the widget's window (frame content) into out/name.png.
    void save(QWidget *widget, const QString &name) const;
};

using Scene = void (*)(Stage &stage);

struct SceneRegistration {
    SceneRegistration(const char *name, Scene scene);
};

} // namespace vxshots
