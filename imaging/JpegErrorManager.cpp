#include "imaging/JpegErrorManager.h"

namespace vx::jpeg {
namespace {

[[noreturn]] void errorExit(j_common_ptr cinfo)
{
    auto *manager = reinterpret_cast<ErrorManager *>(cinfo->err);
    manager->messageCode = cinfo->err->msg_code;
    std::longjmp(manager->landing, 1);
}

void dropMessage(j_common_ptr, int) {}

void dropOutput(j_common_ptr) {}

} // namespace

jpeg_error_mgr *ErrorManager::install()
{
    jpeg_std_error(&base);
    base.error_exit = errorExit;
    base.emit_message = dropMessage;
    base.output_message = dropOutput;
    return &base;
}

} // namespace vx::jpeg
