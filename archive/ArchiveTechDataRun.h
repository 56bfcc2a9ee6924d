#pragma once
// "Обновить" in the archive page's technical-data group: counts the archives of lbzip and their JPEG
// entries from the directories alone and estimates the resolution range from two entries per archive,
// into zipinfmemo, with the busy panel and an abort.

#include "archive/ZipReader.h"
#include "platform/Form1View.h"

namespace vx::archive {

// An archive that cannot be opened or listed ends the run with the reader's error (vx::Error); the
// caller's failure guard shows it and makes the window idle, zipinfmemo keeps its old text and Button8
// stays hidden.
void Button8Click(vx::Form1View &form, vx::zip::ZipReader &reader);

} // namespace vx::archive
