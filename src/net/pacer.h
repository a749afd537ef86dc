// When an online fight's next event is due on this machine's clock. The fight keeps its own
// clock: event times from its start, plus the slip that keeps pace with the other peer. A peer
// steadily ahead of the other slows down by half its lead; one that was held up (waiting for the
// other, a stall, a process stopped) goes on from where it stands at the fight's own pace: the
// events it missed are not run faster to catch the wall clock up, as GGPO does it.
#pragma once

#include <chrono>
#include <optional>

namespace mojara::net {

class Pacer {
 public:
  using Clock = std::chrono::steady_clock;

  // The fight's clock starts at `origin`.
  void start(Clock::time_point origin);
  // When the event at `at` of the fight's own time (ns from its start) is due.
  Clock::time_point due(long long at) const { return origin_ + slip_ + std::chrono::nanoseconds(at); }
  // The event at `at` runs `now`: when that is more than `period` (ns) late, the clock moves on
  // to it.
  void ran(Clock::time_point now, long long at, long long period);
  // Where the other is now, from where it said it was (`peerRan`, `sincePeerHeard` ago) and half
  // the round trip: a lead of more than an event is halved, by at most a few events at a time.
  void keepPace(long long ran, long long peerRan, Clock::duration sincePeerHeard, std::optional<double> rttMs,
                long long period);
  Clock::duration slip() const { return slip_; }

 private:
  Clock::time_point origin_{};
  Clock::duration slip_{};
};

}  // namespace mojara::net
