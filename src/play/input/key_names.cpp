#include "play/input/key_names.h"

#include <cctype>
#include <string_view>

#include "forms/types.h"
#include "play/options/cli_numbers.h"

namespace mojara {

namespace {

namespace vk = forms::vk;

// The number pad's keys other than its digits, by name.
struct KeypadKey {
  std::string_view name;
  int code;
};
constexpr KeypadKey kKeypadKeys[] = {
    {"KP_MULTIPLY", vk::Multiply},
    {"KP_ADD", vk::Add},
    {"KP_SUBTRACT", vk::Subtract},
    {"KP_DECIMAL", vk::Decimal},
    {"KP_DIVIDE", vk::Divide},
    {"KP_ENTER", vk::KeypadEnter},
    {"KP_LEFT", vk::KeypadOf + vk::Left},
    {"KP_UP", vk::KeypadOf + vk::Up},
    {"KP_RIGHT", vk::KeypadOf + vk::Right},
    {"KP_DOWN", vk::KeypadOf + vk::Down},
    {"KP_HOME", vk::KeypadOf + vk::Home},
    {"KP_END", vk::KeypadOf + vk::End},
    {"KP_PAGEUP", vk::KeypadOf + vk::PageUp},
    {"KP_PAGEDOWN", vk::KeypadOf + vk::PageDown},
    {"KP_INSERT", vk::KeypadOf + vk::Insert},
    {"KP_DELETE", vk::KeypadOf + vk::Delete},
    {"KP_CLEAR", vk::KeypadOf + vk::Clear},
};

}  // namespace

std::string keypadKeyName(int code) {
  if (code >= vk::Numpad0 && code <= vk::Numpad0 + 9) return "KP_" + std::to_string(code - vk::Numpad0);
  for (const KeypadKey& key : kKeypadKeys)
    if (key.code == code) return std::string(key.name);
  return {};
}

std::string settingsKeyName(int code) {
  std::string name = keypadKeyName(code);
  return name.empty() ? keyNameOf(code, true) : name;
}

int keyCodeOf(const std::string& name, bool allowExtraNames) {
  if (auto code = parseInteger<int>(name)) return (*code >= 0 && *code <= 65535) ? *code : -1;
  std::string u = name;
  for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (u.size() == 1 && u[0] >= 'A' && u[0] <= 'Z') return u[0];
  if (u == "LEFT") return forms::vk::Left;
  if (u == "UP") return forms::vk::Up;
  if (u == "RIGHT") return forms::vk::Right;
  if (u == "DOWN") return forms::vk::Down;
  if (u == "SPACE") return forms::vk::Space;
  if (!allowExtraNames) return -1;
  if (u == "ESCAPE" || u == "ESC") return forms::vk::Escape;
  if (u == "RETURN" || u == "ENTER") return forms::vk::Return;
  if (u.size() >= 2 && u[0] == 'F')
    if (auto n = parseInteger<int>(std::string_view(u).substr(1)); n && *n >= 1 && *n <= 12)
      return forms::vk::F1 + *n - 1;
  if (u.size() == 4 && u.starts_with("KP_") && u[3] >= '0' && u[3] <= '9') return vk::Numpad0 + (u[3] - '0');
  for (const KeypadKey& key : kKeypadKeys)
    if (key.name == u) return key.code;
  return -1;
}

std::string keyNameOf(int code, bool extraNames) {
  switch (code) {
    case forms::vk::Left:
      return "LEFT";
    case forms::vk::Up:
      return "UP";
    case forms::vk::Right:
      return "RIGHT";
    case forms::vk::Down:
      return "DOWN";
    case forms::vk::Space:
      return "SPACE";
    default:
      if (code >= 'A' && code <= 'Z') return std::string(1, static_cast<char>(code));
      if (extraNames && code == forms::vk::Escape) return "ESCAPE";
      if (extraNames && code == forms::vk::Return) return "RETURN";
      if (extraNames && code >= forms::vk::F1 && code <= forms::vk::F12)
        return "F" + std::to_string(code - forms::vk::F1 + 1);
      return std::to_string(code);
  }
}

}  // namespace mojara
