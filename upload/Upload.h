#pragma once
// The upload window: sends the photos of the output folder to the image host and turns the host's
// reply into forum post text (a spoiler block of image links) ready for the clipboard. Created at
// start-up, shown modally from the main window, alive until the program ends; the post text, the
// chosen service and the deletion box keep their state between showings.

#include "platform/Desktop.h"
#include "platform/NativePath.h"
#include "upload/HttpClient.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TUploadForm : public QDialog {
    Q_OBJECT
public:
    // outputFolder reads the folder that the main window's output-folder dialog holds.
    TUploadForm(vx::Desktop &desktop, std::function<QString()> outputFolder, QWidget *parent = nullptr);
    ~TUploadForm() override;

    // The services of cb1, by index; only ImageVenue has an upload.
    enum Service { FastPic = 0, ImageVenue = 1, ImageBam = 2 };

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Image1 = nullptr;
    QComboBox *cb1 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr;
    QCheckBox *cbox1 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QFrame *Panel1 = nullptr;

    // The photos of the output folder, rebuilt at every showing.
    std::vector<vx::ListEntry> UploadFiles;
    // Lives with the window, so cookies carry over from one upload to the next.
    vx::http::HttpClient HTTP;

    // Points the upload at another server (the stand-in host of the tests and the benchmark).
    void setUploadUrlForTesting(const QString &url) { uploadUrl_ = url; }

public slots:
    void FormShow();
    void Button1Click();
    void Button2Click();
    void FormClose();

public:
    void UploadToImageVenue();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void buildLayout();

    vx::Desktop &desktop_;
    std::function<QString()> outputFolder_;
    QString uploadUrl_;
};
