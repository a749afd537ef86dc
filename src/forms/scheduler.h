// Due times of the window timers. A timer with interval I fires every max(I, R) nanoseconds of
// the clock, R being the platform's timer resolution; timers that fall due at the same instant
// fire in the order they were enabled. The same rules serve virtual and real time.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace mojara::forms {

class Timer;
using Nanos = std::int64_t;

// The 18.2 Hz tick of the PC system timer that the game's counts were tuned on.
inline constexpr Nanos kDefaultTimerResolution = 54'925'000;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Nanos now() const = 0;
};

class Scheduler {
 public:
  Scheduler(const Clock& clock, Nanos resolution);

  Nanos periodOf(const Timer& timer) const;

  void attach(Timer& timer);  // starts it if it is enabled
  void detach(Timer& timer);  // stops it; it no longer talks to this scheduler

  std::optional<Nanos> nextDue() const {
    if (running_.empty()) return std::nullopt;
    return running_.front().due;
  }
  // The timer to fire next if it is due at `now`, with its next due time already set.
  Timer* takeDue(Nanos now) {
    if (running_.empty() || running_.front().due > now) return nullptr;
    Entry& first = running_.front();
    // A timer that fell behind (the program was busy) fires once and then keeps its period from
    // now, as window timers do; on a virtual clock it is never behind.
    first.due += first.period;
    if (first.due <= now) first.due = now + first.period;
    Timer* timer = first.timer;
    // Mostly one timer runs at a time, and it stays first.
    if (running_.size() > 1) putFirstInPlace();
    return timer;
  }
  void stopAll();

 private:
  friend class Timer;
  void start(Timer& timer);
  void stop(Timer& timer);

  struct Entry {
    Timer* timer;
    Nanos due;
    Nanos period;  // periodOf(*timer): a running timer's interval changes only by a restart
    std::uint64_t order;
  };
  void insert(const Entry& entry);
  void putFirstInPlace();  // moves the first entry, due again, back to its place among the others
  const Clock& clock_;
  Nanos resolution_;
  std::uint64_t enableCount_ = 0;
  // The running timers in firing order: by due time, then by the order they were enabled in.
  std::vector<Entry> running_;
};

}  // namespace mojara::forms
