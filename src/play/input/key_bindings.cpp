#include "play/input/key_bindings.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <stdexcept>

#include "forms/types.h"
#include "play/input/key_names.h"

namespace mojara {

namespace vk = forms::vk;

namespace {

// Every bindable command is asked for by a battle key, the space bar's pause included.
static_assert(std::all_of(kBindableCommands.begin(), kBindableCommands.end(),
                          [](const BindableCommand& c) { return keyOf(c.command) != 0; }));

constexpr std::array<std::string_view, kPadButtonCount> kPadButtonNames{
    "A",           "B",        "X",          "Y",        "BACK",      "GUIDE",    "START",    "LEFTSTICK",
    "RIGHTSTICK", "LEFTSHOULDER", "RIGHTSHOULDER", "DPADUP", "DPADDOWN", "DPADLEFT", "DPADRIGHT"};

constexpr std::array<std::string_view, kPadButtonCount> kPadButtonLabels{
    "A", "B", "X", "Y", "Back", "Guide", "Start", "LS", "RS", "LB", "RB", "十字↑", "十字↓", "十字←", "十字→"};

constexpr int kF2 = vk::F1 + 1, kF3 = vk::F1 + 2;
constexpr int kFrontEndKeys[] = {vk::F1,       kF2,       kF3,        vk::F11,         vk::Escape,       'M',
                                 vk::Minus,    vk::Equals, vk::BracketLeft, vk::BracketRight, vk::Semicolon,
                                 vk::Apostrophe};

// A number-pad key's label after "テン" (short, to fit the window's cells): its digit or sign, or
// a short name of the main key of the same name.
std::string keypadLabel(int code) {
  if (code >= vk::Numpad0 && code <= vk::Numpad0 + 9) return std::to_string(code - vk::Numpad0);
  switch (code) {
    case vk::Multiply:
      return "*";
    case vk::Add:
      return "+";
    case vk::Subtract:
      return "-";
    case vk::Decimal:
      return ".";
    case vk::Divide:
      return "/";
    case vk::KeypadOf + vk::Clear:
      return "Clear";
    case vk::KeypadOf + vk::PageUp:
      return "PgUp";
    case vk::KeypadOf + vk::PageDown:
      return "PgDn";
    case vk::KeypadOf + vk::Insert:
      return "Ins";
    case vk::KeypadOf + vk::Delete:
      return "Del";
    default:
      return keyLabel(code - vk::KeypadOf);  // ←, Enter, Home ...
  }
}

}  // namespace

std::string playerName(int player) { return player == 0 ? "１Ｐ" : "２Ｐ"; }

int bindingRow(command::Command command) {
  for (int row = 0; row < kBindableCount; ++row)
    if (kBindableCommands[row].command == command) return row;
  throw std::invalid_argument("command " + std::to_string(command) + " cannot be bound");
}

std::string_view padButtonName(PadButton button) { return kPadButtonNames[static_cast<int>(button)]; }

std::string_view padButtonLabel(PadButton button) { return kPadButtonLabels[static_cast<int>(button)]; }

std::optional<PadButton> padButtonOf(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (int i = 0; i < kPadButtonCount; ++i)
    if (kPadButtonNames[i] == upper) return static_cast<PadButton>(i);
  return std::nullopt;
}

bool frontEndKey(int code) {
  for (int key : kFrontEndKeys)
    if (key == code) return true;
  return false;
}

KeyBindings KeyBindings::defaults() {
  KeyBindings b;
  for (const BindableCommand& c : kBindableCommands) b.key(0, c.command) = keyOf(c.command);
  b.keys[1] = {'J', 'L', 'I', 'U', 'O', 'K', 'Y', 'N', 'H', vk::Return};
  const std::array<PadButton, kBindableCount> pad = {
      PadButton::DpadLeft,     PadButton::DpadRight, PadButton::DpadUp,        PadButton::X,
      PadButton::A,            PadButton::Y,         PadButton::LeftShoulder,  PadButton::B,
      PadButton::RightShoulder, PadButton::Start};
  b.buttons = {pad, pad};
  return b;
}

GameKey KeyBindings::gameKey(int code, bool twoPlayers) const {
  bool battleKey = false;
  for (const BindableCommand& c : kBindableCommands) battleKey = battleKey || keyOf(c.command) == code;
  for (const BindableCommand& c : kBindableCommands) {
    if (key(0, c.command) == code) return {0, keyOf(c.command)};
    if (key(1, c.command) == code)
      return twoPlayers ? GameKey{1, keyOf(c.command)} : GameKey{0, battleKey ? 0 : code};
  }
  return {0, battleKey ? 0 : code};
}

std::optional<command::Command> KeyBindings::commandOfButton(int player, PadButton pressed) const {
  for (const BindableCommand& c : kBindableCommands)
    if (button(player, c.command) == pressed) return c.command;
  return std::nullopt;
}

KeyBindings::Change KeyBindings::bindKey(int player, command::Command command, int code) {
  const std::string who = playerName(player), what(bindableOf(command).label);
  if (code == 0 || frontEndKey(code)) return {false, {"%1はゲームが使うキーなので割り当てられません", {keyLabel(code)}}};
  int& slot = key(player, command);
  if (slot == code) return {true, {"%1の「%2」は%3のままです", {who, what, keyLabel(code)}}};
  for (int other = 0; other < kPlayers; ++other)
    for (const BindableCommand& c : kBindableCommands)
      if (key(other, c.command) == code) {
        key(other, c.command) = slot;
        slot = code;
        return {true,
                {"%1の「%2」を%3に。%4の「%5」は%6と入れ替え",
                 {who, what, keyLabel(code), playerName(other), std::string(c.label), keyLabel(key(other, c.command))}}};
      }
  slot = code;
  return {true, {"%1の「%2」を%3にしました", {who, what, keyLabel(code)}}};
}

KeyBindings::Change KeyBindings::bindButton(int player, command::Command command, PadButton pressed) {
  const std::string who = playerName(player), what(bindableOf(command).label);
  PadButton& slot = button(player, command);
  const std::string name(padButtonLabel(pressed));
  if (auto taken = commandOfButton(player, pressed); taken && *taken != command) {
    button(player, *taken) = slot;
    slot = pressed;
    return {true,
            {"%1の「%2」をボタン%3に。「%4」はボタン%5と入れ替え",
             {who, what, name, std::string(bindableOf(*taken).label),
              std::string(padButtonLabel(button(player, *taken)))}}};
  }
  slot = pressed;
  return {true, {"%1の「%2」をボタン%3にしました", {who, what, name}}};
}

std::optional<std::string> KeyBindings::problem() const {
  for (int player = 0; player < kPlayers; ++player)
    for (const BindableCommand& c : kBindableCommands) {
      const int code = key(player, c.command);
      const std::string where = "player " + std::to_string(player + 1) + "'s " + std::string(c.settingName);
      if (code <= 0 || code > 0xFFFF) return where + " has no key";
      if (frontEndKey(code)) return where + " is on a key the game keeps for itself";
      for (int other = 0; other < kPlayers; ++other)
        for (const BindableCommand& d : kBindableCommands)
          if ((other != player || d.command != c.command) && key(other, d.command) == code)
            return where + " shares its key with player " + std::to_string(other + 1) + "'s " +
                   std::string(d.settingName);
      for (const BindableCommand& d : kBindableCommands)
        if (d.command != c.command && button(player, d.command) == button(player, c.command))
          return where + " shares its controller button with " + std::string(d.settingName);
      if (static_cast<int>(button(player, c.command)) >= kPadButtonCount)
        return where + " has no controller button";
    }
  return std::nullopt;
}

std::string keyLabel(int code) {
  if (!keypadKeyName(code).empty()) return "テン" + keypadLabel(code);
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return std::string(1, static_cast<char>(code));
  if (code >= vk::F1 && code <= vk::F1 + 23) return "F" + std::to_string(code - vk::F1 + 1);
  switch (code) {
    case vk::Left:
      return "←";
    case vk::Right:
      return "→";
    case vk::Up:
      return "↑";
    case vk::Down:
      return "↓";
    case vk::Space:
      return "Space";
    case vk::Return:
      return "Enter";
    case vk::Escape:
      return "Esc";
    case vk::Back:
      return "BackSpace";
    case vk::Tab:
      return "Tab";
    case vk::Shift:
      return "Shift";
    case vk::Control:
      return "Ctrl";
    case vk::Menu:
      return "Alt";
    case vk::Insert:
      return "Insert";
    case vk::Delete:
      return "Delete";
    case vk::Home:
      return "Home";
    case vk::End:
      return "End";
    case vk::PageUp:
      return "PageUp";
    case vk::PageDown:
      return "PageDown";
    case vk::Pause:
      return "Pause";
    case vk::Semicolon:
      return ";";
    case vk::Equals:
      return "=";
    case vk::Comma:
      return ",";
    case vk::Minus:
      return "-";
    case vk::Period:
      return ".";
    case vk::Slash:
      return "/";
    case vk::BracketLeft:
      return "[";
    case vk::BracketRight:
      return "]";
    case vk::Apostrophe:
      return "'";
    default:
      return "#" + std::to_string(code);
  }
}

std::ostream& operator<<(std::ostream& out, PadButton button) { return out << padButtonName(button); }

std::ostream& operator<<(std::ostream& out, const GameKey& key) {
  return out << "player " << key.player + 1 << " key " << (key.code ? keyNameOf(key.code, true) : "(none)");
}

std::ostream& operator<<(std::ostream& out, const KeyBindings& b) {
  for (int player = 0; player < kPlayers; ++player) {
    out << (player ? " keys" : "keys") << player + 1;
    for (const BindableCommand& c : kBindableCommands)
      out << ' ' << c.settingName << '='
          << (b.key(player, c.command) ? settingsKeyName(b.key(player, c.command)) : "-");
    out << " pad" << player + 1;
    for (const BindableCommand& c : kBindableCommands) out << ' ' << c.settingName << '=' << b.button(player, c.command);
  }
  return out;
}

}  // namespace mojara
