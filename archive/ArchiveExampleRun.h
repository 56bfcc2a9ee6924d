#pragma once
// Examples from an archive release: one random JPEG entry from each of the first N archives of lbzip
// (optionally only portrait or only landscape ones), unpacked straight from its archive into the output
// folder chosen through fd2, under its own file name and replacing a file of that name. Re-create
// deletes the last run's examples and draws again into the same folder.

#include "archive/ZipReader.h"
#include "platform/Form1View.h"

namespace vx::archive {

void Button6Click(vx::Form1View &form, vx::zip::ZipReader &reader);      // "Создать примеры" on the archive page
void SpeedButton3Click(vx::Form1View &form, vx::zip::ZipReader &reader); // re-create

} // namespace vx::archive
