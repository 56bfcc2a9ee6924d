#pragma once
// The program's windows, created in start-up order and alive until the program ends.

#include "app/Help.h"
#include "app/Unit1.h"
#include "platform/QtDesktop.h"
#include "reports/Results.h"
#include "upload/Upload.h"

namespace vx {

struct Windows {
    explicit Windows(Desktop &desktop);

    TForm1 Form1;
    Thelpform helpform;
    TUploadForm UploadForm;
    reports::TResultForm ResultForm;
};

} // namespace vx
