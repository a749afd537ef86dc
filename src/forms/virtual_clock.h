// Virtual time for headless runs and tests: the clock jumps from event to event.
#pragma once

#include <algorithm>

#include "forms/desktop.h"
#include "forms/scheduler.h"

namespace mojara::forms {

class VirtualClock final : public Clock {
 public:
  Nanos now() const override { return now_; }
  void set(Nanos t) { now_ = t; }

  // Fires every timer falling due up to `until` in order, moving the clock to each due time, and
  // leaves the clock at `until`, or where the program ended. Returns the number of timer events
  // fired.
  long runUntil(Desktop& desktop, Nanos until) {
    long fired = 0;
    while (auto due = desktop.nextDue()) {
      if (*due > until) break;
      now_ = std::max(now_, *due);
      while (desktop.fireNextDueTimer()) ++fired;
    }
    if (until > now_ && !desktop.ended()) now_ = until;
    return fired;
  }

 private:
  Nanos now_ = 0;
};

}  // namespace mojara::forms
