#pragma once
// "Найти \"битые\" фото" in the folder page's tool menu: tests every photo of lb1 with the scaled probe,
// selects the broken ones and offers to delete them from disk.

#include "platform/Form1View.h"

namespace vx::reports {

void N3Click(vx::Form1View &form);

} // namespace vx::reports
