// upload_window_reply MIB: the upload window, offscreen, uploads one small photo to a host served from
// memory whose 2xx reply is MIB MiB of link lines, as a hostile or broken host could send. Prints the
// seconds from the press of "Загрузить" until the post text stands in the window, and how far the peak
// resident memory rose meanwhile ("name: value" lines), and checks that every link made it into the text.

#include "bench/ProcessMemory.h"
#include "platform/Desktop.h"
#include "upload/MemoryConnection.h"
#include "upload/Upload.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <cstdio>

namespace {

class QuietDesktop final : public vx::Desktop {
public:
    bool chooseFolder(const vx::FolderDialogRequest &, QString &) override { return false; }
    void showMessage(const QString &) override {}
    void showInformation(const QString &, const QString &) override {}
    void showError(const QString &) override {}
    bool askYesNo(const QString &, const QString &) override { return false; }
    bool askPassword(const QString &, const QString &, int, QString &) override { return false; }
    vx::FailureAnswer askFailure(const QString &, const QString &) override { return vx::FailureAnswer::Abort; }
    void openFolder(const QString &) override {}
    void openUrl(const QString &) override {}
    void setClipboardText(const QString &) override {}
    void processEvents() override {}
};


} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int mib = argc == 2 ? std::atoi(argv[1]) : 0;
    if (mib <= 0 || mib > 8) {
        std::fprintf(stderr, "usage: upload_window_reply MIB (1 to 8)\n");
        return 2;
    }
    QTemporaryDir folder;
    {
        QFile photo(folder.filePath(QStringLiteral("a.jpg")));
        if (!photo.open(QIODevice::WriteOnly) || photo.write("photo") != 5)
            return 2;
    }
    QByteArray page;
    const qsizetype size = qsizetype(mib) << 20;
    page.reserve(size);
    int links = 0;
    for (;;) {
        const QByteArray line = (links % 2 ? "" : " ") + QByteArray("[URL=http://img.example/") + QByteArray::number(links) +
                                "][IMG]http://img.example/th/" + QByteArray::number(links) + ".jpg[/IMG][/URL]\r\n";
        if (page.size() + line.size() > size)
            break;
        page += line;
        ++links;
    }
    page += QByteArray(size - page.size(), ' ');
    auto connector = std::make_unique<vx::http::MemoryConnector>();
    connector->replies.push_back(
        {"HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(page.size()) + "\r\n\r\n" + page});
    page.clear();
    page.squeeze();

    QuietDesktop desktop;
    TUploadForm form(desktop, [&folder] { return folder.path(); });
    form.HTTP.setConnectorForTesting(std::move(connector));
    form.setUploadUrlForTesting(QStringLiteral("http://127.0.0.1:9/upload.php"));
    form.show();
    QApplication::processEvents();

    vx::bench::resetPeak(); // so that it measures the upload alone
    const long before = vx::bench::statusKib("VmRSS");
    QElapsedTimer clock;
    clock.start();
    form.Button1Click();
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    const long peak = vx::bench::statusKib("VmHWM");

    const QString text = form.Memo1->toPlainText();
    if (text.count(QStringLiteral("[URL=http")) != links) {
        std::fprintf(stderr, "upload_window_reply: %lld of %d links in the post text\n",
                     static_cast<long long>(text.count(QStringLiteral("[URL=http"))), links);
        return 1;
    }
    std::printf("links: %d\n", links);
    std::printf("seconds: %.4f\n", seconds);
    std::printf("rss_growth_kib: %ld\n", peak - before);
    return 0;
}
