#include "upload/PostText.h"

#include "platform/CodePage.h"

namespace vx {
namespace {
const QString kLinkMark = QStringLiteral("[URL=http");
}

QString replyText(const QByteArray &reply)
{
    const qsizetype nul = reply.indexOf('\0');
    const QByteArray bytes = nul < 0 ? reply : reply.left(nul);
    return codepage::isValidUtf8(bytes) ? QString::fromUtf8(bytes) : codepage::fromAnsi(bytes);
}

QStringList BuildPostText(const QString &reply)
{
    QString text = reply;
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);

    QString joined;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (!end && text[i] != u'\r' && text[i] != u'\n')
            continue;
        QString line = text.mid(start, i - start);
        if (!end && text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
        if (!line.contains(kLinkMark))
            continue;
        if (line.startsWith(u' '))
            line.remove(0, 1);
        joined += line + QStringLiteral("\r\n");
    }
    joined.remove(QStringLiteral("</textarea>"));
    joined.remove(QStringLiteral("\r\n"));

    QStringList post{kSpoilerOpening};
    if (!joined.isEmpty())
        post.append(joined);
    post.append(kSpoilerClosing);
    return post;
}

bool PostTextHasLink(const QStringList &postText)
{
    for (const QString &line : postText)
        if (line.contains(kLinkMark))
            return true;
    return false;
}

} // namespace vx
