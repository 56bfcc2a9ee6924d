#include "upload/Upload.h"

#include "folders/FolderWalk.h"
#include "platform/FileOps.h"
#include "upload/FolderDisplayName.h"
#include "upload/FormDataBody.h"
#include "upload/ImageVenue.h"
#include "upload/PostText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kClientWidth = 631;
constexpr int kClientHeight = 342;
constexpr int kResultsWidth = 407;
constexpr int kPanelWidth = 257;
constexpr int kPanelHeight = 94;

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    return label;
}

} // namespace

TUploadForm::TUploadForm(vx::Desktop &desktop, std::function<QString()> outputFolder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      desktop_(desktop), outputFolder_(std::move(outputFolder)), uploadUrl_(vx::kImageVenueUploadUrl)
{
    setObjectName(QStringLiteral("UploadForm"));
    buildLayout();
}

TUploadForm::~TUploadForm() = default;

void TUploadForm::buildLayout()
{
    setWindowTitle(QStringLiteral("Загрузка на фотохостинги"));
    setFixedSize(kClientWidth, kClientHeight);
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    const int leftWidth = kClientWidth - kResultsWidth - 16;
    Label2 = makeLabel(this, "Label2", QStringLiteral("Папка"), {8, 8, leftWidth, 16});
    Label3 = makeLabel(this, "Label3", QStringLiteral("."), {8, 28, leftWidth, 16});
    Label1 = makeLabel(this, "Label1", QStringLiteral("Сервер:"), {8, 60, leftWidth, 16});

    cb1 = new QComboBox(this);
    cb1->setObjectName(QStringLiteral("cb1"));
    cb1->setEditable(false);
    cb1->addItems({QStringLiteral("FastPic"), QStringLiteral("ImageVenue"), QStringLiteral("ImageBam")});
    cb1->setCurrentIndex(ImageVenue);
    cb1->setGeometry(8, 78, leftWidth, 22);

    Button1 = new QPushButton(QStringLiteral("Загрузить"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    QFont bold = font;
    bold.setBold(true);
    bold.setPointSize(12);
    Button1->setFont(bold);
    Button1->setGeometry(8, 112, leftWidth, 44);
    connect(Button1, &QPushButton::clicked, this, &TUploadForm::Button1Click);

    cbox1 = new QCheckBox(QStringLiteral("Удалить примеры после загрузки"), this);
    cbox1->setObjectName(QStringLiteral("cbox1"));
    cbox1->setChecked(false);
    // The caption may run up to the results group: some 8-point faces are wider than others.
    cbox1->setGeometry(6, 164, kClientWidth - kResultsWidth - 6, 20);

    Button2 = new QPushButton(QStringLiteral("Скопировать в буфер"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(8, kClientHeight - 33, leftWidth, 25);
    connect(Button2, &QPushButton::clicked, this, &TUploadForm::Button2Click);

    GroupBox1 = new QGroupBox(QStringLiteral("Результаты"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(kClientWidth - kResultsWidth, 0, kResultsWidth, kClientHeight);
    auto *groupLayout = new QVBoxLayout(GroupBox1);
    groupLayout->setContentsMargins(6, 6, 6, 6);
    Memo1 = new QPlainTextEdit(GroupBox1);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    // The caret marks the focus; with it the keys select the text to copy.
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setFrameShape(QFrame::NoFrame);
    groupLayout->addWidget(Memo1);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Box);
    Panel1->setLineWidth(1);
    Panel1->setPalette(white);
    Panel1->setAutoFillBackground(true);
    Panel1->setGeometry(kClientWidth - kResultsWidth + (kResultsWidth - kPanelWidth) / 2, (kClientHeight - kPanelHeight) / 2,
                        kPanelWidth, kPanelHeight);
    QFont boldSmall = font;
    boldSmall.setBold(true);
    Label4 = makeLabel(Panel1, "Label4", {}, {4, 3, kPanelWidth - 8, 30});
    Label4->setFont(boldSmall);
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setWordWrap(true);
    Image1 = makeLabel(Panel1, "Image1", {}, {(kPanelWidth - 32) / 2, 34, 32, 32});
    Image1->setPixmap(style()->standardIcon(QStyle::SP_ArrowUp).pixmap(32, 32));
    QFont small = font;
    small.setPointSize(7);
    Label5 = makeLabel(Panel1, "Label5", QStringLiteral("Это может занять некоторое время (в зависимости от количества фото)"),
                       {4, 66, kPanelWidth - 8, 26});
    Label5->setFont(small);
    Label5->setAlignment(Qt::AlignCenter);
    Label5->setWordWrap(true);
    Panel1->hide();
}

void TUploadForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return; // the window system re-showing a minimised window is no new showing
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    FormShow();
}

void TUploadForm::FormShow()
{
    UploadFiles.clear();
    const QString folder = outputFolder_ ? outputFolder_() : QString();
    vx::CollectUploadFiles(vx::nativePath(folder), QString(), UploadFiles);
    Label2->setText(QStringLiteral("Папка ") + vx::FolderDisplayName(folder) + QStringLiteral(":"));
    Label3->setText(QStringLiteral("Файлов: ") + QString::number(UploadFiles.size()));
    Button1->setEnabled(!UploadFiles.empty());
}

void TUploadForm::Button1Click()
{
    Button1->setEnabled(false);
    Label4->setText(QStringLiteral("Загрузка фото на ") + cb1->currentText() + QStringLiteral("\r\n")
                    + QStringLiteral("пожалуйста подождите..."));
    Panel1->show();
    Panel1->raise();
    // The post blocks the window thread; paint now so the panel is on screen while it runs. A repaint
    // of the window alone leaves the just-shown panel unpainted on X11, so the panel paints itself too.
    repaint();
    Panel1->repaint();
    if (cb1->currentIndex() == ImageVenue)
        UploadToImageVenue();
    Button1->setEnabled(true);
    Panel1->hide();
}

void TUploadForm::UploadToImageVenue()
{
    QByteArray reply;
    try {
        vx::FormDataBody body; // released on every way out, which closes the photos
        for (const vx::ListEntry &file : std::as_const(UploadFiles)) {
            try {
                body.AddFilePart(QStringLiteral("userfile[]"), file.path, QStringLiteral("multipart/form-data"));
            } catch (const vx::Error &e) {
                // A photo that is there but cannot be opened (no right, too many open files, a pipe or
                // folder named like a photo) would fail every upload; the user has to know which one.
                // One gone since the window listed it (deleted by the last upload) fails silently.
                if (vx::files::exists(file.path) || dynamic_cast<const vx::NotARegularFile *>(&e))
                    desktop_.showMessage(e.message());
                return;
            }
        }
        body.AddTextPart(QStringLiteral("imgcontent"), QStringLiteral("notsafe"));
        reply = HTTP.PostMultipart(uploadUrl_, body);
    } catch (const std::exception &) {
        return; // every other failure of the upload is silent: the post text and the photos stay
    }

    const QStringList post = vx::BuildPostText(vx::replyText(reply));
    Memo1->setPlainText(post.join(QLatin1Char('\n')));

    // A reply without a single link is no proof that the host has the photos: they stay.
    if (cbox1->isChecked() && vx::PostTextHasLink(post)) {
        for (const vx::ListEntry &file : std::as_const(UploadFiles))
            if (vx::files::exists(file.path))
                vx::files::remove(file.path);
    }
}

void TUploadForm::Button2Click()
{
    Memo1->selectAll();
    desktop_.setClipboardText(Memo1->toPlainText());
}

void TUploadForm::FormClose() { Panel1->hide(); }

void TUploadForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}
