#include "app/Windows.h"

#include <QGuiApplication>
#include <QScreen>

namespace vx {

Windows::Windows(Desktop &desktop) : Form1(desktop), helpform(desktop)
{
    Form1.setHelpForm(&helpform);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        Form1.move(screen->availableGeometry().center() - Form1.rect().center());
}

} // namespace vx
