#pragma once
// The list runs of both pages: the scans that fill lb1 and lbzip, removal of selected entries and
// clear-all. They work on the main window through its view and follow its busy contract.

#include "platform/Form1View.h"
#include "platform/NativePath.h"

#include <vector>

namespace vx::folders {

enum class Page { Photos, Archives };

// The walks with the live count on the scan button and the abort test per entry.
void FindPhotos(Form1View &form, const std::filesystem::path &folder, const QString &mask,
                std::vector<ListEntry> &target);
void FindArchives(Form1View &form, const std::filesystem::path &folder, const QString &mask,
                  std::vector<ListEntry> &target);

void Button1Click(Form1View &form); // choose a release folder and scan it for photos
void Button4Click(Form1View &form); // choose a folder and scan it for archives
void removeSelected(Form1View &form, Page page); // Button3 / Button5
void clearAll(Form1View &form, Page page);       // Button10 / Button9

} // namespace vx::folders
