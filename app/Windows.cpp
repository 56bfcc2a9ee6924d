#include "app/Windows.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace vx {

namespace {
// The application's title is set before the first window exists.
Desktop &titled(Desktop &desktop)
{
    QCoreApplication::setApplicationName(QStringLiteral("Vorlinex"));
    return desktop;
}
} // namespace

Windows::Windows(Desktop &desktop) : Form1(titled(desktop)), helpform(desktop),
      UploadForm(desktop, [this] { return Form1.view().fd2.path; }), ResultForm(desktop)
{
    Form1.setUploadForm(&UploadForm);
    Form1.setHelpForm(&helpform);
    Form1.setResultForm(&ResultForm);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        Form1.move(screen->availableGeometry().center() - Form1.rect().center());
}

} // namespace vx
