#include "folders/FolderPageRuns.h"

#include "folders/FolderWalk.h"
#include "platform/ListItems.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace vx::folders {
namespace {

const QString chooseCaption = QStringLiteral("Выбрать папку...");

// The scan button's caption carries the list's length. It is rebuilt only when the length changed:
// setting an equal text is what the button would do anyway, at the cost of building the string.
class LiveCount {
public:
    LiveCount(QPushButton *button, const char *unit) : button_(button), unit_(QString::fromUtf8(unit)) {}
    void show(qsizetype count)
    {
        if (count == shown_)
            return;
        shown_ = count;
        button_->setText(QStringLiteral("Найдено ") + QString::number(count) + unit_);
    }

private:
    QPushButton *button_;
    QString unit_;
    qsizetype shown_ = -1;
};

WalkHooks abortableHooks(Form1View &form)
{
    WalkHooks hooks;
    hooks.beforeEntry = [&form] {
        form.desktop->processEvents();
        if (!form.AbortRequested)
            return true;
        form.Panel1->hide();
        form.EnableControls();
        return false;
    };
    return hooks;
}

QListWidget *listOf(Form1View &form, Page page) { return page == Page::Photos ? form.lb1 : form.lbzip; }

void showCount(Form1View &form, Page page)
{
    if (page == Page::Photos)
        form.label2->setText(QStringLiteral("Файлов: ") + QString::number(form.lb1->count()));
    else
        form.Label4->setText(QStringLiteral("Архивов: ") + QString::number(form.lbzip->count()));
}

// Steps shared by both scans once a folder was chosen: busy state, walk, one assignment of the result.
template <typename Walk>
void scan(Form1View &form, Page page, QPushButton *button, const QString &detail, Walk walk)
{
    QListWidget *list = listOf(form, page);
    list->clear();
    form.AbortRequested = false;
    form.placePanelOverList();
    form.pb1->setValue(0);
    form.pb1->hide();
    form.Label3->setText(detail);
    if (page == Page::Photos)
        form.label2->clear();
    form.DisableControls();
    form.Panel1->show();

    std::vector<ListEntry> found;
    walk(form, nativePath(form.fd1.path), QString(), found);
    setListEntries(*list, found);

    showCount(form, page);
    form.EnableControls();
    button->setText(chooseCaption);
    form.pb1->show();
    form.Panel1->hide();
}

} // namespace

void FindPhotos(Form1View &form, const std::filesystem::path &folder, const QString &mask,
                std::vector<ListEntry> &target)
{
    LiveCount live(form.Button1, " файл(ов)");
    WalkHooks hooks = abortableHooks(form);
    // The caption is shown by the next pump: it is changed only when that pump is due.
    hooks.afterEntry = [&live, &form](std::size_t listed) {
        if (form.desktop->pumpDue())
            live.show(qsizetype(listed));
    };
    walkFolder(folder, mask, photoEndings(), target, hooks);
}

void FindArchives(Form1View &form, const std::filesystem::path &folder, const QString &,
                  std::vector<ListEntry> &target)
{
    static const QStringList archiveEndings{QStringLiteral(".zip")};
    LiveCount live(form.Button4, " архив(ов)");
    const std::size_t before = target.size();
    WalkHooks hooks = abortableHooks(form);
    // The count shows from the first archive found on, changed only when the next pump is due.
    hooks.afterEntry = [&live, before, &form](std::size_t listed) {
        if (listed != before && form.desktop->pumpDue())
            live.show(qsizetype(listed));
    };
    // Archives are always looked for with "*.*", whatever the caller passes.
    walkFolder(folder, QStringLiteral("*.*"), archiveEndings, target, hooks);
}

void Button1Click(Form1View &form)
{
    if (form.execute(form.fd1))
        scan(form, Page::Photos, form.Button1, QStringLiteral("Поиск файлов..."), FindPhotos);
    // Technical data no longer fits the list, also after a cancel.
    form.infmemo->clear();
    if (form.lb1->count() > 0)
        form.Button7->show();
}

void Button4Click(Form1View &form)
{
    if (!form.execute(form.fd1))
        return;
    scan(form, Page::Archives, form.Button4, QStringLiteral("Поиск архивов..."), FindArchives);
    if (form.lbzip->count() > 0)
        form.Button8->show();
    form.zipinfmemo->clear();
}

void removeSelected(Form1View &form, Page page)
{
    QListWidget *list = listOf(form, page);
    if (list->count() == 0)
        return;
    for (int i = list->count() - 1; i >= 0; --i)
        if (list->item(i)->isSelected())
            delete list->takeItem(i);
    showCount(form, page);
    if (list->count() == 0)
        (page == Page::Photos ? form.Button2 : form.Button6)->setEnabled(false);
    (page == Page::Photos ? form.infmemo : form.zipinfmemo)->clear();
    (page == Page::Photos ? form.Button7 : form.Button8)->show();
}

void clearAll(Form1View &form, Page page)
{
    listOf(form, page)->clear();
    (page == Page::Photos ? form.infmemo : form.zipinfmemo)->clear();
    (page == Page::Photos ? form.label2 : form.Label4)->clear();
}

} // namespace vx::folders
