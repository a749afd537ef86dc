#include "web/key_codes.h"

#include "forms/types.h"

namespace mojara::web {

namespace {

struct Named {
  std::string_view code;
  int vk;
};

namespace vk = forms::vk;

// The main keys, by the name the browser gives their place.
constexpr Named kMainKeys[] = {
    {"ArrowLeft", vk::Left},     {"ArrowUp", vk::Up},           {"ArrowRight", vk::Right},
    {"ArrowDown", vk::Down},     {"Space", vk::Space},          {"Enter", vk::Return},
    {"Escape", vk::Escape},      {"Backspace", vk::Back},       {"Tab", vk::Tab},
    {"ShiftLeft", vk::Shift},    {"ShiftRight", vk::Shift},     {"ControlLeft", vk::Control},
    {"ControlRight", vk::Control}, {"AltLeft", vk::Menu},       {"AltRight", vk::Menu},
    {"Pause", vk::Pause},        {"PageUp", vk::PageUp},        {"PageDown", vk::PageDown},
    {"End", vk::End},            {"Home", vk::Home},            {"Insert", vk::Insert},
    {"Delete", vk::Delete},      {"Minus", vk::Minus},          {"Equal", vk::Equals},
    {"Comma", vk::Comma},        {"Period", vk::Period},        {"Slash", vk::Slash},
    {"Semicolon", vk::Semicolon}, {"BracketLeft", vk::BracketLeft}, {"BracketRight", vk::BracketRight},
    {"Quote", vk::Apostrophe},
};

// The number pad's keys besides its digits.
constexpr Named kPadKeys[] = {
    {"NumpadMultiply", vk::Multiply}, {"NumpadAdd", vk::Add},           {"NumpadSubtract", vk::Subtract},
    {"NumpadDecimal", vk::Decimal},   {"NumpadComma", vk::Decimal},     {"NumpadDivide", vk::Divide},
    {"NumpadEnter", vk::KeypadEnter}, {"NumpadEqual", vk::Equals},
};

// What a pad digit types with Num Lock off: the main key of that name, on the pad.
constexpr Named kPadMovements[] = {
    {"ArrowLeft", vk::Left}, {"ArrowUp", vk::Up},     {"ArrowRight", vk::Right},   {"ArrowDown", vk::Down},
    {"Home", vk::Home},      {"End", vk::End},        {"PageUp", vk::PageUp},      {"PageDown", vk::PageDown},
    {"Insert", vk::Insert},  {"Delete", vk::Delete},  {"Clear", vk::Clear},
};

int find(const auto& table, std::string_view name) {
  for (const Named& n : table)
    if (n.code == name) return n.vk;
  return 0;
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

}  // namespace

int virtualKeyOf(std::string_view code, std::string_view key) {
  if (code.size() == 4 && startsWith(code, "Key") && code[3] >= 'A' && code[3] <= 'Z') return code[3];
  if (code.size() == 6 && startsWith(code, "Digit") && code[5] >= '0' && code[5] <= '9') return code[5];
  if (code.size() == 7 && startsWith(code, "Numpad") && code[6] >= '0' && code[6] <= '9') {
    if (const int moved = find(kPadMovements, key)) return vk::KeypadOf + moved;
    return vk::Numpad0 + (code[6] - '0');
  }
  if (code.size() >= 2 && code.size() <= 3 && code[0] == 'F' && code[1] >= '1' && code[1] <= '9') {
    const int n = code.size() == 2 ? code[1] - '0' : (code[1] - '0') * 10 + (code[2] - '0');
    if (code.size() == 3 && (code[2] < '0' || code[2] > '9')) return 0;
    return n >= 1 && n <= 24 ? vk::F1 + n - 1 : 0;
  }
  if (startsWith(code, "Numpad")) return find(kPadKeys, code);
  return find(kMainKeys, code);
}

}  // namespace mojara::web
