// The post text made from a reply, the reply's decoding, and the folder's display name.

#include "upload/FolderDisplayName.h"
#include "upload/PostText.h"

#include <QtTest>

class PostTextTest : public QObject {
    Q_OBJECT

private slots:
    void postText_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("post");
        const QString open = "[spoiler=\"Примеры на ImageVenue\"]";
        const QString close = "[/spoiler]";
        QTest::newRow("four lines") << "<html><body>\r\n [URL=http://a/1][IMG]t1[/IMG][/URL]\r\n"
                                       "[URL=http://a/2][IMG]t2[/IMG][/URL]</textarea>\r\n</body></html>"
                                    << QStringList{open, "[URL=http://a/1][IMG]t1[/IMG][/URL][URL=http://a/2][IMG]t2[/IMG][/URL]", close};
        QTest::newRow("two leading spaces keep one") << "  [URL=http://a/1]x[/URL]" << QStringList{open, " [URL=http://a/1]x[/URL]", close};
        QTest::newRow("no link line") << "<html>\r\nnothing here\r\n</html>" << QStringList{open, close};
        QTest::newRow("empty reply") << "" << QStringList{open, close};
        QTest::newRow("lone CR and lone LF split")
            << "[URL=http://a/1]1[/URL]\r[URL=http://a/2]2[/URL]\nno\r\n[URL=http://a/3]3[/URL]"
            << QStringList{open, "[URL=http://a/1]1[/URL][URL=http://a/2]2[/URL][URL=http://a/3]3[/URL]", close};
        QTest::newRow("case counts in the mark") << "[url=http://a/1]x[/url]\r\n[URL=HTTP://a/2]y[/URL]" << QStringList{open, close};
        QTest::newRow("text after NUL ignored") << QString("[URL=http://a/1]x[/URL]\n") + QChar(0) + "\n[URL=http://a/2]y[/URL]"
                                                << QStringList{open, "[URL=http://a/1]x[/URL]", close};
        QTest::newRow("tag removed anywhere, case counts")
            << "</textarea>[URL=http://a/1]x</textarea>[/URL]</TEXTAREA>" << QStringList{open, "[URL=http://a/1]x[/URL]</TEXTAREA>", close};
        QTest::newRow("tab is not a space") << "\t[URL=http://a/1]x[/URL]" << QStringList{open, "\t[URL=http://a/1]x[/URL]", close};
    }
    void postText()
    {
        QFETCH(QString, reply);
        QFETCH(QStringList, post);
        const QStringList built = vx::BuildPostText(reply);
        QCOMPARE(built, post);
        QCOMPARE(vx::PostTextHasLink(built), post.size() == 3);
    }

    void replyDecoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8") << QByteArray("\xd1\x84\xd0\xbe\xd1\x82\xd0\xbe") << QString::fromUtf8("фото");
        QTest::newRow("1251") << QByteArray("\xf4\xee\xf2\xee") << QString::fromUtf8("фото");
        QTest::newRow("ends at NUL") << QByteArray("ab\0cd", 5) << QString("ab");
    }
    void replyDecoding()
    {
        QFETCH(QByteArray, bytes);
        QTEST(vx::replyText(bytes), "text");
    }

    void folderDisplayName_data()
    {
        const QString s = QDir::separator();
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("shown");
        QTest::newRow("last folder") << s + "home" + s + "user" + s + "examples" << "examples";
        QTest::newRow("trailing separator kept") << s + "home" + s + "user" + s + "out" + s << "out" + s;
        QTest::newRow("one level") << s + "out" << "out";
        QTest::newRow("short name under the root") << s + "ab" << "ab";
        QTest::newRow("root") << s << s;
        if (s == "/") {
            // Only "/" is a root here.
            QTest::newRow("one-letter folder under the root") << "/a/" << "a/";
            QTest::newRow("one-letter folder, no final separator") << "/a" << "a";
        } else {
            QTest::newRow("drive root") << "C:" + s << "C" + s;
            QTest::newRow("as Qt writes it") << "C:/data/out" << "out";
        }
        QTest::newRow("Cyrillic") << s + "data" + s + QString::fromUtf8("Примеры") << QString::fromUtf8("Примеры");
    }
    void folderDisplayName()
    {
        QFETCH(QString, folder);
        QTEST(vx::FolderDisplayName(folder), "shown");
    }
};

QTEST_GUILESS_MAIN(PostTextTest)
#include "PostTextTest.moc"
