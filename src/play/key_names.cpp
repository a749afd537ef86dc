#include "play/key_names.h"

#include <cctype>

#include "forms/types.h"
#include "play/cli_numbers.h"

namespace mojara {

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
