#include "platform/SpacedEventPump.h"

#include "platform/Clock.h"

namespace vx {

SpacedEventPump::SpacedEventPump(Desktop &desktop) : desktop_(desktop), spellStart_(clock::milliseconds()) {}

void SpacedEventPump::step()
{
    const std::int64_t now = clock::milliseconds();
    if (now - spellStart_ < kSpellMs)
        return;
    desktop_.processEvents();
    // The spell counts work only: time spent in the events (a dialog, a repaint) is not the loop's.
    spellStart_ = clock::milliseconds();
}

} // namespace vx
