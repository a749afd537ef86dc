// The controllers on SDL's virtual joysticks: no hardware, no display, and virtual time, so
// nothing here sleeps.
#include "pads/game_controllers.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "audio/sdl_sound.h"
#include "fake_host.h"
#include "game/game.h"
#include "play/input/keyboard_navigation.h"

namespace mojara::pads {
namespace {

constexpr forms::Nanos kMs = 1'000'000;

}  // namespace

void PrintTo(const PadPress& p, std::ostream* out) {
  *out << "{player " << p.player << ", " << padButtonName(p.button) << (p.repeat ? ", repeat}" : "}");
}

namespace {

// A controller plugged into SDL for as long as it lives, or until pulled out.
class VirtualPad {
 public:
  VirtualPad() {
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                SDL_CONTROLLER_BUTTON_MAX, 0);
    EXPECT_GE(index, 0) << SDL_GetError();
    EXPECT_TRUE(SDL_IsGameController(index)) << "the virtual joystick has no controller mapping";
    id_ = SDL_JoystickGetDeviceInstanceID(index);
    joystick_ = SDL_JoystickOpen(index);
  }
  ~VirtualPad() { pullOut(); }
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

  void button(PadButton b, bool down) { SDL_JoystickSetVirtualButton(joystick_, static_cast<int>(b), down); }
  void axis(SDL_GameControllerAxis a, int value) { SDL_JoystickSetVirtualAxis(joystick_, a, static_cast<Sint16>(value)); }
  void pullOut() {
    if (!joystick_) return;
    for (int index = 0; index < SDL_NumJoysticks(); ++index)
      if (SDL_JoystickGetDeviceInstanceID(index) == id_) SDL_JoystickDetachVirtual(index);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
  }

 private:
  SDL_JoystickID id_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

class GameControllersTest : public ::testing::Test {
 protected:
  std::vector<PadPress> poll(forms::Nanos at) {
    std::vector<PadPress> presses;
    pads.poll(at, [&](const PadPress& p) { presses.push_back(p); });
    // SDL reads its controllers in no set order: each controller's presses keep theirs.
    std::stable_sort(presses.begin(), presses.end(),
                     [](const PadPress& a, const PadPress& b) { return a.player < b.player; });
    return presses;
  }
  std::vector<int> players() const {
    std::vector<int> result;
    for (const auto& [player, name] : pads.connected()) result.push_back(player);
    return result;
  }

  std::vector<std::string> warnings;
  GameControllers pads{[this](const std::string& w) { warnings.push_back(w); }};
};

using Presses = std::vector<PadPress>;

TEST_F(GameControllersTest, ButtonsAndTheDpadPressForTheirControllersPlayer) {
  ASSERT_TRUE(pads.available());
  EXPECT_TRUE(warnings.empty());
  VirtualPad first, second;
  EXPECT_EQ(poll(0), Presses{});
  ASSERT_EQ(pads.connected().size(), 2u);
  EXPECT_EQ(pads.connected()[0].first, 0);
  EXPECT_FALSE(pads.connected()[0].second.empty());
  EXPECT_EQ(pads.connected()[1].first, 1);

  first.button(PadButton::A, true);
  second.button(PadButton::Start, true);
  second.button(PadButton::DpadUp, true);
  EXPECT_EQ(poll(1 * kMs), (Presses{{0, PadButton::A, false}, {1, PadButton::Start, false},
                                    {1, PadButton::DpadUp, false}}));
  first.button(PadButton::A, false);
  first.button(PadButton::DpadRight, true);
  second.button(PadButton::LeftShoulder, true);
  EXPECT_EQ(poll(2 * kMs), (Presses{{0, PadButton::DpadRight, false}, {1, PadButton::LeftShoulder, false}}));
}

TEST_F(GameControllersTest, TheLeftStickPressesTheDpadPastHalfItsRange) {
  VirtualPad pad;
  poll(0);
  pad.axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
  EXPECT_EQ(poll(1 * kMs), (Presses{{0, PadButton::DpadLeft, false}}));
  pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
  EXPECT_EQ(poll(2 * kMs), (Presses{{0, PadButton::DpadRight, false}}));
  pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
  pad.axis(SDL_CONTROLLER_AXIS_LEFTY, -20000);
  EXPECT_EQ(poll(3 * kMs), (Presses{{0, PadButton::DpadUp, false}}));
  pad.axis(SDL_CONTROLLER_AXIS_LEFTY, 20000);
  EXPECT_EQ(poll(4 * kMs), (Presses{{0, PadButton::DpadDown, false}}));
  pad.axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
  poll(5 * kMs);
  // A small lean, and the other stick and the triggers, press nothing.
  pad.axis(SDL_CONTROLLER_AXIS_LEFTX, -12000);
  pad.axis(SDL_CONTROLLER_AXIS_RIGHTX, -32768);
  pad.axis(SDL_CONTROLLER_AXIS_RIGHTY, 32767);
  pad.axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
  EXPECT_EQ(poll(6 * kMs), Presses{});
}

TEST_F(GameControllersTest, AStickRestingNearTheEdgeDoesNotPressAgainAndAgain) {
  VirtualPad pad;
  poll(0);
  pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 17000);
  EXPECT_EQ(poll(1 * kMs), (Presses{{0, PadButton::DpadRight, false}}));
  for (const int wobble : {15000, 17500, 13000, 16500, 12500}) {
    pad.axis(SDL_CONTROLLER_AXIS_LEFTX, wobble);
    EXPECT_EQ(poll(2 * kMs), Presses{}) << wobble;
  }
  // Still held: it repeats.
  EXPECT_EQ(poll(301 * kMs), (Presses{{0, PadButton::DpadRight, true}}));
  // Let go under three eighths, it needs past half again to press.
  pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 11000);
  EXPECT_EQ(poll(302 * kMs), Presses{});
  pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 15000);
  EXPECT_EQ(poll(303 * kMs), Presses{});
  EXPECT_EQ(poll(2000 * kMs), Presses{});
  pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 17000);
  EXPECT_EQ(poll(2001 * kMs), (Presses{{0, PadButton::DpadRight, false}}));
}

TEST_F(GameControllersTest, AHeldButtonRepeatsAfter300MsThenEvery33MsUntilLetGo) {
  VirtualPad pad;
  poll(0);
  pad.button(PadButton::X, true);
  const forms::Nanos t = 10 * kMs;
  EXPECT_EQ(poll(t), (Presses{{0, PadButton::X, false}}));
  const PadPress again{0, PadButton::X, true};
  EXPECT_EQ(poll(t + 299 * kMs), Presses{});
  EXPECT_EQ(poll(t + 300 * kMs), Presses{again});
  EXPECT_EQ(poll(t + 332 * kMs), Presses{});
  EXPECT_EQ(poll(t + 333 * kMs), Presses{again});
  EXPECT_EQ(poll(t + 366 * kMs), Presses{again});
  // Polled every 16 ms, the repeats keep their 33 ms beat.
  int repeats = 0;
  for (forms::Nanos at = t + 382 * kMs; at <= t + 702 * kMs; at += 16 * kMs) repeats += poll(at).size();
  EXPECT_EQ(repeats, 10);
  // A slow frame brings one repeat, not a burst.
  EXPECT_EQ(poll(t + 2000 * kMs), Presses{again});
  pad.button(PadButton::X, false);
  EXPECT_EQ(poll(t + 2001 * kMs), Presses{});
  EXPECT_EQ(poll(t + 5000 * kMs), Presses{});
}

TEST_F(GameControllersTest, TheStickAndTheDpadHoldingOneDirectionPressItOnce) {
  VirtualPad pad;
  poll(0);
  pad.axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
  EXPECT_EQ(poll(0), (Presses{{0, PadButton::DpadLeft, false}}));
  pad.button(PadButton::DpadLeft, true);
  EXPECT_EQ(poll(100 * kMs), Presses{});
  pad.axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
  EXPECT_EQ(poll(200 * kMs), Presses{});
  // The d-pad still holds it: the repeats go on until it lets go too.
  EXPECT_EQ(poll(300 * kMs), (Presses{{0, PadButton::DpadLeft, true}}));
  pad.button(PadButton::DpadLeft, false);
  EXPECT_EQ(poll(400 * kMs), Presses{});
}

TEST_F(GameControllersTest, ControllersPluggedInAndPulledOutMidRunKeepTheOthersPlayers) {
  poll(0);
  EXPECT_TRUE(pads.connected().empty());
  VirtualPad first;
  poll(1 * kMs);
  EXPECT_EQ(players(), std::vector<int>{0});
  VirtualPad second;
  poll(2 * kMs);
  EXPECT_EQ(players(), (std::vector<int>{0, 1}));

  first.button(PadButton::DpadRight, true);  // held as it is pulled out
  second.button(PadButton::B, true);
  EXPECT_EQ(poll(3 * kMs), (Presses{{0, PadButton::DpadRight, false}, {1, PadButton::B, false}}));
  first.pullOut();
  EXPECT_EQ(poll(4 * kMs), Presses{});
  EXPECT_EQ(players(), std::vector<int>{1});
  // The first's held button stops repeating; the second's goes on.
  EXPECT_EQ(poll(303 * kMs), (Presses{{1, PadButton::B, true}}));
  second.button(PadButton::B, false);

  VirtualPad third;
  poll(400 * kMs);
  EXPECT_EQ(players(), (std::vector<int>{0, 1}));
  third.button(PadButton::Y, true);
  second.button(PadButton::A, true);
  EXPECT_EQ(poll(401 * kMs), (Presses{{0, PadButton::Y, false}, {1, PadButton::A, false}}));
}

TEST_F(GameControllersTest, AThirdControllerWaitsForAFreePlayer) {
  VirtualPad first, second, third;
  poll(0);
  EXPECT_EQ(players(), (std::vector<int>{0, 1}));
  third.button(PadButton::A, true);
  EXPECT_EQ(poll(1 * kMs), Presses{});
  third.button(PadButton::A, false);
  poll(2 * kMs);

  second.pullOut();
  poll(3 * kMs);
  EXPECT_EQ(players(), (std::vector<int>{0, 1}));
  third.button(PadButton::Back, true);
  first.button(PadButton::Back, true);
  EXPECT_EQ(poll(4 * kMs), (Presses{{0, PadButton::Back, false}, {1, PadButton::Back, false}}));
}

TEST_F(GameControllersTest, SoundComingAndGoingLeavesTheControllersWorking) {
  VirtualPad pad;
  poll(0);
  {
    audio::SdlSound sound(MOJARA_BIN_DIR, "/usr/share/sounds/sf2/TimGM6mb.sf2");
    EXPECT_TRUE(sound.available());
    pad.button(PadButton::A, true);
    EXPECT_EQ(poll(1 * kMs), (Presses{{0, PadButton::A, false}}));
  }
  pad.button(PadButton::B, true);
  EXPECT_EQ(poll(2 * kMs), (Presses{{0, PadButton::B, false}}));
  EXPECT_EQ(players(), std::vector<int>{0});
}

TEST(GameControllersWithoutSdl, WarnOnceAndPressNothing) {
  std::vector<std::string> warnings;
  GameControllers pads([&](const std::string& w) { warnings.push_back(w); },
                       [] {
                         SDL_SetError("no joystick driver");
                         return false;
                       });
  EXPECT_FALSE(pads.available());
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("no joystick driver"), std::string::npos) << warnings[0];
  int presses = 0;
  for (forms::Nanos at = 0; at < 1'000'000'000; at += 16'000'000) pads.poll(at, [&](const PadPress&) { ++presses; });
  EXPECT_EQ(presses, 0);
  EXPECT_TRUE(pads.connected().empty());
  EXPECT_EQ(warnings.size(), 1u);
}

// A controller alone, from the title to the first fight, as a player without a keyboard plays:
// A starts a game, the d-pad moves the pointer over the portraits, A picks; in the fight the
// buttons are the fight's again.
TEST_F(GameControllersTest, AControllerAloneTakesThePlayerFromTheTitleIntoTheFirstFight) {
  testing::VirtualDesktop v;
  Game game(v.desktop);
  KeyboardNavigation navigation(game);
  VirtualPad pad;
  forms::Nanos at = 0;
  poll(at);
  const auto tap = [&](PadButton button) {
    bool taken = false;
    pad.button(button, true);
    for (const PadPress& press : poll(at += kMs))
      taken = navigation.padPressed(*v.desktop.foreground(), press.button, press.repeat) || taken;
    pad.button(button, false);
    poll(at += kMs);
    v.runFor(testing::ms(100));
    return taken;
  };
  game.start();
  v.runFor(testing::ms(100));
  EXPECT_TRUE(tap(PadButton::A));
  ASSERT_TRUE(game.form(Window::Select).shown());
  for (PadButton button : {PadButton::DpadRight, PadButton::DpadRight, PadButton::DpadRight, PadButton::DpadLeft})
    EXPECT_TRUE(tap(button));
  EXPECT_EQ(navigation.pointer(), 1);
  EXPECT_TRUE(tap(PadButton::A));
  ASSERT_TRUE(game.form(Window::Battle).shown()) << "no fight started";
  EXPECT_EQ(game.M.CHARA[0], 1);
  EXPECT_FALSE(tap(PadButton::A)) << "in the fight A is the kick again";
}

}  // namespace
}  // namespace mojara::pads
