#include "reports/SetListRuns.h"

#include "reports/ArchiveSetList.h"
#include "reports/FolderSetList.h"
#include "reports/ListWidgetTexts.h"

#include <QListWidget>

namespace vx::reports {

void N2Click(vx::Form1View &form, TResultForm &results)
{
    if (form.lb1->count() == 0)
        return;
    results.showList(FolderSetList(ListWidgetTexts(*form.lb1)));
}

void N1Click(vx::Form1View &form, TResultForm &results)
{
    if (form.lbzip->count() == 0)
        return;
    results.showList(ArchiveSetList(ListWidgetTexts(*form.lbzip)));
}

} // namespace vx::reports
