// Cookie rules: parsing of Set-Cookie values, which domains a reply may set, which hosts get a
// domain's cookies back, expiry, replacement, the order of the Cookie header, and the whole round
// trip through the stand-in host.

#include "tests/upload/StandinHost.h"
#include "upload/CookieStore.h"
#include "upload/FormDataBody.h"
#include "upload/HttpClient.h"
#include "upload/HttpFailure.h"

#include <QUrl>
#include <QtTest>

using namespace vx::http;

namespace {
const QDateTime kNow(QDate(2012, 8, 15), QTime(11, 0), Qt::UTC);
}

class CookieStoreTest : public QObject {
    Q_OBJECT

    std::unique_ptr<vx::test::StandinHost> host_;

    QByteArray post(HttpClient &client, const QStringList &setCookies, const QString &host = "127.0.0.1")
    {
        QString query;
        for (const QString &c : setCookies)
            query += "&cookie=" + QString::fromLatin1(QUrl::toPercentEncoding(c));
        if (host != "127.0.0.1")
            query += "&host=" + host;
        vx::FormDataBody body;
        body.AddTextPart("imgcontent", "notsafe");
        QString url = host_->url("ok", query);
        url.replace("127.0.0.1", host);
        return client.PostMultipart(url, body);
    }

    static QByteArray sentCookie(const QByteArray &page)
    {
        const qsizetype at = page.indexOf("cookie: ");
        return page.mid(at + 8, page.indexOf('\r', at) - at - 8);
    }

private slots:
    void initTestCase()
    {
        host_ = std::make_unique<vx::test::StandinHost>();
        QVERIFY2(host_->running(), qPrintable(host_->errorText()));
    }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("cookieValue");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QDateTime>("expiry");
        QTest::addColumn<bool>("secure");

        QTest::newRow("plain") << QByteArray("sid=abc") << true << QByteArray("sid") << QByteArray("abc") << QByteArray()
                               << "www.host.example" << QDateTime() << false;
        QTest::newRow("attributes in any case") << QByteArray(" sid = a=b ; pAtH=\"/up\" ; Domain=.host.example; secure")
                                                << true << QByteArray("sid") << QByteArray("a=b") << QByteArray("/up")
                                                << ".host.example" << QDateTime() << true;
        QTest::newRow("RFC 1123 expiry") << QByteArray("a=1; expires=Sun, 06 Nov 1994 08:49:37 GMT") << true << QByteArray("a")
                                         << QByteArray("1") << QByteArray() << "www.host.example"
                                         << QDateTime(QDate(1994, 11, 6), QTime(8, 49, 37), Qt::UTC) << false;
        QTest::newRow("Netscape expiry") << QByteArray("a=1; EXPIRES=Wednesday, 09-Nov-99 23:12:40 GMT") << true
                                         << QByteArray("a") << QByteArray("1") << QByteArray() << "www.host.example"
                                         << QDateTime(QDate(1999, 11, 9), QTime(23, 12, 40), Qt::UTC) << false;
        QTest::newRow("asctime expiry") << QByteArray("a=1; expires=Sun Nov  6 08:49:37 2033") << true << QByteArray("a")
                                        << QByteArray("1") << QByteArray() << "www.host.example"
                                        << QDateTime(QDate(2033, 11, 6), QTime(8, 49, 37), Qt::UTC) << false;
        QTest::newRow("max-age") << QByteArray("a=1; Max-Age=60") << true << QByteArray("a") << QByteArray("1") << QByteArray()
                                 << "www.host.example" << kNow.addSecs(60) << false;
        QTest::newRow("expires wins over max-age") << QByteArray("a=1; max-age=60; expires=Sun, 06 Nov 1994 08:49:37 GMT")
                                                   << true << QByteArray("a") << QByteArray("1") << QByteArray()
                                                   << "www.host.example"
                                                   << QDateTime(QDate(1994, 11, 6), QTime(8, 49, 37), Qt::UTC) << false;
        QTest::newRow("negative max-age ignored") << QByteArray("a=1; max-age=-1") << true << QByteArray("a") << QByteArray("1")
                                                  << QByteArray() << "www.host.example" << QDateTime() << false;
        QTest::newRow("huge max-age does not overflow") << QByteArray("a=1; max-age=99999999999999999") << true
                                                        << QByteArray("a") << QByteArray("1") << QByteArray()
                                                        << "www.host.example" << QDateTime() << false;
        QTest::newRow("no value") << QByteArray("flag") << true << QByteArray("flag") << QByteArray() << QByteArray()
                                  << "www.host.example" << QDateTime() << false;
        QTest::newRow("no name") << QByteArray("=x; path=/") << false << QByteArray() << QByteArray() << QByteArray() << QString()
                                 << QDateTime() << false;
        QTest::newRow("control byte inside") << QByteArray("a=1\rX-Injected: 1") << false << QByteArray() << QByteArray()
                                             << QByteArray() << QString() << QDateTime() << false;
        QTest::newRow("over 4096 bytes") << "a=" + QByteArray(4095, 'v') << false << QByteArray() << QByteArray() << QByteArray()
                                         << QString() << QDateTime() << false;
    }
    void parse()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, valid);
        const auto cookie = CookieStore::parse(value, "www.host.example", kNow);
        QCOMPARE(cookie.has_value(), valid);
        if (!valid)
            return;
        QTEST(cookie->name, "name");
        QTEST(cookie->value, "cookieValue");
        QTEST(cookie->path, "path");
        QTEST(cookie->domain, "domain");
        QFETCH(QDateTime, expiry);
        if (QTest::currentDataTag() == QByteArray("huge max-age does not overflow"))
            QVERIFY(cookie->expiry > kNow.addYears(50));
        else
            QCOMPARE(cookie->expiry, expiry);
        QTEST(cookie->secure, "secure");
    }

    void acceptance_data()
    {
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("own host") << "www.host.example" << "www.host.example" << true;
        QTest::newRow("case counts") << "WWW.host.example" << "www.host.example" << false;
        QTest::newRow("parent without dot") << "host.example" << "www.host.example" << false;
        QTest::newRow("dotted parent") << ".host.example" << "www.host.example" << true;
        QTest::newRow("dotted grandparent") << ".example" << "www.host.example" << false;
        QTest::newRow("foreign") << ".other.example" << "www.host.example" << false;
        QTest::newRow("IP itself") << "127.0.0.1" << "127.0.0.1" << true;
        QTest::newRow("IP parent") << ".0.0.1" << "127.0.0.1" << false;
        QTest::newRow("other IP") << "127.0.0.2" << "127.0.0.1" << false;
    }
    void acceptance()
    {
        QFETCH(QString, domain);
        QFETCH(QString, host);
        QTEST(CookieStore::accepts(domain, host), "accepted");
    }

    void domainMatch_data()
    {
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("sent");
        QTest::newRow("same host") << "example.com" << "example.com" << true;
        QTest::newRow("any case") << "Example.COM" << "example.com" << true;
        QTest::newRow("sub-domain") << ".example.com" << "up.example.com" << true;
        QTest::newRow("dotted domain to its own name") << ".example.com" << "example.com" << true;
        QTest::newRow("text merely inside the host") << "example.com" << "badexample.com" << false;
        QTest::newRow("dotted text inside the host") << ".example.com" << "example.com.evil.net" << false;
        QTest::newRow("parent of the domain") << "up.example.com" << "example.com" << false;
    }
    void domainMatch()
    {
        QFETCH(QString, domain);
        QFETCH(QString, host);
        QTEST(CookieStore::domainMatches(domain, host), "sent");
    }

    void headerOrderAndSelection()
    {
        CookieStore store;
        auto put = [&](const char *name, const char *value, const char *path, bool secure = false,
                       const char *domain = "up.example.com") {
            store.put({name, value, path, domain, {}, secure});
        };
        put("root", "1", "/");
        put("deep", "2", "/a/b/");
        put("mid", "3", "/A");
        put("nopath", "4", "");
        put("secret", "5", "/", true);
        put("empty", "", "/");
        put("other", "6", "/", false, "other.example.com");
        put("parent", "7", "/", false, ".example.com");
        QCOMPARE(store.cookieHeader("up.example.com", "/a/b/"), QByteArray("deep=2; root=1; parent=7; nopath=4"));
        // Paths match with case: "/A" is no prefix of "/a/b/", but it is of "/A/".
        QCOMPARE(store.cookieHeader("up.example.com", "/A/"), QByteArray("mid=3; root=1; parent=7; nopath=4"));
        QCOMPARE(store.cookieHeader("evil.com", "/"), QByteArray());
    }

    void replacementAndExpiry()
    {
        CookieStore store;
        HeaderBlock first;
        first.addLine("Set-Cookie: a=1; path=/");
        first.addLine("Set-Cookie: b=2; path=/; max-age=10");
        first.addLine("Set-Cookie2: c=3; path=/; Version=1");
        first.addLine("Set-cookie: gone=1; path=/; expires=Sun, 06 Nov 1994 08:49:37 GMT");
        store.storeFrom(first, "h.example", kNow);
        QCOMPARE(store.size(), 4);
        HeaderBlock second;
        second.addLine("SET-COOKIE: a=new; path=/");
        store.storeFrom(second, "h.example", kNow);
        QCOMPARE(store.size(), 4);
        store.pruneExpired(kNow);
        QCOMPARE(store.size(), 3);
        QCOMPARE(store.cookieHeader("h.example", "/"), QByteArray("a=new; b=2; c=3"));
        store.pruneExpired(kNow.addSecs(10));
        QCOMPARE(store.cookieHeader("h.example", "/"), QByteArray("a=new; c=3"));
    }

    void atMostFiftyCookiesFromOneReply()
    {
        CookieStore store;
        HeaderBlock headers;
        for (int i = 0; i < 80; ++i)
            headers.addLine("Set-Cookie: c" + QByteArray::number(i) + "=v");
        store.storeFrom(headers, "h.example", kNow);
        QCOMPARE(store.size(), 50);
    }

    void roundTripThroughTheHost()
    {
        HttpClient client;
        QByteArray page = post(client, {"keep=1; path=/", "brief=1; path=/; max-age=0", "foreign=1; domain=.other.example; path=/",
                                        "secure=1; path=/; secure", "empty=; path=/", "deep=1; path=/elsewhere/"});
        QCOMPARE(sentCookie(page), QByteArray("-")); // the first post of a run sends none
        QVERIFY(client.cookies() != nullptr);
        page = post(client, {"nopath=2"});
        QCOMPARE(sentCookie(page), QByteArray("keep=1"));
        page = post(client, {});
        QCOMPARE(sentCookie(page), QByteArray("keep=1; nopath=2"));
    }

    void ipHostTakesOnlyItsOwnAddress()
    {
        HttpClient client;
        post(client, {"own=1; domain=127.0.0.1; path=/", "wide=1; domain=.0.0.1; path=/"});
        QCOMPARE(sentCookie(post(client, {})), QByteArray("own=1"));
    }

    void namedHostGetsItsCookiesBack()
    {
        HttpClient client;
        post(client, {"n=1; path=/", "dotted=1; domain=.localhost; path=/"}, "localhost");
        // "localhost" has no first label to drop, so the dotted domain is refused.
        QCOMPARE(sentCookie(post(client, {}, "localhost")), QByteArray("n=1"));
        // The same server under its address is another host: no cookie goes there.
        QCOMPARE(sentCookie(post(client, {})), QByteArray("-"));
    }
};

QTEST_GUILESS_MAIN(CookieStoreTest)
#include "CookieStoreTest.moc"
