#pragma once
// Window events during a loop of many short steps (the redraws of the example runs): pumped once a
// spell of work has passed, not after every step. A pump per candidate would cost more than the probe
// it follows; none at all leaves a window that answers nothing for seconds, which Windows marks "not
// responding" and the user kills, with Прервать and the closing of the window lost meanwhile.

#include "platform/Desktop.h"

#include <cstdint>

namespace vx {

class SpacedEventPump {
public:
    static constexpr int kSpellMs = 50;

    // The first spell starts now.
    explicit SpacedEventPump(Desktop &desktop);
    // Lets pending window events run when kSpellMs have passed since the spell began, and begins a new one.
    void step();

private:
    Desktop &desktop_;
    std::int64_t spellStart_;
};

} // namespace vx
