#pragma once
// Marks an archive-page run as active for as long as it lives, however the run is left (a failure that
// its guard shows included). Edit2 stays usable during the runs and enables Button6 again; a second run
// started that way would share the reader, CreatedExamples and the busy panel with the first one, so
// both runs refuse to start while the mark is set.

#include "platform/Form1View.h"

namespace vx::archive {

class ArchiveRunGuard {
public:
    explicit ArchiveRunGuard(vx::Form1View &form) : form_(form) { form_.ArchiveRunActive = true; }
    ~ArchiveRunGuard() { form_.ArchiveRunActive = false; }
    ArchiveRunGuard(const ArchiveRunGuard &) = delete;
    ArchiveRunGuard &operator=(const ArchiveRunGuard &) = delete;

private:
    vx::Form1View &form_;
};

} // namespace vx::archive
