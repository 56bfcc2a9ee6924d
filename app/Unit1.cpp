#include "app/Unit1.h"

#include "app/Forum.h"
#include "app/Help.h"
#include "app/Pictures.h"
#include "archive/ArchiveExampleRun.h"
#include "archive/ArchiveTechDataRun.h"
#include "folders/ExampleRun.h"
#include "folders/FolderPageRuns.h"
#include "folders/RandomOrder.h"
#include "reports/BrokenPhotoFinderRun.h"
#include "reports/Results.h"
#include "reports/FolderTechDataRun.h"
#include "reports/SetListRuns.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

constexpr int clientWidth = 608;
constexpr int clientHeight = 471;
constexpr int tabHeight = 18;
constexpr int listLeft = clientWidth - 440;
constexpr int statusHeight = 16;

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption, QRect geometry,
                        bool large = false)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    if (large) {
        // The large buttons carry a soft vertical gradient ("glow").
        button->setStyleSheet(QStringLiteral(
            "QPushButton { border: 1px solid #7a9cc6; border-radius: 4px;"
            " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #cfe0f5); }"
            "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #b8d2f2); }"
            "QPushButton:pressed { background: #b8d2f2; }"
            "QPushButton:disabled { color: #9a9a9a; border-color: #c4c4c4;"
            " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #ececec); }"));
    }
    return button;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, QRect geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

// A picture that acts as a button (the help icons): a click, or Space or Enter while it has the focus.
class ClickableLabel : public QLabel {
public:
    explicit ClickableLabel(QWidget *parent) : QLabel(parent) { setFocusPolicy(Qt::StrongFocus); }
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLabel::mouseReleaseEvent(event);
        if (onClick && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            onClick();
    }
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        if (!hasFocus())
            return;
        // A picture has no focus mark of its own; the style's focus frame shows where the keys go.
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.backgroundColor = palette().color(QPalette::Window);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        const int key = event->key();
        if (onClick && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
            onClick();
            return;
        }
        QLabel::keyPressEvent(event);
    }
};

// The page lists' rows: as wide as the list whatever their text. With uniform row sizes the list sizes
// every row from its last entry, so a longer path elsewhere ran past the edge with its file name.
class ListRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {0, QStyledItemDelegate::sizeHint(option, index).height()};
    }
};

} // namespace

TForm1::TForm1(vx::Desktop &desktop, QWidget *parent) : QWidget(parent), desktop_(desktop), ZipReader1(&desktop_)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vorlinex by Kestrow for ") + vx::forum::displayName());
    setWindowIcon(vx::pictures::applicationIcon(64));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(clientWidth, clientHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    // The layout is drawn for a small 8-point face, as on the desktops the program was made for.
    QFont face = font();
    face.setPointSize(8);
    setFont(face);

    view_.window = this;
    view_.desktop = &desktop_;
    const QString current = QDir::toNativeSeparators(QDir::currentPath());
    view_.fd1 = {QStringLiteral("Укажите папку с релизом"), current, false};
    view_.fd2 = {QStringLiteral("В какой папке создать примеры?"), current, true};
    view_.fd3 = {QStringLiteral("Укажите папку"), current, true};

    Notebook1 = new QStackedWidget(this);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    Notebook1->setGeometry(0, 0, clientWidth, clientHeight - tabHeight);
    view_.Notebook1 = Notebook1;
    buildPage(0);
    buildPage(1);

    view_.TabSet1 = new QTabBar(this);
    view_.TabSet1->setObjectName(QStringLiteral("TabSet1"));
    view_.TabSet1->setGeometry(0, clientHeight - tabHeight, clientWidth, tabHeight);
    view_.TabSet1->setShape(QTabBar::RoundedSouth);
    view_.TabSet1->setExpanding(false);
    view_.TabSet1->setStyleSheet(QStringLiteral(
        "QTabBar::tab { height: 16px; padding: 0 14px; border: 1px solid #9db4d0; border-top: none;"
        " background: #eef3fa; color: #555555; }"
        "QTabBar::tab:selected { background: #ffffff; color: #000000; font-weight: bold; }"));
    // The tabs are the pages' names; the strip starts on the container's page and then shows page 1.
    view_.TabSet1->addTab(QStringLiteral("Фотосеты"));
    view_.TabSet1->addTab(QStringLiteral("Фотосеты в архивах"));
    view_.TabSet1->setCurrentIndex(Notebook1->currentIndex());
    view_.TabSet1->setCurrentIndex(0);
    Notebook1->setCurrentIndex(0);
    connect(view_.TabSet1, &QTabBar::currentChanged, this, &TForm1::TabSet1Click);

    buildBusyPanel();
    buildMenus();
    vx::Randomize();
}

TForm1::~TForm1() = default;

void TForm1::buildPage(int page)
{
    const bool archives = page == 1;
    auto *sheet = new QWidget;
    sheet->setObjectName(archives ? QStringLiteral("TabPage2") : QStringLiteral("TabPage1"));
    Notebook1->addWidget(sheet);
    const auto n = [archives](const char *folderName, const char *archiveName) {
        return QString::fromLatin1(archives ? archiveName : folderName);
    };

    auto *choose = makeButton(sheet, n("Button1", "Button4"), QStringLiteral("Выбрать папку..."), {8, 8, 152, 36}, true);
    auto *remove = makeButton(sheet, n("Button3", "Button5"), QStringLiteral("Удалить выделенные"), {8, 48, 152, 24});
    auto *clear = makeButton(sheet, n("Button10", "Button9"), QStringLiteral("Очистить всё"), {8, 76, 152, 24});
    clear->hide();
    auto *countCaption = makeLabel(sheet, n("StaticText1", "StaticText2"), QStringLiteral("Нужное кол-во примеров:"),
                                   {8, 80, 152, 18});
    auto *count = new QLineEdit(QStringLiteral("50"), sheet);
    count->setObjectName(n("Edit1", "Edit2"));
    count->setGeometry(8, 100, 40, 22);
    count->setMaxLength(2);
    count->installEventFilter(this);
    auto *create = makeButton(sheet, n("Button2", "Button6"), QStringLiteral("Создать примеры"), {8, 128, 124, 36}, true);
    QFont bold = create->font();
    bold.setBold(true);
    create->setFont(bold);
    create->setEnabled(false);
    auto *recreate = makeButton(sheet, n("SpeedButton2", "SpeedButton3"), QStringLiteral("↻"), {136, 128, 24, 36});
    recreate->setToolTip(QStringLiteral("Создать другие примеры, удалив старые"));
    recreate->hide();
    auto *orientation = new vx::RadioGroup(
        QStringLiteral("Ориентация"),
        {QStringLiteral("Только портретная"), QStringLiteral("Только альбомная"), QStringLiteral("Обе")}, sheet);
    orientation->setObjectName(n("rg1", "rg2"));
    orientation->setGeometry(8, 170, 152, 82);
    orientation->setItemIndex(2);

    auto *info = new QGroupBox(QStringLiteral("Тех. данные"), sheet);
    info->setObjectName(n("gbinfo", "GroupBox1"));
    info->setGeometry(8, 256, 152, 110);
    auto *memo = new QPlainTextEdit(info);
    memo->setObjectName(n("infmemo", "zipinfmemo"));
    memo->setReadOnly(true);
    // The caret is the memo's focus mark, and with it the keys select the text to copy.
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memo->setGeometry(6, 18, 140, 58);
    QFont small = memo->font();
    small.setPointSize(7);
    memo->setFont(small);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto *refresh = makeButton(info, n("Button7", "Button8"), QStringLiteral("Обновить"), {6, 80, 140, 24});
    refresh->hide();

    auto *uploadImage = makeLabel(sheet, n("Image1", "Image2"), {}, {8, 404, 32, 32});
    uploadImage->setPixmap(vx::pictures::pageIcon(32));
    uploadImage->setAccessibleName(archives ? QStringLiteral("Значок страницы «Фотосеты в архивах»")
                                            : QStringLiteral("Значок страницы «Фотосеты»"));
    auto *upload = makeButton(sheet, n("UploadButton1", "UploadButton2"), QStringLiteral("Загрузить на фотохостинг"),
                              {74, 408, 86, 24});
    upload->hide();

    auto *help = new ClickableLabel(sheet);
    help->setObjectName(n("Image4", "Image3"));
    help->setGeometry(44, 408, 24, 24);
    help->setCursor(Qt::PointingHandCursor);
    help->setAccessibleName(QStringLiteral("Справка"));
    help->setAccessibleDescription(QStringLiteral("Открыть окно с описанием программы"));
    help->setToolTip(QStringLiteral("Справка"));
    help->onClick = [this] { Image3Click(); };
    auto *tools = makeButton(sheet, n("Button12", "Button11"), QStringLiteral("Другие инструменты..."), {8, 374, 152, 24});

    auto *list = new QListWidget(sheet);
    list->setObjectName(n("lb1", "lbzip"));
    list->setGeometry(listLeft, 0, 440, clientHeight - tabHeight - statusHeight);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setUniformItemSizes(true);
    // Rows are as wide as the list, however long their path; a longer one gives up its middle, so the
    // file name at its end stays in sight. Eliding costs only the rows on screen, at painting time.
    list->setItemDelegate(new ListRowDelegate(list));
    list->setTextElideMode(Qt::ElideMiddle);
    // The style marks the focus on a list's current row only; an empty list shows it on its frame.
    list->setStyleSheet(QStringLiteral("QListWidget:focus { border: 1px solid palette(highlight); }"));
    QFont listFont = list->font();
    listFont.setPointSize(7);
    list->setFont(listFont);
    QPalette listPalette = list->palette();
    listPalette.setColor(QPalette::Text, QColor(0x70, 0x70, 0x70));
    list->setPalette(listPalette);

    auto *status = makeLabel(sheet, n("label2", "Label4"), {}, {0, clientHeight - tabHeight - statusHeight, clientWidth, statusHeight});
    status->setAlignment(Qt::AlignCenter);

    vx::Form1View &v = view_;
    if (!archives) {
        v.Button1 = choose; v.Button3 = remove; v.Button10 = clear; v.StaticText1 = countCaption; v.Edit1 = count;
        v.Button2 = create; v.SpeedButton2 = recreate; v.rg1 = orientation; v.infmemo = memo; v.Button7 = refresh;
        v.Image1 = uploadImage; v.UploadButton1 = upload; v.Image4 = help; v.Button12 = tools; v.lb1 = list;
        v.label2 = status;
        connect(choose, &QPushButton::clicked, this, &TForm1::Button1Click);
        connect(remove, &QPushButton::clicked, this, &TForm1::Button3Click);
        connect(clear, &QPushButton::clicked, this, &TForm1::Button10Click);
        connect(create, &QPushButton::clicked, this, &TForm1::Button2Click);
        connect(recreate, &QPushButton::clicked, this, &TForm1::SpeedButton2Click);
        connect(refresh, &QPushButton::clicked, this, &TForm1::Button7Click);
        connect(tools, &QPushButton::clicked, this, &TForm1::Button12Click);
        connect(upload, &QPushButton::clicked, this, &TForm1::UploadButton2Click);
        connect(count, &QLineEdit::textChanged, this, &TForm1::Edit1Change);
    } else {
        v.Button4 = choose; v.Button5 = remove; v.Button9 = clear; v.StaticText2 = countCaption; v.Edit2 = count;
        v.Button6 = create; v.SpeedButton3 = recreate; v.rg2 = orientation; v.zipinfmemo = memo; v.Button8 = refresh;
        v.Image2 = uploadImage; v.UploadButton2 = upload; v.Image3 = help; v.Button11 = tools; v.lbzip = list;
        v.Label4 = status;
        help->setPixmap(vx::pictures::helpIcon(24));
        connect(choose, &QPushButton::clicked, this, &TForm1::Button4Click);
        connect(remove, &QPushButton::clicked, this, &TForm1::Button5Click);
        connect(clear, &QPushButton::clicked, this, &TForm1::Button9Click);
        connect(create, &QPushButton::clicked, this, &TForm1::Button6Click);
        connect(recreate, &QPushButton::clicked, this, &TForm1::SpeedButton3Click);
        connect(refresh, &QPushButton::clicked, this, &TForm1::Button8Click);
        connect(tools, &QPushButton::clicked, this, &TForm1::Button11Click);
        connect(upload, &QPushButton::clicked, this, &TForm1::UploadButton2Click);
        connect(count, &QLineEdit::textChanged, this, &TForm1::Edit2Change);
        // Image4 shows the same picture as Image3.
        view_.Image4->setPixmap(help->pixmap());
    }
    setTabOrderOfPage(page);
}

void TForm1::setTabOrderOfPage(int page)
{
    // The controls were made in the order the layout groups them; the keyboard walks each page as the
    // eye reads it: the left column from the top, then the list on the right.
    const vx::Form1View &v = view_;
    const QList<QWidget *> order =
        page == 0 ? QList<QWidget *>{v.Button1, v.Button3, v.Button10, v.Edit1, v.Button2, v.SpeedButton2, v.rg1,
                                     v.infmemo, v.Button7, v.Button12, v.Image4, v.UploadButton1, v.lb1}
                  : QList<QWidget *>{v.Button4, v.Button5, v.Button9, v.Edit2, v.Button6, v.SpeedButton3, v.rg2,
                                     v.zipinfmemo, v.Button8, v.Button11, v.Image3, v.UploadButton2, v.lbzip};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TForm1::buildBusyPanel()
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(3);
    panel->setAutoFillBackground(true);
    panel->setGeometry(264, 128, 241, 91);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(3);
    auto *working = new QLabel(QStringLiteral("Работаем..."), panel);
    working->setObjectName(QStringLiteral("Label1"));
    QFont bold = working->font();
    bold.setBold(true);
    working->setFont(bold);
    working->setAlignment(Qt::AlignCenter);
    auto *detail = new QLabel(panel);
    detail->setObjectName(QStringLiteral("Label3"));
    detail->setAlignment(Qt::AlignCenter);
    auto *progress = new QProgressBar(panel);
    progress->setObjectName(QStringLiteral("pb1"));
    progress->setTextVisible(false);
    progress->setFixedHeight(12);
    auto *abort = new QPushButton(QStringLiteral("Прервать"), panel);
    abort->setObjectName(QStringLiteral("SpeedButton1"));
    abort->setFixedHeight(22);
    layout->addWidget(working);
    layout->addWidget(detail);
    layout->addWidget(progress);
    layout->addWidget(abort);
    panel->hide();
    connect(abort, &QPushButton::clicked, this, &TForm1::SpeedButton1Click);
    view_.Panel1 = panel;
    view_.Label1 = working;
    view_.Label3 = detail;
    view_.pb1 = progress;
    view_.SpeedButton1 = abort;
}

void TForm1::buildMenus()
{
    // The hidden main menu: its items work through their shortcuts only.
    controls1 = new QMenu(QStringLiteral("<controls>"), this);
    controls1->setObjectName(QStringLiteral("controls1"));
    SelecTall1 = controls1->addAction(QStringLiteral("SelectAll"));
    SelecTall1->setObjectName(QStringLiteral("SelecTall1"));
    SelecTall1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    About1 = controls1->addAction(QStringLiteral("About..."));
    About1->setObjectName(QStringLiteral("About1"));
    About1->setShortcut(QKeySequence(Qt::Key_F1));
    for (QAction *action : {SelecTall1, About1}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    connect(SelecTall1, &QAction::triggered, this, &TForm1::SelecTall1Click);
    connect(About1, &QAction::triggered, this, &TForm1::About1Click);

    view_.PopupMenu1 = new QMenu(this);
    view_.PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N2 = view_.PopupMenu1->addAction(QStringLiteral("Создать список сетов"));
    N2->setObjectName(QStringLiteral("N2"));
    N3 = view_.PopupMenu1->addAction(QStringLiteral("Найти \"битые\" фото"));
    N3->setObjectName(QStringLiteral("N3"));
    view_.PopupMenuZIP = new QMenu(this);
    view_.PopupMenuZIP->setObjectName(QStringLiteral("PopupMenuZIP"));
    N1 = view_.PopupMenuZIP->addAction(QStringLiteral("Создать список сетов"));
    N1->setObjectName(QStringLiteral("N1"));
    connect(N1, &QAction::triggered, this, &TForm1::N1Click);
    connect(N2, &QAction::triggered, this, &TForm1::N2Click);
    connect(N3, &QAction::triggered, this, &TForm1::N3Click);
}

bool TForm1::isWindowShortcut(const QKeyEvent *key) const
{
    const QKeySequence pressed(key->keyCombination());
    for (const QAction *action : actions())
        if (action->isEnabled() && action->shortcut() == pressed)
            return true;
    return false;
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != view_.Edit1 && watched != view_.Edit2)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::ShortcutOverride) {
        // The main menu's shortcuts win over the edit's own use of the same keys (Ctrl+A selects the
        // page's list, not the edit's two digits). Leaving the event unaccepted lets the shortcut run.
        // The other controls of the window claim none of these keys.
        if (isWindowShortcut(key)) {
            event->ignore();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    // The count edits take digits and backspace only; any other typed character is discarded. Keys
    // that move the focus or edit (Tab, Shift+Tab, Delete, arrows, Home, End) are no typed characters,
    // though X11 hands Tab and Delete over with a control character as their text.
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    const QString text = key->text();
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0);
    const bool allowed = c == QChar(8) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    return !allowed;
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, also in the middle of a long operation: the operation
    // stops at its next step as its abort button would make it, and says nothing more, since there is
    // no window left to say it over. The other windows never keep the program alive.
    view_.AbortRequested = true;
    desktop_.windowClosed();
    event->accept();
    for (QWidget *other : {static_cast<QWidget *>(helpform_), static_cast<QWidget *>(resultForm_), uploadForm_})
        if (other)
            other->close();
    QCoreApplication::quit();
}

void TForm1::countEditChanged(QLineEdit *edit, QPushButton *createButton)
{
    bool isNumber = false;
    const int value = edit->text().toInt(&isNumber);
    if (isNumber && value > 50)
        edit->setText(QStringLiteral("50")); // re-enters this handler with "50"
    const int now = edit->text().toInt(&isNumber);
    createButton->setEnabled(!edit->text().isEmpty() && isNumber && now != 0);
}

void TForm1::Edit1Change() { countEditChanged(view_.Edit1, view_.Button2); }
void TForm1::Edit2Change() { countEditChanged(view_.Edit2, view_.Button6); }

void TForm1::TabSet1Click() { Notebook1->setCurrentIndex(view_.TabSet1->currentIndex()); }

void TForm1::SelecTall1Click()
{
    QListWidget *list = Notebook1->currentIndex() == 0 ? view_.lb1 : view_.lbzip;
    list->selectAll();
}

void TForm1::About1Click()
{
    desktop_.showInformation(QStringLiteral("Информация"),
                             QStringLiteral("Vorlinex v0.1 by Kestrow для ") + vx::forum::displayName());
}

void TForm1::Image3Click()
{
    if (helpform_)
        helpform_->showCentred();
}

void TForm1::SpeedButton1Click() { view_.AbortRequested = true; }

void TForm1::popUpToolMenu(QPushButton *button, QMenu *menu)
{
    // The button's position is relative to its page, which sits at the window's client origin.
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    menu->popup(QPoint(button->x() + origin.x() + button->width() / 2, button->y() + origin.y() + 2 * button->height()));
}

void TForm1::Button12Click() { popUpToolMenu(view_.Button12, view_.PopupMenu1); }
void TForm1::Button11Click() { popUpToolMenu(view_.Button11, view_.PopupMenuZIP); }

void TForm1::UploadButton2Click()
{
    if (auto *dialog = qobject_cast<QDialog *>(uploadForm_))
        dialog->exec();
}

void TForm1::Button1Click() { run([this] { vx::folders::Button1Click(view_); }); }
void TForm1::Button4Click() { run([this] { vx::folders::Button4Click(view_); }); }
void TForm1::Button3Click() { run([this] { vx::folders::removeSelected(view_, vx::folders::Page::Photos); }); }
void TForm1::Button5Click() { run([this] { vx::folders::removeSelected(view_, vx::folders::Page::Archives); }); }
void TForm1::Button10Click() { run([this] { vx::folders::clearAll(view_, vx::folders::Page::Photos); }); }
void TForm1::Button9Click() { run([this] { vx::folders::clearAll(view_, vx::folders::Page::Archives); }); }
void TForm1::Button2Click() { run([this] { vx::folders::Button2Click(view_); }); }
void TForm1::SpeedButton2Click() { run([this] { vx::folders::SpeedButton2Click(view_); }); }
void TForm1::Button6Click() { run([this] { vx::archive::Button6Click(view_, ZipReader1); }); }
void TForm1::SpeedButton3Click() { run([this] { vx::archive::SpeedButton3Click(view_, ZipReader1); }); }
void TForm1::Button7Click() { run([this] { vx::reports::Button7Click(view_); }); }
void TForm1::Button8Click() { run([this] { vx::archive::Button8Click(view_, ZipReader1); }); }
void TForm1::N1Click()
{
    if (resultForm_)
        run([this] { vx::reports::N1Click(view_, *resultForm_); }, view_.Button11);
}

void TForm1::N2Click()
{
    if (resultForm_)
        run([this] { vx::reports::N2Click(view_, *resultForm_); }, view_.Button12);
}

void TForm1::N3Click() { run([this] { vx::reports::N3Click(view_); }, view_.Button12); }
