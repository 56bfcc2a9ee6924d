// The multipart body byte for byte: boundary from the clock, part layout, TotalSize against what the
// reader produces, the file-name parameter, and the failures of adding and streaming files.

#include "platform/Clock.h"
#include "platform/Error.h"
#include "upload/FormDataBody.h"
#include "upload/HttpLimits.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using vx::FormDataBody;

namespace {

const QDateTime kFixedNow(QDate(2012, 8, 15), QTime(13, 45, 2, 123));
const QByteArray kBoundary = "--------081512134502123";

QByteArray readAll(FormDataBody &body, qint64 piece)
{
    body.rewind();
    QByteArray out;
    QByteArray buffer(piece, '\0');
    for (int guard = 0; guard < 10'000'000; ++guard) {
        const qint64 n = body.read(buffer.data(), piece);
        if (n == 0)
            break;
        out.append(buffer.constData(), n);
    }
    return out;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        qFatal("cannot write fixture");
    return path;
}

} // namespace

class FormDataBodyTest : public QObject {
    Q_OBJECT

private slots:
    void init() { vx::clock::setNowForTesting([] { return kFixedNow; }); }
    void cleanup() { vx::clock::setNowForTesting({}); }

    void boundaryComesFromTheLocalTime()
    {
        FormDataBody body;
        QCOMPARE(body.boundary().toLatin1(), kBoundary);
        QCOMPARE(body.ContentTypeHeader(), QString("multipart/form-data; boundary=" + kBoundary));
        FormDataBody sameMillisecond;
        QCOMPARE(sameMillisecond.boundary(), body.boundary());
    }

    void boundaryUsesTheTwentyFourHourClock()
    {
        vx::clock::setNowForTesting([] { return QDateTime(QDate(2009, 1, 2), QTime(23, 5, 9, 7)); });
        FormDataBody body;
        QCOMPARE(body.boundary(), QString("--------010209230509007"));
    }

    void oneFileAndTheTextFieldByteForByte()
    {
        QTemporaryDir dir;
        const QByteArray content("\xff\xd8JPEG\r\n--------not-a-boundary\0tail", 37);
        const QString path = writeFile(dir, "photo.jpg", content);
        FormDataBody body;
        body.AddFilePart("userfile[]", path, "multipart/form-data");
        body.AddTextPart("imgcontent", "notsafe");

        const QByteArray expected = "--" + kBoundary + "\r\n"
            "Content-Disposition: form-data; name=\"userfile[]\"; filename=\"photo.jpg\"\r\n"
            "Content-Type: multipart/form-data\r\n"
            "\r\n" + content + "\r\n"
            "--" + kBoundary + "\r\n"
            "Content-Disposition: form-data; name=\"imgcontent\"\r\n"
            "\r\n"
            "notsafe\r\n"
            "\r\n--" + kBoundary + "--\r\n";
        const QByteArray produced = readAll(body, 32768);
        QCOMPARE(produced, expected);
        QCOMPARE(qint64(body.TotalSize()), qint64(expected.size()));
        QVERIFY(produced.endsWith("notsafe\r\n\r\n--" + kBoundary + "--\r\n"));
        // Delimiter lines start with ten hyphens: two of the framing and eight of the boundary.
        QVERIFY(produced.startsWith("----------0815"));
    }

    void emptyFileGivesHeaderLinesAndLineBreak()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "empty.jpg", {});
        FormDataBody body;
        body.AddFilePart("userfile[]", path, "multipart/form-data");
        const QByteArray expected = "--" + kBoundary + "\r\n"
            "Content-Disposition: form-data; name=\"userfile[]\"; filename=\"empty.jpg\"\r\n"
            "Content-Type: multipart/form-data\r\n\r\n\r\n"
            "\r\n--" + kBoundary + "--\r\n";
        QCOMPARE(readAll(body, 5), expected);
        QCOMPARE(qint64(body.TotalSize()), qint64(expected.size()));
    }

    void pieceSizeDoesNotChangeTheBytes_data()
    {
        QTest::addColumn<qint64>("piece");
        QTest::newRow("1 byte") << qint64(1);
        QTest::newRow("7 bytes") << qint64(7);
        QTest::newRow("one header line") << qint64(40);
        QTest::newRow("4096") << qint64(4096);
        QTest::newRow("send piece") << qint64(vx::http::kSendPieceBytes);
        QTest::newRow("larger than the body") << qint64(1 << 20);
    }
    void pieceSizeDoesNotChangeTheBytes()
    {
        QFETCH(qint64, piece);
        QTemporaryDir dir;
        QByteArray photo(1000, '\0');
        for (int i = 0; i < photo.size(); ++i)
            photo[i] = char(i * 31 + 7);
        FormDataBody body;
        // An empty file yields nothing at its first read; the body must go on past it.
        body.AddFilePart("userfile[]", writeFile(dir, "empty.jpg", {}), "multipart/form-data");
        body.AddFilePart("userfile[]", writeFile(dir, "b.jpg", photo), "multipart/form-data");
        body.AddTextPart("imgcontent", "notsafe");
        const QByteArray expected = "--" + kBoundary + "\r\n"
            "Content-Disposition: form-data; name=\"userfile[]\"; filename=\"empty.jpg\"\r\n"
            "Content-Type: multipart/form-data\r\n"
            "\r\n"
            "\r\n"
            "--" + kBoundary + "\r\n"
            "Content-Disposition: form-data; name=\"userfile[]\"; filename=\"b.jpg\"\r\n"
            "Content-Type: multipart/form-data\r\n"
            "\r\n" + photo + "\r\n"
            "--" + kBoundary + "\r\n"
            "Content-Disposition: form-data; name=\"imgcontent\"\r\n"
            "\r\n"
            "notsafe\r\n"
            "\r\n--" + kBoundary + "--\r\n";
        QCOMPARE(readAll(body, piece), expected);
        QCOMPARE(qint64(body.TotalSize()), qint64(expected.size()));
        QCOMPARE(qint64(body.position()), qint64(expected.size()));
        // A second pass after a rewind gives the same bytes again.
        QCOMPARE(readAll(body, piece), expected);
    }

    void filenameParameterIsTheEscapedName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("parameter");
        QTest::newRow("plain") << "/home/u/out/a.jpg" << QByteArray("a.jpg");
        QTest::newRow("quote") << "/out/say \"cheese\".jpg" << QByteArray("say %22cheese%22.jpg");
        QTest::newRow("CR and LF") << "/out/a\r\nContent-Type: x.jpg" << QByteArray("a%0D%0AContent-Type: x.jpg");
        QTest::newRow("percent stays") << "/out/100%.jpg" << QByteArray("100%.jpg");
        QTest::newRow("Cyrillic as UTF-8") << QString::fromUtf8("/out/фото.jpg") << QString::fromUtf8("фото.jpg").toUtf8();
    }
    void filenameParameterIsTheEscapedName()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, parameter);
        QCOMPARE(FormDataBody::filenameParameter(path), parameter);
    }

    void hostileFileNameCannotBreakThePartHeader()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "x\"\r\nX-Injected: 1.jpg", "data");
        FormDataBody body;
        body.AddFilePart("userfile[]", path, "multipart/form-data");
        const QByteArray produced = readAll(body, 100);
        QVERIFY(produced.contains("filename=\"x%22%0D%0AX-Injected: 1.jpg\"\r\n"));
        QVERIFY(!produced.contains("\r\nX-Injected"));
        QVERIFY(!produced.contains(dir.path().toUtf8()));
    }

    void addingAFileThatCannotBeOpenedFails_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "missing.jpg";
        QTest::newRow("folder") << "folder.jpg";
    }
    void addingAFileThatCannotBeOpenedFails()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("folder.jpg");
        FormDataBody body;
        QVERIFY_THROWS_EXCEPTION(vx::Error, body.AddFilePart("userfile[]", dir.filePath(name), "multipart/form-data"));
        QCOMPARE(body.TotalSize(), qint32(kBoundary.size() + 8));
    }

    void fileThatShrankAfterAddingFailsTheRead()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "a.jpg", QByteArray(5000, 'a'));
        FormDataBody body;
        body.AddFilePart("userfile[]", path, "multipart/form-data");
        QFile(path).resize(100);
        QVERIFY_THROWS_EXCEPTION(vx::Error, readAll(body, 1024));
    }

    void fileThatGrewIsCutAtItsCountedSize()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "a.jpg", "12345");
        FormDataBody body;
        body.AddFilePart("userfile[]", path, "multipart/form-data");
        const qint32 total = body.TotalSize();
        QFile f(path);
        QVERIFY(f.open(QIODevice::Append));
        f.write("67890");
        f.close();
        const QByteArray produced = readAll(body, 1024);
        QCOMPARE(qint64(produced.size()), qint64(total));
        QVERIFY(produced.contains("\r\n\r\n12345\r\n"));
    }

    void releasedBodyYieldsNothing()
    {
        QTemporaryDir dir;
        FormDataBody body;
        body.AddFilePart("userfile[]", writeFile(dir, "a.jpg", "abc"), "multipart/form-data");
        body.release();
        body.rewind();
        char buffer[16];
        QCOMPARE(body.read(buffer, sizeof buffer), qint64(0));
    }
};

QTEST_GUILESS_MAIN(FormDataBodyTest)
#include "FormDataBodyTest.moc"
