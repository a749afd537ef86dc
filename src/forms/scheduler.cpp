#include "forms/scheduler.h"

#include <algorithm>

#include "forms/controls.h"

namespace mojara::forms {

Scheduler::Scheduler(const Clock& clock, Nanos resolution) : clock_(clock), resolution_(resolution) {}

Nanos Scheduler::periodOf(const Timer& timer) const {
  return std::max<Nanos>(Nanos{timer.Interval()} * 1'000'000, resolution_);
}

void Scheduler::attach(Timer& timer) {
  timer.scheduler_ = this;
  if (timer.Enabled()) start(timer);
}

void Scheduler::detach(Timer& timer) {
  stop(timer);
  timer.scheduler_ = nullptr;
}

void Scheduler::start(Timer& timer) {
  stop(timer);
  // An interval of 0 keeps the timer silent while it is enabled.
  if (timer.Interval() <= 0) return;
  const Nanos period = periodOf(timer);
  insert({&timer, clock_.now() + period, period, enableCount_++});
}

void Scheduler::insert(const Entry& entry) {
  const auto at = std::find_if(running_.begin(), running_.end(), [&](const Entry& e) {
    return e.due > entry.due || (e.due == entry.due && e.order > entry.order);
  });
  running_.insert(at, entry);
}

void Scheduler::stop(Timer& timer) {
  std::erase_if(running_, [&](const Entry& e) { return e.timer == &timer; });
}

void Scheduler::stopAll() { running_.clear(); }

void Scheduler::putFirstInPlace() {
  const Entry first = running_.front();
  // After every timer due before it or with it.
  auto at = running_.begin() + 1;
  while (at != running_.end() && (at->due < first.due || (at->due == first.due && at->order < first.order))) ++at;
  std::move(running_.begin() + 1, at, running_.begin());
  *(at - 1) = first;
}

void Timer::setEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  if (!scheduler_) return;
  if (on)
    scheduler_->start(*this);
  else
    scheduler_->stop(*this);
}

void Timer::setInterval(std::int32_t ms) {
  if (ms == interval_) return;
  interval_ = ms;
  if (scheduler_ && enabled_) scheduler_->start(*this);
}

}  // namespace mojara::forms
