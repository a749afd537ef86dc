// play/input: keys and buttons, what each is bound to, playing without the mouse, input scripts.
// The keys and controller buttons each player fights with. The battle's key handler knows only
// its own keys (kBattleKeys): a bound key or button is handed to it as the battle key of the same
// command, for the player it belongs to, so every rule stays as it is.
#pragma once

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "app/battle_keys.h"
#include "play/texts/wording.h"

namespace mojara {

// A command a player can bind to a key and a controller button: one of the battle's commands, its
// battle key being the one the battle's key table gives it.
struct BindableCommand {
  command::Command command;
  std::string_view settingName;  // its key in the settings file
  std::string_view label;        // as the key-settings window lists it
};

// The bindable commands in the order the key-settings window lists them; the settings file and the
// web page list the bindings in this order too, and a binding's row is its place here.
inline constexpr int kBindableCount = 10;
inline constexpr std::array<BindableCommand, kBindableCount> kBindableCommands{{
    {command::WalkLeft, "walkLeft", "左へ歩く"},
    {command::WalkRight, "walkRight", "右へ歩く"},
    {command::FlyingKick, "flyingKick", "飛び蹴り"},
    {command::Punch, "punch", "パンチ"},
    {command::Kick, "kick", "キック"},
    {command::RisingDragonPunch, "risingDragonPunch", "昇竜拳"},
    {command::PowerCharge, "powerCharge", "パワーためる"},
    {command::HeelDrop, "heelDrop", "かかと落とし"},
    {command::Rampage, "rampage", "乱舞"},
    {command::Pause, "pause", "一時停止"},
}};
inline constexpr int kPlayers = 2;

// The row of a bindable command; throws std::invalid_argument for a command no player binds.
int bindingRow(command::Command command);
inline const BindableCommand& bindableOf(command::Command command) {
  return kBindableCommands[bindingRow(command)];
}

// A game controller's buttons, in SDL's GameController order (the front end checks that).
enum class PadButton {
  A,
  B,
  X,
  Y,
  Back,
  Guide,
  Start,
  LeftStick,
  RightStick,
  LeftShoulder,
  RightShoulder,
  DpadUp,
  DpadDown,
  DpadLeft,
  DpadRight,
};
inline constexpr int kPadButtonCount = 15;
std::string_view padButtonName(PadButton button);  // "A", "LEFTSHOULDER", "DPADUP", ...
std::optional<PadButton> padButtonOf(std::string_view name);  // either case
std::string_view padButtonLabel(PadButton button);  // as the windows show it: "A", "LB", "十字←", ...
std::ostream& operator<<(std::ostream& out, PadButton button);  // its name: "DPADUP"

// What a key press is for the game: a key of `player` (0 or 1) with the battle's code `code`.
struct GameKey {
  int player = 0;
  int code = 0;  // 0: a key that commands nothing (it still counts as a key press)
  bool operator==(const GameKey&) const = default;
};
std::ostream& operator<<(std::ostream& out, const GameKey& key);  // "player 2 key LEFT"

// Whether the front end keeps `code` for itself (F1 help, F2 these settings, F3 two players,
// F11 full screen,
// Escape, the sound keys): such a key cannot be bound.
bool frontEndKey(int code);

struct KeyBindings {
  // Virtual-key codes, 0 where unbound; every bound key is bound once, across both players.
  // Each player's keys and buttons by the commands' rows.
  std::array<std::array<int, kBindableCount>, kPlayers> keys{};
  // Each player's controller (the first controller is player 1's), one button a command.
  std::array<std::array<PadButton, kBindableCount>, kPlayers> buttons{};

  // Player 1 on the battle's own keys, player 2 on the right-hand letters and Enter; both
  // controllers on the d-pad, face and shoulder buttons and Start.
  static KeyBindings defaults();

  // A bindable command's key and button (see bindingRow).
  int& key(int player, command::Command c) { return keys[player][bindingRow(c)]; }
  int key(int player, command::Command c) const { return keys[player][bindingRow(c)]; }
  PadButton& button(int player, command::Command c) { return buttons[player][bindingRow(c)]; }
  PadButton button(int player, command::Command c) const { return buttons[player][bindingRow(c)]; }

  // The game's key for a key press `code`: a bound key is its command's battle key for its
  // player; a battle key bound to nothing (moved away by the player) commands nothing; any other
  // key is itself, for player 1. Unless `twoPlayers`, player 2's keys are plain keys of player 1
  // (they command nothing), so a fight against the computer plays as it always did.
  GameKey gameKey(int code, bool twoPlayers = true) const;
  // The command of `player`'s controller button, if it has one.
  std::optional<command::Command> commandOfButton(int player, PadButton button) const;

  // Binds `code` to `player`'s command. A key bound elsewhere changes places with the command's
  // old key (said in the returned text); a front-end key is refused. Returns what happened, as the
  // key-settings window says it.
  struct Change {
    bool done = false;
    Wording message;
  };
  Change bindKey(int player, command::Command command, int code);
  // The same for a controller button of `player`'s controller (swapped within that controller).
  Change bindButton(int player, command::Command command, PadButton button);

  // Why these bindings cannot be used (a key bound twice, a front-end key, a key without a code),
  // or none.
  std::optional<std::string> problem() const;

  bool operator==(const KeyBindings&) const = default;
};
// Each player's keys then buttons, by the commands' setting names: "keys1 walkLeft=LEFT ... pad2 ...".
std::ostream& operator<<(std::ostream& out, const KeyBindings& bindings);

// How a key shows in the key-settings window: "←", "A", "Enter", "F5", "，", "テン4" (the
// number pad's 4), "テン←" ... (the window shows it in the player's language).
std::string keyLabel(int code);
// "１Ｐ" or "２Ｐ", as the windows name a player.
std::string playerName(int player);
// The key-settings window's column heads: each player's key, then their controller's button.
inline constexpr std::string_view kBindingColumnHeads[] = {"１Ｐ キー", "１Ｐ パッド", "２Ｐ キー", "２Ｐ パッド"};

}  // namespace mojara
