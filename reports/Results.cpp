#include "reports/Results.h"

#include "platform/Desktop.h"
#include "reports/ResultText.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QVBoxLayout>

namespace vx::reports {

namespace {
constexpr int outerWidth = 508, outerHeight = 572;
constexpr int innerBorder = 5;
constexpr int barHeight = 33;
constexpr int buttonWidth = 130, buttonHeight = 23;
} // namespace

TResultForm::TResultForm(vx::Desktop &desktop, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      desktop_(desktop)
{
    setObjectName(QStringLiteral("ResultForm"));
    setWindowTitle(QStringLiteral("Результаты"));
    setModal(true);
    setSizeGripEnabled(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    setFont(font);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(innerBorder, innerBorder, innerBorder, innerBorder);
    layout->setSpacing(0);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(barHeight);
    Panel1->setAutoFillBackground(true);
    Panel1->setPalette(white);
    auto *bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(0, 0, innerBorder, 0);
    // The stretch in front keeps the button at its distance from the right edge when the window grows.
    bar->addStretch(1);
    Button1 = new QPushButton(QStringLiteral("Скопировать в буфер"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFixedSize(buttonWidth, buttonHeight);
    Button1->setAutoDefault(false);
    bar->addWidget(Button1);
    layout->addWidget(Panel1);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A read-only box still takes keyboard selection and the focus that the copy button gives it.
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(Memo1, 1);

    Label1 = new QLabel(QStringLiteral("Строк:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(Label1);

    resize(outerWidth, outerHeight);
    connect(Button1, &QPushButton::clicked, this, &TResultForm::Button1Click);
}

void TResultForm::showList(const QStringList &lines)
{
    Memo1->setPlainText(ResultText(lines));
    centreOnScreen();
    exec();
    // The loop also ends when something hides the window without closing it; nothing may survive either way.
    FormClose();
}

void TResultForm::Button1Click()
{
    Memo1->setFocus();
    Memo1->selectAll();
    desktop_.setClipboardText(Memo1->toPlainText());
    QTextCursor cursor = Memo1->textCursor();
    cursor.movePosition(QTextCursor::Start);
    Memo1->setTextCursor(cursor);
}

void TResultForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TResultForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TResultForm::FormShow()
{
    Label1->setText(QStringLiteral("Строк: ") + QString::number(ResultLineCount(Memo1->toPlainText())));
}

void TResultForm::FormClose() { Memo1->clear(); }

void TResultForm::centreOnScreen()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

} // namespace vx::reports
