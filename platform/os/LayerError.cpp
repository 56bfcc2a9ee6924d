#include "platform/os/File.h"

#include <string>

namespace vx::os {
namespace {

class LayerCategory final : public std::error_category {
public:
    const char *name() const noexcept override { return "vx-os"; }
    std::string message(int code) const override
    {
        switch (LayerError(code)) {
        case LayerError::NotRegularFile:
            return "Not a regular file";
        case LayerError::NameWindowsRefuses:
            return "Windows does not allow this file name (a device name such as CON or NUL, one of < > : \" | ? *, "
                   "a control character, or a dot or space at the end)";
        }
        return "Unknown error";
    }
};

} // namespace

const std::error_category &layerCategory()
{
    static const LayerCategory category;
    return category;
}

std::error_code make_error_code(LayerError e) { return {int(e), layerCategory()}; }

} // namespace vx::os
