#pragma once
// Examples from a folder release: draw the requested number of photos of lb1 at random (optionally
// only portrait or only landscape ones) and copy each into the output folder under its own file name,
// never overwriting. Re-create deletes the last run's examples and draws again into the same folder.

#include "platform/Form1View.h"

namespace vx::folders {

void Button2Click(Form1View &form);      // "Создать примеры" on the folder page
void SpeedButton2Click(Form1View &form); // re-create

} // namespace vx::folders
