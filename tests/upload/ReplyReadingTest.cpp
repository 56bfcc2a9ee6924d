// The client's side of the wire through an in-memory connection: the request bytes as they go out,
// and the reading of every kind of reply (lines, header blocks, outcomes, body rules, caps).

#include "platform/Clock.h"
#include "upload/FormDataBody.h"
#include "upload/HeaderFolding.h"
#include "upload/HttpClient.h"
#include "upload/HttpFailure.h"
#include "upload/HttpLimits.h"
#include "upload/MemoryConnection.h"

#include <QtTest>

using namespace vx::http;

Q_DECLARE_METATYPE(vx::http::FailureKind)

namespace {

const QDateTime kFixedNow(QDate(2012, 8, 15), QTime(13, 45, 2, 123));
constexpr auto kNoFailure = static_cast<FailureKind>(-1);

struct Harness {
    MemoryConnector *connector;
    HttpClient client;
    Harness() : connector(new MemoryConnector), client(std::unique_ptr<Connector>(connector)) {}

    // Posts a one-field body; returns the reply body or the failure kind.
    std::pair<QByteArray, FailureKind> post(const QString &url = "http://upload.example/upload.php")
    {
        vx::FormDataBody body;
        body.AddTextPart("imgcontent", "notsafe");
        try {
            return {client.PostMultipart(url, body), kNoFailure};
        } catch (const Failure &f) {
            return {{}, f.kind()};
        }
    }
    void reply(const QByteArray &bytes, int piece = 0, bool silentAtEnd = false)
    {
        connector->replies.push_back({bytes, piece, silentAtEnd, false});
    }
};

QByteArray ok(const QByteArray &headers, const QByteArray &body = {})
{
    return "HTTP/1.0 200 OK\r\n" + headers + "\r\n" + body;
}

} // namespace

class ReplyReadingTest : public QObject {
    Q_OBJECT

private slots:
    void init() { vx::clock::setNowForTesting([] { return kFixedNow; }); }
    void cleanup() { vx::clock::setNowForTesting({}); }

    void requestGoesOutAsOneHeadWriteAndBoundedBodyPieces()
    {
        Harness h;
        h.reply(ok("Content-Length: 2\r\n", "hi"));
        vx::FormDataBody body;
        body.AddTextPart("imgcontent", QString(vx::http::kSendPieceBytes + 1, QLatin1Char('v')));
        QCOMPARE(h.client.PostMultipart("http://upload.example/upload.php", body), QByteArray("hi"));

        const auto &record = *h.connector->connections.at(0);
        const QByteArray head = "POST /upload.php HTTP/1.0\r\n"
                                "Connection: keep-alive\r\n"
                                "Content-Type: multipart/form-data; boundary=--------081512134502123\r\n"
                                "Content-Length: " + QByteArray::number(body.TotalSize()) + "\r\n"
                                "Host: upload.example\r\n"
                                "Accept: text/html, */*\r\n"
                                "User-Agent: Mozilla/3.0 (compatible; Vorlinex)\r\n"
                                "\r\n";
        QVERIFY(record.sent.startsWith(head));
        QCOMPARE(record.writes.first(), qint64(head.size()));
        QCOMPARE(record.sentTotal, qint64(head.size()) + body.TotalSize());
        for (qsizetype i = 1; i < record.writes.size(); ++i)
            QVERIFY(record.writes[i] <= vx::http::kSendPieceBytes);
        QVERIFY(record.writes.size() >= 3); // the head, a full piece, the rest
        QVERIFY(record.sent.endsWith("\r\n----------081512134502123--\r\n"));
        QCOMPARE(record.host, QString("upload.example"));
        QCOMPARE(record.port, quint16(80));
    }

    void urlParts_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QByteArray>("requestLine");
        QTest::addColumn<QByteArray>("hostHeader");
        QTest::newRow("endpoint") << "http://upload.example/upload.php" << "upload.example" << 80
                                  << QByteArray("POST /upload.php HTTP/1.0") << QByteArray("Host: upload.example");
        QTest::newRow("port named") << "http://127.0.0.1:8081/upload.php?mode=ok" << "127.0.0.1" << 8081
                                    << QByteArray("POST /upload.php?mode=ok HTTP/1.0") << QByteArray("Host: 127.0.0.1:8081");
        QTest::newRow("port 80 named") << "http://h.example:80/a/b.php" << "h.example" << 80
                                       << QByteArray("POST /a/b.php HTTP/1.0") << QByteArray("Host: h.example");
        QTest::newRow("no scheme") << "h.example/upload.php" << "h.example" << 80
                                   << QByteArray("POST /upload.php HTTP/1.0") << QByteArray("Host: h.example");
        QTest::newRow("no path") << "http://h.example" << "h.example" << 80 << QByteArray("POST / HTTP/1.0")
                                 << QByteArray("Host: h.example");
        QTest::newRow("fragment dropped") << "http://h.example/u.php#top" << "h.example" << 80
                                          << QByteArray("POST /u.php HTTP/1.0") << QByteArray("Host: h.example");
    }
    void urlParts()
    {
        QFETCH(QString, url);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QByteArray, requestLine);
        QFETCH(QByteArray, hostHeader);
        Harness h;
        h.reply(ok("Content-Length: 0\r\n"));
        QCOMPARE(h.post(url).second, kNoFailure);
        const auto &record = *h.connector->connections.at(0);
        QCOMPARE(record.host, host);
        QCOMPARE(int(record.port), port);
        QVERIFY(record.sent.startsWith(requestLine + "\r\n"));
        QVERIFY(record.sent.contains("\r\n" + hostHeader + "\r\n"));
    }

    void badUrlsFailBeforeConnecting_data()
    {
        QTest::addColumn<QString>("url");
        QTest::newRow("https") << "https://h.example/upload.php";
        QTest::newRow("ftp") << "ftp://h.example/upload.php";
        QTest::newRow("no host") << "http:///upload.php";
        QTest::newRow("port too large") << "http://h.example:99999/upload.php";
        QTest::newRow("port not a number") << "http://h.example:8o/upload.php";
        QTest::newRow("user information") << "http://user:pw@h.example/upload.php";
        QTest::newRow("space in host") << "http://h example/upload.php";
        QTest::newRow("line break in target") << "http://h.example/upload.php\r\nX-Injected: 1";
        QTest::newRow("space in target") << "http://h.example/up load.php";
    }
    void badUrlsFailBeforeConnecting()
    {
        QFETCH(QString, url);
        Harness h;
        h.reply(ok("Content-Length: 0\r\n"));
        QCOMPARE(h.post(url).second, FailureKind::BadUrl);
        QVERIFY(h.connector->connections.isEmpty());
    }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("silentAtEnd");
        QTest::addColumn<FailureKind>("failure");
        QTest::addColumn<QByteArray>("body");

        const QByteArray line16k(16384 - 8, 'x'); // "X-Long: " + this = exactly the limit
        QByteArray manyHeaders;
        for (int i = 0; i < 40; ++i)
            manyHeaders += "X-Pad-" + QByteArray::number(i) + ": " + QByteArray(8000, 'p') + "\r\n";
        QByteArray endlessContinue;
        for (int i = 0; i < 20000; ++i)
            endlessContinue += "HTTP/1.1 100 Continue\r\nX: 1\r\n\r\n";
        const QByteArray twentySix = "abcdefghijklmnopqrstuvwxyz";

        QTest::newRow("content length") << ok("Content-Length: 5\r\n", "hello") << false << kNoFailure << QByteArray("hello");
        QTest::newRow("bytes past content length ignored") << ok("Content-Length: 3\r\n", "hello") << false << kNoFailure << QByteArray("hel");
        QTest::newRow("LF-only lines") << QByteArray("HTTP/1.0 200 OK\nContent-Length: 2\n\nhi") << false << kNoFailure << QByteArray("hi");
        QTest::newRow("names ignore case") << ok("cONTENT-lENGTH:   2  \r\n", "hiya") << false << kNoFailure << QByteArray("hi");
        QTest::newRow("short body fails") << ok("Content-Length: 10\r\n", "abcd") << false << FailureKind::ShortBody << QByteArray();
        QTest::newRow("silence inside the body fails") << ok("Content-Length: 10\r\n", "abcd") << true << FailureKind::Receive << QByteArray();
        QTest::newRow("read to the close") << ok("X-A: 1\r\n", "all of it\r\nand more") << false << kNoFailure << QByteArray("all of it\r\nand more");
        QTest::newRow("negative length counts as none") << ok("Content-Length: -5\r\n", "rest") << false << kNoFailure << QByteArray("rest");
        QTest::newRow("non-numeric length counts as none") << ok("Content-Length: 12abc\r\n", "rest") << false << kNoFailure << QByteArray("rest");
        QTest::newRow("length 0 is empty") << ok("Content-Length: 0\r\n", "ignored") << false << kNoFailure << QByteArray();
        QTest::newRow("silence while reading to the close fails") << ok("", "part") << true << FailureKind::Receive << QByteArray();
        QTest::newRow("chunked, size cut at its first space")
            << ok("Transfer-Encoding: chunked\r\n", "1a and words\r\n" + twentySix + "\r\nA\r\n0123456789\r\n0\r\n\r\n")
            << false << kNoFailure << twentySix + "0123456789";
        QTest::newRow("chunked by a continuation line")
            << ok("Transfer-Encoding: gzip,\r\n\tchunked\r\n", "3\r\nabc\r\n0\r\n\r\n") << false << kNoFailure << QByteArray("abc");
        QTest::newRow("chunked without the last empty line") << ok("Transfer-Encoding: chunked\r\n", "3\r\nabc\r\n0\r\n")
                                                            << false << kNoFailure << QByteArray("abc");
        QTest::newRow("chunk size that is not hex ends the body")
            << ok("Transfer-Encoding: chunked\r\n", "3;ext=1\r\nabc\r\n0\r\n\r\n") << false << kNoFailure << QByteArray();
        QTest::newRow("CHUNKED in capitals is not chunked")
            << ok("Transfer-Encoding: CHUNKED\r\n", "3\r\nabc\r\n") << false << kNoFailure << QByteArray("3\r\nabc\r\n");
        QTest::newRow("content length wins over chunked")
            << ok("Content-Length: 4\r\nTransfer-Encoding: chunked\r\n", "3\r\nabc") << false << kNoFailure << QByteArray("3\r\na");
        QTest::newRow("chunked cut short fails") << ok("Transfer-Encoding: chunked\r\n", "10\r\nabc") << false << FailureKind::ShortBody << QByteArray();
        QTest::newRow("chunked without last chunk fails") << ok("Transfer-Encoding: chunked\r\n", "3\r\nabc\r\n") << false << FailureKind::ShortBody << QByteArray();
        QTest::newRow("chunk size of 17 digits") << ok("Transfer-Encoding: chunked\r\n", "00000000000000001\r\na\r\n0\r\n\r\n")
                                                 << false << FailureKind::BadChunk << QByteArray();
        QTest::newRow("chunk size past the body cap") << ok("Transfer-Encoding: chunked\r\n", "ffffffffffffffff\r\nabc")
                                                      << false << FailureKind::BodyTooLarge << QByteArray();
        QTest::newRow("content length past the body cap") << ok("Content-Length: 8388609\r\n", "abc") << false << FailureKind::BodyTooLarge << QByteArray();
        QTest::newRow("204 is empty") << QByteArray("HTTP/1.0 204 No Content\r\nContent-Length: 3\r\n\r\nabc") << false << kNoFailure << QByteArray();
        QTest::newRow("100 then 200") << "HTTP/1.1 100 Continue\r\n\r\n" + ok("Content-Length: 2\r\n", "ok") << false << kNoFailure << QByteArray("ok");
        QTest::newRow("two 100s then 201") << QByteArray("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 100 Continue\r\nX: y\r\n\r\n"
                                                         "HTTP/1.1 201 Created\r\nContent-Length: 1\r\n\r\nz")
                                           << false << kNoFailure << QByteArray("z");
        QTest::newRow("100 then close") << QByteArray("HTTP/1.1 100 Continue\r\n\r\n") << false << FailureKind::Receive << QByteArray();
        QTest::newRow("302") << QByteArray("HTTP/1.0 302 Found\r\nLocation: http://x/\r\nContent-Length: 2\r\n\r\nmv") << false << FailureKind::Redirect << QByteArray();
        QTest::newRow("301 without Location") << QByteArray("HTTP/1.0 301 Moved\r\n\r\n") << false << FailureKind::Redirect << QByteArray();
        QTest::newRow("200 with Location") << ok("Location: /x\r\nContent-Length: 2\r\n", "ok") << false << FailureKind::Redirect << QByteArray();
        QTest::newRow("200 with empty Location") << ok("Location:  \r\nContent-Length: 2\r\n", "ok") << false << kNoFailure << QByteArray("ok");
        QTest::newRow("304") << QByteArray("HTTP/1.0 304 Not Modified\r\n\r\n") << false << FailureKind::Status << QByteArray();
        QTest::newRow("401") << QByteArray("HTTP/1.0 401 Unauthorized\r\n\r\nno") << false << FailureKind::Status << QByteArray();
        QTest::newRow("407") << QByteArray("HTTP/1.0 407 Proxy\r\n\r\n") << false << FailureKind::Status << QByteArray();
        QTest::newRow("500 drained silently") << QByteArray("HTTP/1.0 500 Oops\r\n\r\nsome") << true << FailureKind::Status << QByteArray();
        QTest::newRow("101") << QByteArray("HTTP/1.1 101 Switching\r\n\r\n") << false << FailureKind::Status << QByteArray();
        QTest::newRow("status not a number") << QByteArray("HTTP/1.0 OK\r\n\r\nx") << false << FailureKind::Status << QByteArray();
        QTest::newRow("close before the status line") << QByteArray() << false << FailureKind::Receive << QByteArray();
        QTest::newRow("silent server") << QByteArray() << true << FailureKind::Receive << QByteArray();
        QTest::newRow("status line without its end") << QByteArray("HTTP/1.0 200 OK") << false << FailureKind::Receive << QByteArray();
        QTest::newRow("close inside the header block") << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 5\r\n") << false << FailureKind::ClosedInHeader << QByteArray();
        QTest::newRow("header line at the limit") << ok("X-Long: " + line16k + "\r\nContent-Length: 2\r\n", "ok") << false << kNoFailure << QByteArray("ok");
        QTest::newRow("header line over the limit") << ok("X-Long: " + line16k + "y\r\nContent-Length: 2\r\n", "ok") << false << FailureKind::LineTooLong << QByteArray();
        QTest::newRow("endless header line") << ok("X-Long: " + QByteArray(100'000, 'z')) << false << FailureKind::LineTooLong << QByteArray();
        QTest::newRow("status line over the limit") << "HTTP/1.0 200 " + QByteArray(20000, 'O') + "\r\n\r\n" << false << FailureKind::LineTooLong << QByteArray();
        QTest::newRow("header block over its cap") << ok(manyHeaders + "Content-Length: 2\r\n", "ok") << false << FailureKind::HeaderTooLarge << QByteArray();
        QTest::newRow("endless 100 replies") << endlessContinue << false << FailureKind::HeaderTooLarge << QByteArray();
        QTest::newRow("chunk size line over the limit") << ok("Transfer-Encoding: chunked\r\n", "1" + QByteArray(20000, ' ') + "\r\n")
                                                        << false << FailureKind::LineTooLong << QByteArray();
    }
    void replies()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, silentAtEnd);
        QFETCH(FailureKind, failure);
        QFETCH(QByteArray, body);
        // Whole and byte by byte: the reading must not depend on how the bytes arrive.
        for (int piece : {0, 1, 7}) {
            if (piece == 1 && reply.size() > 300'000)
                continue;
            Harness h;
            h.client.setTimeLimits({1000, 1000, 1000});
            h.reply(reply, piece, silentAtEnd);
            const auto [got, kind] = h.post();
            QCOMPARE(int(kind), int(failure));
            QCOMPARE(got, body);
        }
    }

    void keepAlive_data()
    {
        QTest::addColumn<QByteArray>("headers");
        QTest::addColumn<bool>("keptOpen");
        QTest::newRow("keep-alive") << QByteArray("Connection: keep-alive\r\n") << true;
        QTest::newRow("any case, spaces around") << QByteArray("connection:   Keep-Alive  \r\n") << true;
        QTest::newRow("proxy connection") << QByteArray("Proxy-Connection: keep-alive\r\n") << true;
        QTest::newRow("close") << QByteArray("Connection: close\r\n") << false;
        QTest::newRow("none") << QByteArray() << false;
        QTest::newRow("list is not keep-alive") << QByteArray("Connection: keep-alive, Upgrade\r\n") << false;
    }
    void keepAlive()
    {
        QFETCH(QByteArray, headers);
        QFETCH(bool, keptOpen);
        Harness h;
        h.reply(ok(headers + "Content-Length: 2\r\n", "ok"));
        h.reply(ok("Content-Length: 2\r\n", "ok"));
        QCOMPARE(h.post().second, kNoFailure);
        QCOMPARE(h.client.connectionOpen(), keptOpen);
        QCOMPARE(h.post().second, kNoFailure);
        QCOMPARE(h.connector->connections.size(), 2);
        // Never reused: the second post closed the kept connection before it made a new one.
        QVERIFY(h.connector->connections[0]->closedByClient);
        QCOMPARE(h.connector->events->mid(0, 3), (QStringList{"connect 1", "close 1", "connect 2"}));
        QCOMPARE(h.connector->connections[1]->sent.count("POST "), 1);
    }

    void failedReplyMayKeepItsConnection()
    {
        Harness h;
        h.reply("HTTP/1.0 500 Oops\r\nConnection: keep-alive\r\nContent-Length: 4\r\n\r\noops");
        QCOMPARE(h.post().second, FailureKind::Status);
        QVERIFY(h.client.connectionOpen());
        h.reply("HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\noops");
        QCOMPARE(h.post().first, QByteArray("oops"));
        QVERIFY(h.connector->connections[0]->closedByClient);
        QCOMPARE(h.connector->events->mid(0, 3), (QStringList{"connect 1", "close 1", "connect 2"}));
    }

    void waitsAreTheNamedLimits()
    {
        // Head and body of an accepted reply wait the ordinary time; a refused reply's body the short one.
        Harness h;
        h.reply(ok("Content-Length: 4\r\n", "body"), 8);
        h.reply("HTTP/1.0 500 Oops\r\n\r\ndrained to the close", 8);
        QCOMPARE(h.post().second, kNoFailure);
        QCOMPARE(h.post().second, FailureKind::Status);
        const auto &accepted = *h.connector->connections[0];
        const auto &refused = *h.connector->connections[1];
        QCOMPARE(accepted.connectTimeoutMs, 30'000);
        QVERIFY(!accepted.readTimeoutsMs.isEmpty());
        for (int ms : accepted.readTimeoutsMs)
            QCOMPARE(ms, 60'000);
        QCOMPARE(refused.readTimeoutsMs.first(), 60'000);
        QCOMPARE(refused.readTimeoutsMs.last(), 2'000);
    }

    void refusedConnectionFails()
    {
        Harness h;
        h.connector->replies.push_back({{}, 0, false, true});
        QCOMPARE(h.post().second, FailureKind::Connect);
        QVERIFY(!h.client.connectionOpen());
        QVERIFY(h.client.cookies() == nullptr);
    }

    void foldingOfLongHeaderLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QList<QByteArray>>("pieces");
        using L = QList<QByteArray>;
        QTest::newRow("short line unchanged") << QByteArray("Cookie: a=1; b=2") << 1024 << L{"Cookie: a=1; b=2"};
        QTest::newRow("at the limit unchanged") << QByteArray("Cookie: a=1; b=2") << 16 << L{"Cookie: a=1; b=2"};
        QTest::newRow("broken after the last space in reach") << QByteArray("Cookie: a=1; b=2; c=3") << 16
                                                              << L{"Cookie: a=1;", " b=2; c=3"};
        QTest::newRow("comma counts, quotes protect") << QByteArray("X: \"a, b, c\",d,e") << 14 << L{"X: \"a, b, c\",", " d,e"};
        QTest::newRow("no break point stays long") << QByteArray("X: abcdefghijklmnop") << 10 << L{"X:", " abcdefghijklmnop"};
        QTest::newRow("several continuation lines") << QByteArray("C: a=1; b=2; c=3; d=4") << 8
                                                    << L{"C: a=1;", " b=2;", " c=3;", " d=4"};
    }
    void foldingOfLongHeaderLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, limit);
        QFETCH(QList<QByteArray>, pieces);
        QCOMPARE(foldHeaderLine(line, limit), pieces);
    }

    void cookiesGoBackFoldedWhenLong()
    {
        Harness h;
        QByteArray setCookies;
        for (int i = 0; i < 10; ++i)
            setCookies += "Set-Cookie: c" + QByteArray::number(i) + "=" + QByteArray(300, char('a' + i)) + "; path=/\r\n";
        h.reply(ok(setCookies + "Content-Length: 0\r\n"));
        h.reply(ok("Content-Length: 0\r\n"));
        QCOMPARE(h.post().second, kNoFailure);
        QVERIFY(!h.connector->connections[0]->sent.contains("Cookie:"));
        QCOMPARE(h.post().second, kNoFailure);
        const QByteArray sent = h.connector->connections[1]->sent;
        const QByteArray head = sent.left(sent.indexOf("\r\n\r\n"));
        const QList<QByteArray> lines = head.split('\n');
        for (const QByteArray &l : lines)
            QVERIFY2(l.size() <= 1025, l.left(40));
        const qsizetype at = head.indexOf("Cookie: ");
        QVERIFY(at > 0);
        QByteArray unfolded = head.mid(at);
        unfolded.replace("\r\n ", " ");
        QVERIFY(unfolded.startsWith("Cookie: c0=aaa"));
        QCOMPARE(unfolded.count("; "), 9);
        QVERIFY(head.indexOf("User-Agent") < at);
    }
};

QTEST_GUILESS_MAIN(ReplyReadingTest)
#include "ReplyReadingTest.moc"
