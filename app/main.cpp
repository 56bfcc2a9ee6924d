// Vorlinex: start-up creates the four windows in order (main, help, upload, results) and runs the loop.
#include "app/QtTranslation.h"
#include "app/Windows.h"
#include "platform/os/OpenFileLimit.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // An upload holds every photo of the output folder open at once.
    vx::os::raiseOpenFileLimit();
    QApplication application(argc, argv);
    vx::installQtRussianTexts();
    vx::QtDesktop desktop;
    vx::Windows windows(desktop);
    desktop.setOwner(&windows.Form1);
    windows.Form1.show();
    return QApplication::exec();
}
