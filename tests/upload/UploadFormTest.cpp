// The upload window through its real widgets, offscreen: showing with and without photos, the upload
// to the stand-in host, the post text, the copy, deletion after upload, the services without upload,
// silent failures, and the state kept between showings.

#include "tests/support/ScriptedDesktop.h"
#include "tests/support/SourcePaths.h"
#include "tests/upload/StandinHost.h"
#include "upload/TcpConnection.h"
#include "upload/Upload.h"

#include <QCheckBox>
#include <QColorSpace>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QUrl>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <thread>

#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

namespace {

// Notes what the window shows at the moment the post connects, then connects for real.
class WatchingConnector final : public vx::http::Connector {
public:
    explicit WatchingConnector(TUploadForm &form) : form_(form) {}
    int connects = 0;
    bool panelVisible = false;
    bool button1Enabled = true;
    QString label4;

    std::unique_ptr<vx::http::Connection> connect(const QString &host, quint16 port, int timeoutMs) override
    {
        ++connects;
        panelVisible = form_.Panel1->isVisible();
        button1Enabled = form_.Button1->isEnabled();
        label4 = form_.Label4->text();
        return real_.connect(host, port, timeoutMs);
    }

private:
    TUploadForm &form_;
    vx::http::TcpConnector real_;
};

// Counts the wait panel's showings and hidings.
class ShowCounter final : public QObject {
public:
    int shows = 0, hides = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        else if (event->type() == QEvent::Hide)
            ++hides;
        return false;
    }
};

const QString kOpening = QStringLiteral("[spoiler=\"Примеры на ImageVenue\"]");
const QString kClosing = QStringLiteral("[/spoiler]");

} // namespace

class UploadFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<vx::test::StandinHost> host_;
    std::unique_ptr<QTemporaryDir> tmp_;
    QString folder_;
    std::unique_ptr<vx::test::ScriptedDesktop> desktop_;
    std::unique_ptr<TUploadForm> form_;
    WatchingConnector *watch_ = nullptr;

    void fillOutputFolder()
    {
        for (const char *name : {"Canon_40D.jpg", "gps-DSCN0010.jpg", "orientation-portrait_6.jpg"})
            QVERIFY(QFile::copy(vx::test::testDataPath(QStringLiteral("jpeg/") + QLatin1String(name)), folder_ + "/" + name));
        QFile notes(folder_ + "/notes.txt");
        QVERIFY(notes.open(QIODevice::WriteOnly));
    }
    void pointAt(const QString &mode) { form_->setUploadUrlForTesting(host_->url(mode, vx::test::StandinHost::dirQuery(folder_))); }
    QStringList memoLines() const { return form_->Memo1->toPlainText().split(QLatin1Char('\n')); }
    int photosOnDisk() const { return QDir(folder_).entryList({"*.jpg"}, QDir::Files).size(); }

private slots:
    void initTestCase()
    {
        host_ = std::make_unique<vx::test::StandinHost>();
        QVERIFY2(host_->running(), qPrintable(host_->errorText()));
    }

    void init()
    {
        tmp_ = std::make_unique<QTemporaryDir>();
        folder_ = tmp_->path() + "/examples";
        QVERIFY(QDir().mkdir(folder_));
        desktop_ = std::make_unique<vx::test::ScriptedDesktop>();
        form_ = std::make_unique<TUploadForm>(*desktop_, [this] { return folder_; });
        auto watch = std::make_unique<WatchingConnector>(*form_);
        watch_ = watch.get();
        form_->HTTP.setConnectorForTesting(std::move(watch));
    }

    void cleanup()
    {
        form_.reset();
        watch_ = nullptr;
        desktop_.reset();
        tmp_.reset();
    }

    void layoutAtStart()
    {
        QCOMPARE(form_->windowTitle(), QString("Загрузка на фотохостинги"));
        QCOMPARE(form_->size(), QSize(631, 342));
        QCOMPARE(form_->cb1->count(), 3);
        QCOMPARE(form_->cb1->currentIndex(), 1);
        QCOMPARE(form_->cb1->currentText(), QString("ImageVenue"));
        QVERIFY(!form_->cbox1->isChecked());
        QCOMPARE(form_->cbox1->text(), QString("Удалить примеры после загрузки"));
        QCOMPARE(form_->Button1->text(), QString("Загрузить"));
        QCOMPARE(form_->Button2->text(), QString("Скопировать в буфер"));
        QCOMPARE(form_->GroupBox1->width(), 407);
        QCOMPARE(form_->Panel1->size(), QSize(257, 94));
        QVERIFY(form_->Memo1->isReadOnly());
        QVERIFY(form_->Panel1->isHidden());
    }

    void showingListsThePhotos_data()
    {
        QTest::addColumn<bool>("withPhotos");
        QTest::addColumn<bool>("folderExists");
        QTest::addColumn<QString>("count");
        QTest::newRow("three photos and a text file") << true << true << "Файлов: 3";
        QTest::newRow("empty folder") << false << true << "Файлов: 0";
        QTest::newRow("missing folder") << false << false << "Файлов: 0";
    }
    void showingListsThePhotos()
    {
        QFETCH(bool, withPhotos);
        QFETCH(bool, folderExists);
        QFETCH(QString, count);
        if (withPhotos)
            fillOutputFolder();
        if (!folderExists)
            QVERIFY(QDir(folder_).removeRecursively());
        form_->show();
        QCOMPARE(form_->Label2->text(), QString("Папка examples:"));
        QCOMPARE(form_->Label3->text(), count);
        QCOMPARE(form_->Button1->isEnabled(), withPhotos);
        QCOMPARE(form_->UploadFiles.size(), withPhotos ? 3u : 0u);
        for (const vx::ListEntry &file : std::as_const(form_->UploadFiles))
            QVERIFY2(file.text.startsWith(QDir::toNativeSeparators(folder_) + QDir::separator()) && file.text.endsWith(".jpg"),
                     qPrintable(file.text));
    }

    void uploadPutsThePostTextInTheMemo()
    {
        fillOutputFolder();
        pointAt("ok");
        form_->show();
        form_->Memo1->setPlainText("old text");
        QTest::mouseClick(form_->Button1, Qt::LeftButton);

        // While the post ran, the wait panel was up with its message and the button was off.
        QCOMPARE(watch_->connects, 1);
        QVERIFY(watch_->panelVisible);
        QVERIFY(!watch_->button1Enabled);
        QCOMPARE(watch_->label4, QString("Загрузка фото на ImageVenue\r\nпожалуйста подождите..."));
        QVERIFY(form_->Panel1->isHidden());
        QVERIFY(form_->Button1->isEnabled());

        const QStringList lines = memoLines();
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], kOpening);
        QCOMPARE(lines[2], kClosing);
        QCOMPARE(lines[1].count("[URL=http"), 3);
        QVERIFY(lines[1].startsWith("[URL=http://img.example/0]"));
        QVERIFY(!lines[1].contains("</textarea>"));
        QCOMPARE(photosOnDisk(), 3); // deletion is off

        QTest::mouseClick(form_->Button2, Qt::LeftButton);
        QCOMPARE(desktop_->clipboard, form_->Memo1->toPlainText());
        QVERIFY(desktop_->clipboard.contains("[/spoiler]"));
    }

    void deletionAfterUpload_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("memoLines");
        QTest::addColumn<int>("photosLeft");
        QTest::newRow("reply with links deletes") << "ok" << 3 << 0;
        QTest::newRow("reply without links keeps the photos") << "nolinks" << 2 << 3;
        QTest::newRow("failed upload keeps the photos") << "status500" << 1 << 3;
        QTest::newRow("reset after a link line keeps the photos") << "reset" << 1 << 3;
    }
    void deletionAfterUpload()
    {
        QFETCH(QString, mode);
        QFETCH(int, memoLines);
        QFETCH(int, photosLeft);
        fillOutputFolder();
        pointAt(mode);
        form_->show();
        form_->Memo1->setPlainText("previous post");
        form_->cbox1->setChecked(true);
        form_->Button1Click();
        QCOMPARE(this->memoLines().size(), memoLines);
        if (memoLines == 1)
            QCOMPARE(form_->Memo1->toPlainText(), QString("previous post"));
        QCOMPARE(photosOnDisk(), photosLeft);
        QVERIFY(QFile::exists(folder_ + "/notes.txt"));
        QCOMPARE(form_->Label3->text(), QString("Файлов: 3"));
        QVERIFY(desktop_->shown.isEmpty()); // failures are silent
    }

    void secondPressAfterDeletionFailsSilently()
    {
        fillOutputFolder();
        pointAt("ok");
        form_->show();
        form_->cbox1->setChecked(true);
        form_->Button1Click();
        QCOMPARE(photosOnDisk(), 0);
        const QString post = form_->Memo1->toPlainText();
        form_->Button1Click();
        QCOMPARE(watch_->connects, 1); // the missing photos stop it before any connection
        QCOMPARE(form_->Memo1->toPlainText(), post);
        QVERIFY(form_->Button1->isEnabled());
        QVERIFY(form_->Panel1->isHidden());
    }

    void servicesWithoutUploadOnlyFlashThePanel_data()
    {
        QTest::addColumn<int>("service");
        QTest::addColumn<QString>("name");
        QTest::newRow("FastPic") << 0 << "FastPic";
        QTest::newRow("ImageBam") << 2 << "ImageBam";
    }
    void servicesWithoutUploadOnlyFlashThePanel()
    {
        QFETCH(int, service);
        QFETCH(QString, name);
        fillOutputFolder();
        pointAt("ok");
        form_->show();
        form_->Memo1->setPlainText("kept");
        form_->cbox1->setChecked(true);
        form_->cb1->setCurrentIndex(service);
        ShowCounter counter;
        form_->Panel1->installEventFilter(&counter);
        QTest::mouseClick(form_->Button1, Qt::LeftButton);
        QCOMPARE(counter.shows, 1);
        QCOMPARE(counter.hides, 1);
        QVERIFY(form_->Panel1->isHidden());
        QCOMPARE(form_->Label4->text(), QString("Загрузка фото на " + name + "\r\nпожалуйста подождите..."));
        QCOMPARE(watch_->connects, 0);
        QCOMPARE(form_->Memo1->toPlainText(), QString("kept"));
        QCOMPARE(photosOnDisk(), 3);
        QVERIFY(form_->Button1->isEnabled());
    }

    void folderNamedLikeAPhotoFailsTheUploadSilently()
    {
        fillOutputFolder();
        QVERIFY(QDir(folder_).mkdir("album.jpg"));
        pointAt("ok");
        form_->show();
        QCOMPARE(form_->Label3->text(), QString("Файлов: 4"));
        form_->cbox1->setChecked(true);
        form_->Button1Click();
        QCOMPARE(watch_->connects, 0);
        QCOMPARE(form_->Memo1->toPlainText(), QString());
        QCOMPARE(photosOnDisk(), 3);
    }

    void photoThatCannotBeOpenedIsNamed()
    {
        // A photo the post cannot open fails the upload with a message that names it, before anything
        // is sent or deleted.
        fillOutputFolder();
        pointAt("ok");
        form_->show();
        form_->cbox1->setChecked(true);
#ifdef Q_OS_WIN
        // Windows refuses a reader that does not share writing while a writer holds the file.
        QFile held(folder_ + "/gps-DSCN0010.jpg");
        QVERIFY(held.open(QIODevice::ReadWrite));
        form_->Button1Click();
        held.close();
#else
        // A limit of open files that lets the post open at most one photo.
        QSet<int> inUse;
        for (const QString &fd : QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System))
            inUse << fd.toInt();
        int firstFree = 0;
        while (inUse.contains(firstFree))
            ++firstFree;
        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_NOFILE, &saved) == 0);
        rlimit tight = saved;
        tight.rlim_cur = rlim_t(firstFree + 1);
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &tight) == 0);
        form_->Button1Click();
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &saved) == 0);
#endif
        // Which photo meets the limit depends on what the window itself holds open by then.
        QCOMPARE(desktop_->messages().size(), 1);
        const QString message = desktop_->messages().first();
        QVERIFY2(std::any_of(form_->UploadFiles.begin(), form_->UploadFiles.end(),
                             [&](const vx::ListEntry &f) { return message.startsWith("Не удалось открыть файл " + f.text + ". "); }),
                 qPrintable(message));
        QCOMPARE(watch_->connects, 0);
        QCOMPARE(photosOnDisk(), 3);
    }

    void reopeningKeepsTextServiceAndBox()
    {
        fillOutputFolder();
        pointAt("ok");
        form_->show();
        form_->Button1Click();
        const QString post = form_->Memo1->toPlainText();
        QVERIFY(post.contains("[URL=http"));
        form_->cbox1->setChecked(true);
        form_->cb1->setCurrentIndex(2);
        form_->close();
        // The copies are read-only, as the shared photos are, and Windows removes no read-only file.
        QFile photo(folder_ + "/Canon_40D.jpg");
        QVERIFY(photo.setPermissions(QFile::ReadOwner | QFile::WriteOwner) && photo.remove());
        form_->show();
        QCOMPARE(form_->Memo1->toPlainText(), post);
        QCOMPARE(form_->cb1->currentIndex(), 2);
        QVERIFY(form_->cbox1->isChecked());
        QCOMPARE(form_->Label3->text(), QString("Файлов: 2"));
    }

    // Offscreen, "visible" proves nothing about pixels: upload_window_on_x runs this under Xvfb with the
    // xcb platform, and a second program grabs the screen while the host holds its reply.
    void waitPanelIsOnTheScreenWhileThePostWaits()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server: the test upload_window_on_x runs it under Xvfb");
        fillOutputFolder();
        const QString gate = tmp_->filePath("gate"), shot = tmp_->filePath("screen.png");
        form_->setUploadUrlForTesting(host_->url(
            "held", vx::test::StandinHost::dirQuery(folder_) + "&gate=" + QUrl::toPercentEncoding(vx::test::StandinHost::hostPath(gate))));
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        int grabExit = -1;
        std::thread grabber([&] {
            for (int i = 0; i < 3000 && !QFile::exists(gate + ".arrived"); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            grabExit = QProcess::execute("import", {"-window", "root", shot});
            QFile(gate).open(QIODevice::WriteOnly);
        });
        form_->Button1Click();
        grabber.join();
        QCOMPARE(grabExit, 0);
        QVERIFY(form_->Memo1->toPlainText().contains("[URL=http"));

        QImage screen = QImage(shot).convertToFormat(QImage::Format_RGB32);
        screen.setColorSpace({}); // the file says sRGB; the widget's own rendering says nothing
        const QImage panel = form_->Panel1->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int inked = 0; // the message's letters, so that a panel drawn without text cannot pass
        for (int y = form_->Label4->y(); y < form_->Label4->geometry().bottom(); ++y)
            for (int x = form_->Label4->x(); x < form_->Label4->geometry().right(); ++x)
                inked += qGray(panel.pixel(x, y)) < 128;
        QVERIFY2(inked > 50, qPrintable(QString::number(inked)));
        QCOMPARE(screen.copy(QRect(form_->Panel1->mapToGlobal(QPoint(0, 0)), panel.size())), panel);
    }

    void modalShowingRunsFormShowAndClosingHidesThePanel()
    {
        fillOutputFolder();
        QTimer::singleShot(0, form_.get(), [this] {
            QVERIFY(form_->isModal());
            form_->Panel1->show();
            form_->reject();
        });
        form_->exec();
        QCOMPARE(form_->Label3->text(), QString("Файлов: 3"));
        QVERIFY(form_->Panel1->isHidden());
    }
};

QTEST_MAIN(UploadFormTest)
#include "UploadFormTest.moc"
