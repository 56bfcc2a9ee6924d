// The dialogs that Qt draws and words: the folder picker and a Yes/No question, both with Qt's Russian
// texts; beside them the archive reader's password dialog, which keeps its English.
#include "tools/screenshots/Scenes.h"

#include "platform/QtDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>

namespace {

void folderPicker(vxshots::Stage &stage)
{
    const vx::Form1View &view = stage.windows.Form1.view();
    const QString held = QDir(stage.sampleRelease).filePath(QStringLiteral("Set_02 Beach"));
    const auto dialog = vx::dialogs::folderPicker({view.fd2.title, QDir::toNativeSeparators(held), {200, 160}, true},
                                                  &stage.windows.Form1);
    dialog->show();
    QTest::qWait(400); // the file model fills the list in the background
    stage.save(dialog.get(), QStringLiteral("dialog-folder"));
}

void question(vxshots::Stage &stage)
{
    const auto box = vx::dialogs::question(QStringLiteral("Обработка завершена"),
                                           QStringLiteral("Обработка завершена. Открыть папку с созданными примерами?"),
                                           &stage.windows.Form1);
    box->show();
    stage.save(box.get(), QStringLiteral("dialog-question"));
}

void readerPassword(vxshots::Stage &stage)
{
    const auto dialog = vx::dialogs::readerPassword(QStringLiteral("Password for \"Set_02/IMG_0001.jpg\""),
                                                    QStringLiteral("Enter password: "), 255, &stage.windows.Form1);
    dialog->show();
    stage.save(dialog.get(), QStringLiteral("dialog-reader-password"));
}

const vxshots::SceneRegistration r1("dialog-folder", &folderPicker);
const vxshots::SceneRegistration r2("dialog-question", &question);
const vxshots::SceneRegistration r3("dialog-reader-password", &readerPassword);

} // namespace
