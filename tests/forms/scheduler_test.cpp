#include <gtest/gtest.h>

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
