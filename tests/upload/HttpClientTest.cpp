// The client over real TCP against the stand-in image host, which checks the request it receives
// (target, protocol, header order and values, every part against the files on disk) and answers in
// each of the ways a server may.

#include "platform/os/Socket.h"
#include "tests/support/SourcePaths.h"
#include "tests/upload/StandinHost.h"
#include "upload/FormDataBody.h"
#include "upload/HttpClient.h"
#include "upload/HttpFailure.h"
#include "upload/TcpConnection.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace vx::http;

Q_DECLARE_METATYPE(vx::http::FailureKind)

namespace {

constexpr auto kNoFailure = static_cast<FailureKind>(-1);

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        qFatal("cannot write fixture");
}

// The real TCP connector, with every connect and every close of the client's written down in order.
class LoggingConnector final : public Connector {
public:
    QStringList events;

    std::unique_ptr<Connection> connect(const QString &host, quint16 port, int timeoutMs) override
    {
        auto connection = tcp_.connect(host, port, timeoutMs);
        const int number = ++connects_;
        events << QStringLiteral("connect %1").arg(number);
        return std::make_unique<Logged>(std::move(connection), events, number);
    }

private:
    class Logged final : public Connection {
    public:
        Logged(std::unique_ptr<Connection> inner, QStringList &events, int number)
            : inner_(std::move(inner)), events_(events), number_(number)
        {
        }
        bool writeAll(const char *data, qint64 size, int timeoutMs) override { return inner_->writeAll(data, size, timeoutMs); }
        bool flush(int timeoutMs) override { return inner_->flush(timeoutMs); }
        ReadResult read(char *buffer, qint64 maxSize, int timeoutMs) override { return inner_->read(buffer, maxSize, timeoutMs); }
        bool isOpen() const override { return inner_->isOpen(); }
        void close() override
        {
            events_ << QStringLiteral("close %1").arg(number_);
            inner_->close();
        }

    private:
        std::unique_ptr<Connection> inner_;
        QStringList &events_;
        int number_;
    };

    TcpConnector tcp_;
    int connects_ = 0;
};

} // namespace

class HttpClientTest : public QObject {
    Q_OBJECT

    std::unique_ptr<vx::test::StandinHost> host_;
    QTemporaryDir photos_;
    QStringList files_;

    std::pair<QByteArray, FailureKind> post(HttpClient &client, const QString &url)
    {
        vx::FormDataBody body;
        for (const QString &f : files_)
            body.AddFilePart("userfile[]", f, "multipart/form-data");
        body.AddTextPart("imgcontent", "notsafe");
        try {
            return {client.PostMultipart(url, body), kNoFailure};
        } catch (const Failure &f) {
            return {{}, f.kind()};
        }
    }

private slots:
    void initTestCase()
    {
        host_ = std::make_unique<vx::test::StandinHost>();
        QVERIFY2(host_->running(), qPrintable(host_->errorText()));
        QVERIFY(QFile::copy(vx::test::testDataPath("jpeg/Canon_40D.jpg"), photos_.filePath("Canon_40D.jpg")));
        QByteArray noise(300'000, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 2654435761u) >> 13);
        // Line breaks and a fake delimiter inside a file must come through untouched.
        noise.insert(1000, "\r\n--------081512134502123\r\n\n\r");
        writeFile(photos_.filePath("noise.jpg"), noise);
        writeFile(photos_.filePath("empty.jpg"), {});
        for (const char *name : {"Canon_40D.jpg", "noise.jpg", "empty.jpg"})
            files_ << photos_.filePath(name);
#ifndef Q_OS_WIN // Windows names cannot hold a quote
        writeFile(photos_.filePath("say \"cheese\".jpg"), "quoted name");
        files_ << photos_.filePath("say \"cheese\".jpg");
#endif
    }

    void outcomes_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<FailureKind>("failure");
        QTest::addColumn<QByteArray>("expected"); // the body, or a text it must contain ("~" prefix)

        QTest::newRow("200 with links") << "ok" << kNoFailure << QByteArray("~verdict: ok\r\n");
        QTest::newRow("302") << "redirect302" << FailureKind::Redirect << QByteArray();
        QTest::newRow("200 with Location") << "location200" << FailureKind::Redirect << QByteArray();
        QTest::newRow("204") << "nocontent" << kNoFailure << QByteArray();
        QTest::newRow("100 then 200") << "continue100" << kNoFailure << QByteArray("~verdict: ok\r\n");
        QTest::newRow("chunked") << "chunked" << kNoFailure << QByteArray("abcdefghijklmnopqrstuvwxyz0123456789");
        QTest::newRow("Content-Length 10, 4 bytes, close") << "short" << FailureKind::ShortBody << QByteArray();
        QTest::newRow("no Content-Length") << "nolength" << kNoFailure << QByteArray("~verdict: ok\r\n");
        QTest::newRow("keep-alive") << "keepalive" << kNoFailure << QByteArray("~verdict: ok\r\n");
        QTest::newRow("line over 16384") << "longline" << FailureKind::LineTooLong << QByteArray();
        QTest::newRow("500") << "status500" << FailureKind::Status << QByteArray();
        QTest::newRow("401") << "status401" << FailureKind::Status << QByteArray();
        QTest::newRow("close inside the header") << "closeinheader" << FailureKind::ClosedInHeader << QByteArray();
        // A reset is a receive failure, not the end of the body, wherever it comes.
        QTest::newRow("reset after a link line, no Content-Length") << "reset" << FailureKind::Receive << QByteArray();
        QTest::newRow("reset after a link line, Content-Length") << "resetlength" << FailureKind::Receive << QByteArray();
        // Every wait gets its byte in time; only the deadline of the whole exchange ends the post.
        QTest::newRow("header trickled for 10 s") << "trickle" << FailureKind::Deadline << QByteArray();
    }
    void outcomes()
    {
        QFETCH(QString, mode);
        QFETCH(FailureKind, failure);
        QFETCH(QByteArray, expected);
        HttpClient client;
        // A deadline of 3 s whatever the body's size.
        client.setTimeLimits({5000, 1500, 500, 3000, qint64(1) << 40});
        const auto [body, kind] = post(client, host_->url(mode, vx::test::StandinHost::dirQuery(photos_.path())));
        QCOMPARE(int(kind), int(failure));
        if (expected.startsWith('~'))
            QVERIFY2(body.contains(expected.mid(1)), body.constData());
        else
            QCOMPARE(body, expected);
        if (kind == kNoFailure && body.contains("verdict"))
            QCOMPARE(body.count("[URL=http"), qsizetype(files_.size()));
    }

    void silentServerFailsAfterTheReplyWait()
    {
        // The host holds a silent reply far longer than this wait; only the client's own limit ends it.
        HttpClient client;
        client.setTimeLimits({5000, 400, 400});
        QElapsedTimer clock;
        clock.start();
        const auto [body, kind] = post(client, host_->url("silent"));
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(int(kind), int(FailureKind::Receive));
        QVERIFY2(elapsed >= 350, qPrintable(QString::number(elapsed)));
        QVERIFY2(elapsed < 10'000, qPrintable(QString::number(elapsed)));
        QVERIFY(!client.connectionOpen());
    }

    void keptConnectionIsClosedAndNotReused()
    {
        auto logging = std::make_unique<LoggingConnector>();
        const LoggingConnector &log = *logging;
        HttpClient client(std::move(logging));
        const auto first = post(client, host_->url("keepalive"));
        QCOMPARE(int(first.second), int(kNoFailure));
        QVERIFY(client.connectionOpen());
        const auto second = post(client, host_->url("ok"));
        QCOMPARE(int(second.second), int(kNoFailure));
        auto connectionOf = [](const QByteArray &page) {
            const qsizetype at = page.indexOf("connection: ");
            return page.mid(at + 12, page.indexOf('\r', at) - at - 12).toInt();
        };
        QVERIFY(connectionOf(second.first) > connectionOf(first.first));
        QVERIFY(!client.connectionOpen());
        // The kept connection was closed before the second post connected anew.
        QCOMPARE(log.events, (QStringList{"connect 1", "close 1", "connect 2", "close 2"}));
    }

    void hostNameIsResolvedToIpv4()
    {
        HttpClient client;
        const QString url = QStringLiteral("http://localhost:%1/upload.php?mode=ok&host=localhost").arg(host_->port());
        const auto [body, kind] = post(client, url);
        QCOMPARE(int(kind), int(kNoFailure));
        QVERIFY2(body.contains("verdict: ok"), body.constData());
    }

    void refusedConnectionFails()
    {
        vx::os::TcpListener probe;
        std::error_code error;
        QVERIFY(probe.listen(0, error));
        const quint16 port = probe.port();
        probe.close(); // nobody listens there now
        HttpClient client;
        const auto result = post(client, QStringLiteral("http://127.0.0.1:%1/upload.php").arg(port));
        QCOMPARE(int(result.second), int(FailureKind::Connect));
    }

    void largeBodyStreamsIntact()
    {
        QTemporaryDir dir;
        QByteArray big(3 * 1024 * 1024 + 17, '\0');
        for (int i = 0; i < big.size(); ++i)
            big[i] = char(i % 251);
        writeFile(dir.filePath("big.jpg"), big);
        vx::FormDataBody body;
        body.AddFilePart("userfile[]", dir.filePath("big.jpg"), "multipart/form-data");
        body.AddTextPart("imgcontent", "notsafe");
        HttpClient client;
        const QByteArray reply = client.PostMultipart(host_->url("ok", vx::test::StandinHost::dirQuery(dir.path())), body);
        QVERIFY2(reply.contains("verdict: ok"), reply.constData());
    }
};

QTEST_GUILESS_MAIN(HttpClientTest)
#include "HttpClientTest.moc"
