#include <gtest/gtest.h>

#include <memory>

#include "fake_host.h"
#include "forms/test_forms.h"

namespace mojara::testing {
namespace {

using forms::Nanos;

struct SchedulerTest : ::testing::Test {
  VirtualDesktop v;
  TimerForm form{v.desktop};
  std::vector<Nanos> times;
  void SetUp() override {
    v.desktop.show(form);
    form.onEach = [&](forms::Timer&) { times.push_back(v.clock.now()); };
  }
};

TEST_F(SchedulerTest, PeriodIsTheLargerOfIntervalAndResolution) {
  form.ctl->A.enable();  // 10 ms, below the 54.925 ms resolution
  v.runFor(ms(250));
  // C (100 ms) was enabled at design and fires on its own interval; A at the resolution.
  std::vector<std::string> expected = {"A", "C", "A", "A", "C", "A"};
  EXPECT_EQ(form.fired, expected);
  EXPECT_EQ(times.front(), 54'925'000);
  EXPECT_EQ(times[1], 100'000'000);
  EXPECT_EQ(times[5], 4 * 54'925'000);
}

TEST(Scheduler, ResolutionOfOneHonoursEveryIntervalLiterally) {
  VirtualDesktop v(1'000'000);
  TimerForm form(v.desktop);
  v.desktop.show(form);
  form.ctl->A.enable();
  EXPECT_EQ(v.runFor(ms(100)), 11);  // ten of A, one of C
}

TEST_F(SchedulerTest, TimersDueAtTheSameInstantFireInTheOrderTheyWereEnabled) {
  form.ctl->C.disable();
  form.ctl->B.enable();
  form.ctl->A.enable();
  v.runFor(ms(120));
  std::vector<std::string> expected = {"B", "A", "B", "A"};
  EXPECT_EQ(form.fired, expected);
}

TEST_F(SchedulerTest, ATimerEnabledInAHandlerCountsFromThatEvent) {
  form.ctl->C.disable();
  form.ctl->A.enable();
  form.onEach = [&](forms::Timer& t) {
    times.push_back(v.clock.now());
    if (t.Name == "A") {
      form.ctl->A.disable();
      form.ctl->B.enable();
    } else {
      form.ctl->B.disable();
      form.ctl->A.enable();
    }
  };
  v.runFor(ms(54.925 * 4));
  std::vector<std::string> expected = {"A", "B", "A", "B"};
  EXPECT_EQ(form.fired, expected);
  EXPECT_EQ(times[3], 4 * 54'925'000);
}

TEST_F(SchedulerTest, ChangingTheIntervalRestartsARunningTimer) {
  v.runFor(ms(90));
  form.ctl->C.setInterval(200);
  v.runFor(ms(150));
  EXPECT_TRUE(form.fired.empty());
  v.runFor(ms(50));
  EXPECT_EQ(form.fired.size(), 1u);
  EXPECT_EQ(times[0], ms(290));
}

TEST_F(SchedulerTest, ZeroIntervalAndDisabledTimersNeverFire) {
  form.ctl->C.setInterval(0);
  form.ctl->A.enable();
  form.ctl->A.disable();
  EXPECT_EQ(v.runFor(ms(1000)), 0);
  EXPECT_FALSE(v.desktop.nextDue().has_value());
}

TEST_F(SchedulerTest, UnloadStopsTimersAndTheNextLoadStartsFromDesignState) {
  form.ctl->A.enable();
  form.ctl->C.disable();
  v.desktop.unload(form);
  EXPECT_EQ(v.runFor(ms(1000)), 0);
  v.desktop.show(form);
  EXPECT_FALSE(form.ctl->A.Enabled());
  EXPECT_TRUE(form.ctl->C.Enabled());
  v.runFor(ms(100));
  std::vector<std::string> expected = {"C"};
  EXPECT_EQ(form.fired, expected);
}

}  // namespace
}  // namespace mojara::testing

namespace mojara::testing {
namespace {

struct ManualClock : forms::Clock {
  Nanos t = 0;
  Nanos now() const override { return t; }
};

// The firing order, worked out the long way: of the timers due, the earliest, and of those due
// together the one enabled first; it is then due a period later.
TEST(Scheduler, FiresInTheOrderOfDueTimeThenEnablingOverManyTurnsAndRestarts) {
  ManualClock clock;
  forms::Scheduler scheduler(clock, 1'000'000);
  std::vector<std::unique_ptr<forms::Timer>> timers;
  for (const int interval : {3, 5, 15, 5, 1})
    timers.push_back(std::make_unique<forms::Timer>("T" + std::to_string(timers.size()), interval, false));
  struct Expected {
    Nanos due;
    std::uint64_t order;
    bool running = false;
  };
  std::vector<Expected> model(timers.size());
  std::uint64_t enables = 0;
  auto enable = [&](std::size_t i) {
    timers[i]->enable();
    model[i] = {clock.t + Nanos{timers[i]->Interval()} * 1'000'000, enables++, true};
  };
  for (auto& timer : timers) scheduler.attach(*timer);
  for (std::size_t i : {2u, 0u, 3u, 1u}) enable(i);

  for (int turn = 0; turn < 400; ++turn) {
    // The model's next timer.
    std::size_t next = model.size();
    for (std::size_t i = 0; i < model.size(); ++i)
      if (model[i].running && (next == model.size() || model[i].due < model[next].due ||
                               (model[i].due == model[next].due && model[i].order < model[next].order)))
        next = i;
    ASSERT_LT(next, model.size());
    ASSERT_EQ(scheduler.nextDue(), model[next].due) << "turn " << turn;
    clock.t = model[next].due;
    ASSERT_EQ(scheduler.takeDue(clock.t), timers[next].get()) << "turn " << turn;
    model[next].due += Nanos{timers[next]->Interval()} * 1'000'000;
    // Now and then a timer stops, or starts again counting from now.
    if (turn % 37 == 5) {
      timers[turn % 5]->disable();
      model[turn % 5].running = false;
    }
    if (turn % 23 == 11 && !timers[turn % 5]->Enabled()) enable(turn % 5);
  }
}

}  // namespace
}  // namespace mojara::testing
