// Posts the given files as one upload body to a URL with the upload client, and reports the body size it
// announced as Content-Length, the reply, and how far the client's resident memory rose above its level
// before the post. The script times the whole process.
// Usage: upload_post URL FILE...

#include "bench/ProcessMemory.h"
#include "upload/FormDataBody.h"
#include "upload/HttpClient.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: upload_post URL FILE...\n");
        return 2;
    }
    vx::bench::resetPeak(); // so that it measures the post alone
    const long before = vx::bench::statusKib("VmRSS");

    QByteArray reply;
    qint64 announced = 0;
    try {
        vx::FormDataBody body;
        for (qsizetype i = 2; i < args.size(); ++i)
            body.AddFilePart(QStringLiteral("userfile[]"), args[i], QStringLiteral("multipart/form-data"));
        body.AddTextPart(QStringLiteral("imgcontent"), QStringLiteral("notsafe"));
        announced = body.TotalSize(); // what the client sends as Content-Length
        vx::http::HttpClient client;
        reply = client.PostMultipart(args[1], body);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "upload_post: %s\n", e.what());
        return 1;
    }
    const long peak = vx::bench::statusKib("VmHWM");
    std::printf("announced: %lld\n", static_cast<long long>(announced));
    std::printf("rss_growth_kib: %ld\n", peak - before);
    std::printf("reply: %s", reply.left(200).constData());
    return 0;
}
