// vxinspect post URL FILE...: one upload as the upload window sends it ("userfile[]" parts in the given
// order, then "imgcontent"), with the program's HTTP client. Prints "ok" and the post text's lines, or
// "failed: " and the reason; exit status 0 or 1.
#include "tools/vxinspect/Commands.h"

#include "upload/FormDataBody.h"
#include "upload/HttpClient.h"
#include "upload/PostText.h"

#include <cstdio>
#include <exception>

namespace {

void printLine(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

int postCommand(const QStringList &args)
{
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: vxinspect post URL FILE...\n");
        return 2;
    }
    QStringList post;
    try {
        vx::FormDataBody body;
        for (qsizetype i = 1; i < args.size(); ++i)
            body.AddFilePart(QStringLiteral("userfile[]"), vxinspect::argumentPath(args, i),
                             QStringLiteral("multipart/form-data"));
        body.AddTextPart(QStringLiteral("imgcontent"), QStringLiteral("notsafe"));
        vx::http::HttpClient client;
        post = vx::BuildPostText(vx::replyText(client.PostMultipart(args[0], body)));
    } catch (const std::exception &e) {
        printLine(QStringLiteral("failed: ") + QString::fromUtf8(e.what()));
        return 1;
    }
    printLine(QStringLiteral("ok"));
    for (const QString &line : post)
        printLine(line);
    return 0;
}

const vxinspect::CommandRegistration registration("post", "URL FILE...", &postCommand);

} // namespace
