#include "app/Help.h"

#include "app/Forum.h"
#include "app/Pictures.h"
#include "platform/Desktop.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vx {

QStringList Thelpform::descriptionParagraphs()
{
    return {
        QStringLiteral("Vorlinex by Kestrow for ") + forum::displayName(),
        QStringLiteral("Данная утилита предназначена для создания примеров к раздачам с фотосетами."),
        QStringLiteral("Умеет:"),
        QStringLiteral("- Создавать нужное количество примеров из фотографий релиза (учитываются как каталоги, так и подкаталоги)."),
        QStringLiteral("- Работать с zip-архивами, вытаскивать примеры (в данной версии - по одному на архив) без распаковки самих архивов."),
        QStringLiteral("- Фильтровать примеры по соотношению сторон (можно отобрать только фото с портретной или альбомной ориентацией, или обойтись без фильтра)."),
        QStringLiteral("- Собирать тех. данные: количество фото, сетов (в том числе в архивах - без их распаковки), максимальное/минимальное разрешение фото"),
        QStringLiteral("Дополнительных компонентов (JAVA, .NET, библиотеки архиваторов и т.п.) не требуется."),
        QStringLiteral("Что хотелось бы сделать:"),
        QStringLiteral("- Загрузку файлов на FastPic (на данный момент их API, точнее инфа по нему, очень скудна, но API тем не менее у них есть, поэтому можно попытаться реализовать)."),
        QStringLiteral("- Другие предложения, которые, возможно, появятся (для связи можно использовать форму личных сообщений трекера)"),
        QStringLiteral("Порядок работы:"),
        QStringLiteral("1. Выбрать папку с релизом.\n(Если ваша раздача в архивах - перейти на вкладку \"Фотосеты в архивах\" и выбрать папку с архивами)."),
        QStringLiteral("Дождаться пока закончится сканирование каталогов или прервать сканирование - тогда примеры будут созданы из того, что программа успела найти."),
        QStringLiteral("2. Указать желаемое количество примеров (в данной версии ограничено до 50) и ориентацию (портретную/альбомную или обе)."),
        QStringLiteral("3. Нажать кнопку \"Создать примеры\". Дождаться завершения обработки. По желанию откроется папка с получившимися примерами."),
        QStringLiteral("Иногда примеров может получиться немного меньше, чем требуется (например 48 вместо 50).\nВ этом случае можно просто указать недостающее количество и ещё раз нажать кнопку \"Создать примеры\" - это позволит добавить их до нужного числа, а уже существующие картинки не будут затронуты."),
        QStringLiteral("4. Если нужно - собрать тех. данные, нажав кнопку \"Обновить\"."),
    };
}

Thelpform::Thelpform(Desktop &desktop, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      desktop_(desktop)
{
    setObjectName(QStringLiteral("helpform"));
    setWindowTitle(QStringLiteral("Инфа"));
    setFixedSize(300 + 2 * 5, 213 + 2 * 5);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    tb1 = new QTabWidget(this);
    tb1->setObjectName(QStringLiteral("tb1"));
    layout->addWidget(tb1);

    memo1 = new QPlainTextEdit;
    memo1->setObjectName(QStringLiteral("memo1"));
    memo1->setReadOnly(true);
    // The caret marks the focus; with it the keys select the text to copy.
    memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memo1->setFrameStyle(QFrame::NoFrame);
    memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1->setPlainText(descriptionParagraphs().join(QStringLiteral("\n\n")));
    tb1->addTab(memo1, QStringLiteral("Описание"));

    auto *about = new QWidget;
    about->setObjectName(QStringLiteral("TabSheet2"));
    const auto label = [about](const char *name, const QString &text, QRect geometry) {
        auto *l = new QLabel(text, about);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(geometry);
        return l;
    };
    Image1 = label("Image1", {}, {130, 2, 158, 185});
    Image1->setPixmap(pictures::aboutPicture({158, 185}));
    Image1->setAlignment(Qt::AlignCenter);
    Label1 = label("Label1", QStringLiteral("Vorlinex"), {8, 20, 118, 26});
    QFont big = Label1->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    Label1->setFont(big);
    Label2 = label("Label2", QStringLiteral("by"), {8, 60, 20, 18});
    Label4 = label("Label4", QStringLiteral("Kestrow"), {30, 60, 96, 18});
    Label3 = label("Label3", QStringLiteral("для"), {8, 84, 24, 18});
    Label5 = label("Label5", forum::displayName(), {34, 84, 92, 18});
    for (QLabel *link : {Label4, Label5}) {
        link->setCursor(Qt::PointingHandCursor);
        link->setStyleSheet(QStringLiteral("color: #2f6fb5; text-decoration: underline;"));
        link->installEventFilter(this);
    }
    tb1->addTab(about, QStringLiteral("О программе"));
    tb1->setCurrentIndex(1);
}

void Thelpform::showCentred()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect g = screen->availableGeometry();
        move(g.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
}

void Thelpform::Label4Click() { desktop_.openUrl(forum::authorProfile()); }
void Thelpform::Label5Click() { desktop_.openUrl(forum::homePage()); }

bool Thelpform::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == Label4)
            Label4Click();
        else if (watched == Label5)
            Label5Click();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vx
