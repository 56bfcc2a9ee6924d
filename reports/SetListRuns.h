#pragma once
// "Создать список сетов" in the two pages' tool menus: the set names of lb1 (folders) or lbzip
// (archives), shown in the results window.

#include "platform/Form1View.h"
#include "reports/Results.h"

namespace vx::reports {

void N2Click(vx::Form1View &form, TResultForm &results); // folder set list from lb1
void N1Click(vx::Form1View &form, TResultForm &results); // archive set list from lbzip

} // namespace vx::reports
