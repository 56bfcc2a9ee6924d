// A release with names in 1251 and 866 bytes, linked folders, a link cycle and a folder named x.jpg,
// through the real windows: the scan lists what `find -L` finds, and examples, technical data, the
// broken-photo finder's deletion, the set list and the upload all reach those photos by their bytes.
#include "app/Windows.h"
#include "platform/ListItems.h"
#include "tests/reports/WhileModal.h"
#include "tests/support/ReleaseTree.h"
#include "tests/support/ScriptedDesktop.h"
#include "tests/upload/StandinHost.h"
#include "upload/TcpConnection.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace {

QByteArray bytes(const std::filesystem::path &path) { return QByteArray::fromStdString(path.native()); }

QList<QByteArray> listedPaths(const QListWidget &list)
{
    QList<QByteArray> out;
    for (int i = 0; i < list.count(); ++i)
        out << bytes(vx::nativePathOf(*list.item(i)));
    return out;
}

class CountingConnector final : public vx::http::Connector {
public:
    explicit CountingConnector(int &count) : count_(count) {}
    std::unique_ptr<vx::http::Connection> connect(const QString &host, quint16 port, int timeoutMs) override
    {
        ++count_;
        return real_.connect(host, port, timeoutMs);
    }

private:
    int &count_;
    vx::http::TcpConnector real_;
};

} // namespace

class TestReleaseTree : public QObject {
    Q_OBJECT

    std::unique_ptr<vx::test::StandinHost> host_;
    std::unique_ptr<vx::test::ReleaseTree> release_;
    std::unique_ptr<vx::test::ScriptedDesktop> desktop_;
    std::unique_ptr<vx::Windows> windows_;
    vx::Form1View &v() { return windows_->Form1.view(); }
    QString out() { return release_->tree().path(QStringLiteral("out")); }

    // Copies photos into the output folder by their own names.
    void putIntoOutput(const std::vector<std::filesystem::path> &photos)
    {
        for (const std::filesystem::path &photo : photos)
            std::filesystem::copy_file(photo, vx::nativePath(out()) / photo.filename());
    }
    int postsMade = 0;

    // Shows the upload window on the output folder and presses "Загрузить", deletion after upload ticked.
    TUploadForm &uploadOutputFolder()
    {
        v().fd2.path = out();
        TUploadForm &upload = windows_->UploadForm;
        upload.setUploadUrlForTesting(host_->url(QStringLiteral("ok"), vx::test::StandinHost::dirQuery(out())));
        upload.cbox1->setChecked(true);
        upload.show();
        upload.Button1->click();
        return upload;
    }

private slots:
    void initTestCase()
    {
        host_ = std::make_unique<vx::test::StandinHost>();
        QVERIFY2(host_->running(), qPrintable(host_->errorText()));
    }

    void init()
    {
        release_ = std::make_unique<vx::test::ReleaseTree>();
        release_->tree().folder(QStringLiteral("out"));
        desktop_ = std::make_unique<vx::test::ScriptedDesktop>();
        windows_ = std::make_unique<vx::Windows>(*desktop_);
        windows_->Form1.show();
        postsMade = 0;
        windows_->UploadForm.HTTP.setConnectorForTesting(std::make_unique<CountingConnector>(postsMade));
        desktop_->folderAnswers.push_back(release_->root());
        v().Button1->click();
    }

    void cleanup()
    {
        windows_.reset();
        desktop_.reset();
        release_.reset();
    }

    void scanListsEveryPhotoThatFindFinds()
    {
        QList<QByteArray> listed = listedPaths(*v().lb1);
        std::sort(listed.begin(), listed.end());
        QCOMPARE(listed, vx::test::findPhotos(release_->root()));
        // The list shows 1251 names as the people who wrote them read them.
        QVERIFY(v().lb1->findItems(QString::fromUtf8("Сет 1/Фото 1.jpg"), Qt::MatchEndsWith).size() == 1);
    }

    void examplesCopyEveryPhoto()
    {
        // Every photo but the folder x.jpg can be copied: as many examples as that.
        v().Edit1->setText(QString::number(v().lb1->count() - 1));
        desktop_->folderAnswers.push_back(out());
        // A run that can never copy some photo never ends by itself: abort it far beyond what this
        // run needs, so that fault fails here instead of hanging.
        desktop_->atProcessEvents(20000, [this] { v().SpeedButton1->click(); });
        v().Button2->click();
        QCOMPARE(desktop_->questions().size(), 1); // the run completed
        QList<QByteArray> copied, expected;
        for (const auto &entry : std::filesystem::directory_iterator(vx::nativePath(out())))
            copied << bytes(entry.path().filename());
        for (const std::filesystem::path &photo : release_->photos())
            expected << bytes(photo.filename());
        std::sort(copied.begin(), copied.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(copied, expected);
        QCOMPARE(v().CreatedExamples.size(), release_->photos().size());
        // Re-creating deletes exactly those examples, by their bytes.
        v().SpeedButton2->show();
        v().Edit1->setText(QStringLiteral("1"));
        v().SpeedButton2->click();
        QCOMPARE(std::distance(std::filesystem::directory_iterator(vx::nativePath(out())),
                               std::filesystem::directory_iterator()),
                 1);
    }

    void technicalDataMeasureThePhotos()
    {
        v().Button7->click();
        const QString memo = v().infmemo->toPlainText();
        QVERIFY2(memo.startsWith(QStringLiteral("Файлов: 8\n")), qPrintable(memo));
        // The smallest photo has a 1251 name, the largest an 866 one.
        QVERIFY2(memo.contains(QStringLiteral("100x50")) && memo.contains(QStringLiteral("1600x1200")),
                 qPrintable(memo));
    }

    void finderDeletesTheBrokenPhoto()
    {
        const int before = v().lb1->count();
        desktop_->yesNoAnswers.push_back(true);
        windows_->Form1.N3->trigger();
        QVERIFY(!std::filesystem::exists(release_->broken()));
        // The folder x.jpg counts as broken too, but a folder is never deleted, so it stays listed.
        QCOMPARE(v().lb1->count(), before - 1);
        for (const std::filesystem::path &photo : release_->photos())
            QCOMPARE(std::filesystem::exists(photo), photo != release_->broken());
    }

    void setListNamesTheFolders()
    {
        QString text;
        vx::test::WhileModal watch(windows_->ResultForm, [&] { text = windows_->ResultForm.Memo1->toPlainText(); });
        windows_->Form1.N2->trigger();
        QCOMPARE(watch.opened(), 1);
        for (const char *set : {"Сет 1", "linked", "x.jpg"})
            QVERIFY2(text.contains(QString::fromUtf8(set)), qPrintable(text));
    }

    void uploadSendsAndDeletesThePhotos()
    {
        putIntoOutput({release_->photos()[0], release_->photos()[1], release_->photos()[3]});
        TUploadForm &upload = uploadOutputFolder();
        const QString post = upload.Memo1->toPlainText();
        QVERIFY2(post.count(QStringLiteral("[URL=")) == 3, qPrintable(post));
        QVERIFY(std::filesystem::is_empty(vx::nativePath(out())));
    }

    void pipeInOutputFolderFailsTheUploadAtOnce()
    {
        putIntoOutput({release_->photos()[0], release_->photos()[2]});
        release_->tree().folder(QStringLiteral("out/sub"));
        QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {out() + QStringLiteral("/sub/p.jpg")}), 0);
        TUploadForm &upload = uploadOutputFolder();
        QCOMPARE(postsMade, 0);
        QCOMPARE(desktop_->messages().size(), 1);
        QVERIFY2(desktop_->messages().first().contains(QStringLiteral("p.jpg")), qPrintable(desktop_->messages().first()));
        QVERIFY(upload.Memo1->toPlainText().isEmpty());
        QVERIFY(std::filesystem::exists(vx::nativePath(out()) / release_->photos()[0].filename()));
    }
};

QTEST_MAIN(TestReleaseTree)
#include "tst_release_tree.moc"
