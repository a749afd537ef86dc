// The timer events a fight runs at most unless told otherwise: one that runs longer ends without a
// result. The runner's fights and the league's share it, so a league fight is the runner's.
#pragma once

namespace mojara::sim {

inline constexpr long long kDefaultMaxEvents = 100000;

}  // namespace mojara::sim
