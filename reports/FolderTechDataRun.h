#pragma once
// "Обновить" in the folder page's technical-data group: counts the photos of lb1 and their folders and
// measures the lowest and highest resolution into infmemo, with the busy panel and an abort.

#include "platform/Form1View.h"

namespace vx::reports {

// Throws vx::Error ("Cannot open file ...") when the first entry's file cannot be opened; infmemo is not
// touched then and the caller's failure guard makes the window idle.
void Button7Click(vx::Form1View &form);

} // namespace vx::reports
