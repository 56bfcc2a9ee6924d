#include "fuzz/fuzz_http_reply_entry.h"

#include "upload/FormDataBody.h"
#include "upload/HttpClient.h"
#include "upload/HttpFailure.h"
#include "upload/MemoryConnection.h"

#include <cstdlib>

void vxFuzzHttpReply(const std::uint8_t *data, std::size_t size)
{
    using namespace vx::http;
    if (size < 2)
        return;
    const int piece = data[0];
    const bool silent = (data[1] & 1) != 0;
    const QByteArray all(reinterpret_cast<const char *>(data + 2), static_cast<qsizetype>(size - 2));
    const qsizetype split = all.indexOf("|NEXT|");
    QList<QByteArray> replies{split < 0 ? all : all.left(split)};
    if (split >= 0)
        replies.append(all.mid(split + 6));

    auto *connector = new MemoryConnector;
    HttpClient client{std::unique_ptr<Connector>(connector)};
    client.setTimeLimits({10, 10, 10});
    for (const QByteArray &reply : replies)
        connector->replies.push_back({reply, piece, silent, false});

    for (qsizetype i = 0; i < replies.size(); ++i) {
        vx::FormDataBody body;
        body.AddTextPart("imgcontent", "notsafe");
        try {
            const QByteArray got = client.PostMultipart("http://up.fuzz.example/upload.php", body);
            if (got.size() > kMaxReplyBodyBytes || got.size() > replies[i].size())
                std::abort();
        } catch (const Failure &) {
        }
        if (const CookieStore *cookies = client.cookies(); cookies && cookies->size() > kMaxCookiesPerReply * (i + 1))
            std::abort();
    }
}
