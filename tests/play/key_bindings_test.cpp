// The players' keys: a bound key reaches the battle as its own key for the same command, for the
// player it belongs to; rebinding swaps, refuses the front end's keys and never binds a key twice.
#include "play/input/key_bindings.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <stdexcept>

#include "forms/types.h"
#include "play/input/key_names.h"

namespace mojara {
namespace {

namespace vk = forms::vk;

TEST(KeyBindings, TheDefaultsGiveTheBattleItsOwnKeysAndPlayerTwoKeysOfItsOwn) {
  const KeyBindings b = KeyBindings::defaults();
  EXPECT_EQ(b.problem(), std::nullopt);
  for (const BindableCommand& c : kBindableCommands)
    EXPECT_EQ(b.gameKey(keyOf(c.command)), (GameKey{0, keyOf(c.command)}));
  // Keys the battle has no command for pass as they are: P waits, the down arrow does nothing.
  EXPECT_EQ(b.gameKey('P'), (GameKey{0, 'P'}));
  EXPECT_EQ(b.gameKey(vk::Down), (GameKey{0, vk::Down}));
  EXPECT_EQ(b.gameKey('J'), (GameKey{1, vk::Left}));
  EXPECT_EQ(b.gameKey(vk::Return), (GameKey{1, vk::Space}));
  // Against the computer player 2's keys are plain keys: Enter does not pause.
  EXPECT_EQ(b.gameKey(vk::Return, false), (GameKey{0, vk::Return}));
  EXPECT_EQ(b.gameKey(vk::Left, false), (GameKey{0, vk::Left}));
  EXPECT_EQ(b.commandOfButton(1, PadButton::Start), command::Pause);
  EXPECT_EQ(b.commandOfButton(0, PadButton::DpadUp), command::FlyingKick);
  EXPECT_EQ(b.commandOfButton(0, PadButton::Guide), std::nullopt);
}

TEST(KeyBindings, EveryBindingReachesTheBattleAsItsOwnCommandForItsPlayer) {
  KeyBindings b = KeyBindings::defaults();
  b.bindKey(0, command::Punch, 'G');
  b.bindKey(1, command::Pause, vk::Down);
  for (int player = 0; player < kPlayers; ++player)
    for (const BindableCommand& c : kBindableCommands) {
      const GameKey key = b.gameKey(b.key(player, c.command));
      EXPECT_EQ(key.player, player) << c.settingName;
      EXPECT_EQ(commandOfKey(key.code), c.command) << "player " << player + 1 << "'s " << c.settingName;
    }
  // The P key and the computer's second walks are the battle's alone.
  for (command::Command unbound : {command::None, command::Wait, command::WalkLeftToo})
    EXPECT_THROW(b.key(0, unbound), std::invalid_argument) << unbound;
}

TEST(KeyBindings, ARemappedKeyReachesTheBattleAsTheOriginalCodeAndTheOldKeyCommandsNothing) {
  KeyBindings b = KeyBindings::defaults();
  EXPECT_TRUE(b.bindKey(0, command::Punch, 'G').done);
  EXPECT_EQ(b.gameKey('G'), (GameKey{0, 'A'}));
  EXPECT_EQ(b.gameKey('A'), (GameKey{0, 0})) << "A is the battle's punch key: unbound, it must not punch";
  EXPECT_EQ(b.problem(), std::nullopt);
}

TEST(KeyBindings, AKeyBoundElsewhereSwapsAndTheFrontEndsKeysAreRefused) {
  KeyBindings b = KeyBindings::defaults();
  const auto swap = b.bindKey(0, command::Kick, 'J');  // player 2's walk left
  EXPECT_TRUE(swap.done);
  EXPECT_NE(swap.message.text().find("入れ替え"), std::string::npos) << swap.message.text();
  EXPECT_EQ(b.key(0, command::Kick), 'J');
  EXPECT_EQ(b.key(1, command::WalkLeft), 'Z');
  EXPECT_EQ(b.gameKey('Z'), (GameKey{1, vk::Left}));
  EXPECT_EQ(b.gameKey('Z', false), (GameKey{0, 0})) << "Z is the battle's kick key: it must not kick";
  EXPECT_EQ(b.problem(), std::nullopt);

  for (int reserved : {vk::F1, vk::F1 + 1, vk::F11, vk::Escape, int{'M'}, vk::Minus, vk::Apostrophe, 0}) {
    const KeyBindings before = b;
    EXPECT_FALSE(b.bindKey(1, command::Pause, reserved).done) << reserved;
    EXPECT_EQ(b, before);
  }

  // Buttons swap within the player's own controller; the other controller is untouched.
  EXPECT_TRUE(b.bindButton(0, command::Punch, PadButton::A).done);
  EXPECT_EQ(b.button(0, command::Punch), PadButton::A);
  EXPECT_EQ(b.button(0, command::Kick), PadButton::X);
  EXPECT_EQ(b.button(1, command::Punch), PadButton::X);
  EXPECT_EQ(b.problem(), std::nullopt);
}

TEST(KeyBindings, BindingsThatCannotBePlayedSayWhy) {
  KeyBindings b = KeyBindings::defaults();
  b.key(1, command::Rampage) = 'A';
  ASSERT_TRUE(b.problem());
  EXPECT_NE(b.problem()->find("shares its key"), std::string::npos);
  b = KeyBindings::defaults();
  b.key(0, command::Pause) = vk::F11;
  EXPECT_NE(b.problem()->find("keeps for itself"), std::string::npos);
  b = KeyBindings::defaults();
  b.button(1, command::Kick) = PadButton::Start;
  EXPECT_NE(b.problem()->find("controller button"), std::string::npos);
  EXPECT_EQ(padButtonOf("leftShoulder"), PadButton::LeftShoulder);
  EXPECT_EQ(padButtonOf("TRIGGER"), std::nullopt);
  EXPECT_EQ(keyLabel(vk::Left), "←");
  EXPECT_EQ(keyLabel(vk::Comma), ",");
}

TEST(KeyBindings, TheNumberPadsKeysAreKeysOfTheirOwn) {
  KeyBindings b = KeyBindings::defaults();
  const int padLeft = vk::KeypadOf + vk::Left, pad5 = vk::Numpad0 + 5;
  EXPECT_EQ(b.bindKey(1, command::WalkLeft, padLeft).message.text(), "２Ｐの「左へ歩く」をテン←にしました");
  EXPECT_EQ(b.key(0, command::WalkLeft), vk::Left) << "player 1 keeps the arrow";
  EXPECT_EQ(b.gameKey(padLeft), (GameKey{1, vk::Left}));
  EXPECT_EQ(b.gameKey(vk::Left), (GameKey{0, vk::Left}));
  EXPECT_EQ(b.gameKey(pad5), (GameKey{0, pad5})) << "an unbound pad key commands nothing but is a key press";
  EXPECT_TRUE(b.bindKey(1, command::Pause, vk::KeypadEnter).done);
  EXPECT_EQ(b.gameKey(vk::Return), (GameKey{0, vk::Return}));
  EXPECT_EQ(b.problem(), std::nullopt);

  // Their names in the settings file read back in either case; the names other files write stay.
  for (int code : {vk::Numpad0, pad5, vk::Numpad0 + 9, vk::Multiply, vk::Add, vk::Subtract, vk::Decimal, vk::Divide,
                   vk::KeypadEnter, padLeft, vk::KeypadOf + vk::PageDown, vk::KeypadOf + vk::Clear}) {
    const std::string name = settingsKeyName(code);
    EXPECT_TRUE(name.starts_with("KP_")) << name;
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(keyCodeOf(lower, true), code) << name;
    EXPECT_EQ(keyCodeOf(name, false), -1) << "keys files name keys by code: " << name;
    EXPECT_EQ(keyNameOf(code, true), std::to_string(code));
    EXPECT_TRUE(keyLabel(code).starts_with("テン")) << keyLabel(code);
  }
  EXPECT_EQ(settingsKeyName(vk::Return), "RETURN");
  EXPECT_EQ(settingsKeyName('A'), "A");
  EXPECT_EQ(keyCodeOf("KP_5", true), pad5);
  EXPECT_EQ(keyCodeOf("KP_10", true), -1);
  EXPECT_EQ(keyLabel(pad5), "テン5");
  EXPECT_EQ(keyLabel(vk::KeypadOf + vk::Clear), "テンClear");
}

// A window in another language shows the message with its form and parts looked up on their
// own; the parts go where that language's form puts them, and a part is never read as a form.
TEST(KeyBindings, AMessageIsShownInAnotherLanguageWithItsPartsWhereThatLanguagePutsThem) {
  KeyBindings b = KeyBindings::defaults();
  const Wording swap = b.bindKey(0, command::Kick, 'J').message;
  EXPECT_EQ(swap.text(), "１Ｐの「キック」をJに。２Ｐの「左へ歩く」はZと入れ替え");
  const std::map<std::string, std::string> english = {
      {swap.form, "%1 %2: %3 (swapped with %4 %5, now %6)"}, {"１Ｐ", "1P"}, {"２Ｐ", "2P"},
      {"キック", "Kick"}, {"左へ歩く", "Left"}};
  const auto shown = [&](const std::string& s) {
    const auto it = english.find(s);
    return it == english.end() ? s : it->second;
  };
  EXPECT_EQ(swap.text(shown), "1P Kick: J (swapped with 2P Left, now Z)");
  EXPECT_EQ((Wording{"%2, %1 %9%", {"%2", "b"}}).text(), "b, %2 %9%")
      << "a part with a % in it is put in as it is; a placeholder with no part stays";
}

}  // namespace
}  // namespace mojara
