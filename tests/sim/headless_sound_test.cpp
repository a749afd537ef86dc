#include "sim/headless_sound.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>

#include "fake_host.h"

namespace mojara::testing {
namespace {

// A 16-bit mono PCM wave file of the given number of frames at 22050 Hz, in a file of this test
// process's own (tests run side by side).
std::string writeWave(const std::string& name, std::uint32_t frames) {
  const auto path = std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-" + name);
  std::ofstream out(path, std::ios::binary);
  auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out << "RIFF";
  u32(36 + frames * 2);
  out << "WAVEfmt ";
  u32(16), u16(1), u16(1), u32(22050), u32(44100), u16(2), u16(16);
  out << "data";
  u32(frames * 2);
  out << std::string(frames * 2, '\0');
  return path.string();
}

struct SlotControls {
  forms::SoundSlot MMControl2{"MMControl2"};
  forms::SoundSlot MMControl3{"MMControl3"};
  std::vector<forms::Control*> list() { return {&MMControl2, &MMControl3}; }
};

struct SlotForm : forms::FormOf<SlotControls> {
  using FormOf::FormOf;
};

struct HostWithSound : FakeHost {
  explicit HostWithSound(const forms::Clock& clock) : sound(clock) {}
  sim::HeadlessSound sound;
  forms::SoundService* soundService() override { return &sound; }
};

struct HeadlessSoundTest : ::testing::Test {
  forms::VirtualClock clock;
  HostWithSound host{clock};
  forms::Desktop desktop{host, clock};
  SlotForm form{desktop, "Form2"};
  std::string hit = writeWave("mojara-test-hit.wav", 11025);  // half a second
  void SetUp() override { desktop.show(form); }
  void play(forms::SoundSlot& slot, const std::string& file) {
    slot.FileName = file;
    slot.Command("Open");
    slot.Command("Prev");
    slot.Command("Play");
  }
};

TEST_F(HeadlessSoundTest, ASlotPlaysForTheFilesOwnLength) {
  forms::SoundSlot& slot = form.ctl->MMControl3;
  EXPECT_EQ(slot.Mode(), 525);
  play(slot, hit);
  EXPECT_EQ(slot.Mode(), 526);
  clock.set(ms(499.9));
  EXPECT_EQ(slot.Mode(), 526);
  clock.set(ms(500));
  EXPECT_EQ(slot.Mode(), 525);
  play(slot, hit);  // a new play starts the sound again from the start
  clock.set(ms(999));
  EXPECT_EQ(slot.Mode(), 526);
  auto plays = host.sound.takePlays();
  ASSERT_EQ(plays.size(), 2u);
  EXPECT_EQ(plays[0].slot, "MMControl3");
  EXPECT_EQ(plays[0].file, std::to_string(getpid()) + "-mojara-test-hit.wav");
  EXPECT_TRUE(host.sound.takePlays().empty());
}

// However late on the clock a play starts, its end is never before its start.
TEST_F(HeadlessSoundTest, APlayLateOnTheClockLastsToTheClocksEnd) {
  clock.set(std::numeric_limits<forms::Nanos>::max() - ms(100));
  play(form.ctl->MMControl3, hit);
  EXPECT_EQ(form.ctl->MMControl3.Mode(), 526);
  clock.set(std::numeric_limits<forms::Nanos>::max() - 1);
  EXPECT_EQ(form.ctl->MMControl3.Mode(), 526);
}

TEST_F(HeadlessSoundTest, SlotsAreIndependentAndAMissingFilePlaysForNoTime) {
  play(form.ctl->MMControl3, hit);
  play(form.ctl->MMControl2, "/nonexistent/snd2.wav");
  EXPECT_EQ(form.ctl->MMControl2.Mode(), 525);
  EXPECT_EQ(form.ctl->MMControl3.Mode(), 526);
  EXPECT_EQ(host.sound.takePlays().size(), 2u);  // the play still happened, silently
}

TEST_F(HeadlessSoundTest, OnlyAnOpenedFilePlaysAndUnloadingClosesTheDevice) {
  form.ctl->MMControl3.FileName = hit;
  form.ctl->MMControl3.Command("Play");
  EXPECT_EQ(form.ctl->MMControl3.Mode(), 525);
  play(form.ctl->MMControl3, hit);
  desktop.unload(form);
  desktop.show(form);
  EXPECT_EQ(form.ctl->MMControl3.Mode(), 525);
}


// The slot asked after last is looked at first: unloading a window before it moves the others in
// the service's list, and every slot must still answer for itself.
TEST_F(HeadlessSoundTest, EachSlotAnswersForItselfAfterAnotherWindowsSlotsAreReleased) {
  SlotForm other{desktop, "Form3"};
  desktop.show(other);  // its slots come after this form's
  play(other.ctl->MMControl3, hit);
  EXPECT_EQ(other.ctl->MMControl3.Mode(), 526);  // remembered as the one asked last
  EXPECT_EQ(other.ctl->MMControl2.Mode(), 525);
  EXPECT_EQ(other.ctl->MMControl3.Mode(), 526);
  desktop.unload(form);  // this form's two slots go: the other's move up the list
  EXPECT_EQ(other.ctl->MMControl3.Mode(), 526);
  EXPECT_EQ(other.ctl->MMControl2.Mode(), 525);
  desktop.show(form);
  play(form.ctl->MMControl2, hit);
  clock.set(ms(250));
  play(other.ctl->MMControl2, hit);
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(form.ctl->MMControl2.Mode(), 526);
    EXPECT_EQ(form.ctl->MMControl3.Mode(), 525);
    EXPECT_EQ(other.ctl->MMControl2.Mode(), 526);
  }
  clock.set(ms(500));  // the first two plays end, the last goes on
  EXPECT_EQ(form.ctl->MMControl2.Mode(), 525);
  EXPECT_EQ(other.ctl->MMControl3.Mode(), 525);
  EXPECT_EQ(other.ctl->MMControl2.Mode(), 526);
  desktop.unload(other);
  EXPECT_EQ(other.ctl, nullptr);
  EXPECT_EQ(form.ctl->MMControl2.Mode(), 525);
}

// A clock other than the virtual one is read through its interface, with the same answers.
TEST(HeadlessSound, PlaysByAnyClock) {
  struct StepClock : forms::Clock {
    forms::Nanos t = 0;
    forms::Nanos now() const override { return t; }
  } clock;
  HostWithSound host{clock};
  forms::Desktop desktop{host, clock};
  SlotForm form{desktop, "Form2"};
  desktop.show(form);
  form.ctl->MMControl3.FileName = writeWave("mojara-test-clock.wav", 2205);  // a tenth of a second
  form.ctl->MMControl3.Command("Open");
  form.ctl->MMControl3.Command("Play");
  clock.t = ms(99);
  EXPECT_EQ(form.ctl->MMControl3.Mode(), 526);
  clock.t = ms(100);
  EXPECT_EQ(form.ctl->MMControl3.Mode(), 525);
}

}  // namespace
}  // namespace mojara::testing
