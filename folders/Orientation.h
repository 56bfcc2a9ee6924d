#pragma once
// The orientation filter of both example runs, by the index of the page's radio group.

namespace vx {

enum class Orientation { Portrait = 0, Landscape = 1, Both = 2 };

// The first candidate of a step passes unless it is of the other orientation, so a square one is taken.
inline bool firstCandidateFits(Orientation wanted, int width, int height)
{
    return wanted == Orientation::Portrait ? !(width > height) : !(width < height);
}

// A redrawn candidate must be strictly of the wanted orientation.
inline bool strictlyFits(Orientation wanted, int width, int height)
{
    return wanted == Orientation::Portrait ? width < height : width > height;
}

} // namespace vx
