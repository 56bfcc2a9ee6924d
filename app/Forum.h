#pragma once
// The forum the program serves: its display name in captions and the two pages the about labels open.

#include <QString>

namespace vx::forum {

inline QString displayName() { return QStringLiteral("Setboard"); }
inline QString homePage() { return QStringLiteral("https://setboard.example/"); }
inline QString authorProfile() { return QStringLiteral("https://setboard.example/profile/kestrow"); }

} // namespace vx::forum
