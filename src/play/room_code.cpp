#include "play/room_code.h"

namespace mojara {

RoomCode RoomCode::fromBits(std::uint64_t bits) {
  RoomCode code;
  for (std::size_t k = 0; k < kLetters; ++k)
    code.letters_[k] = kAlphabet[(bits >> (5 * (kLetters - 1 - k))) & 31];
  return code;
}

std::optional<RoomCode> RoomCode::parse(std::string_view text) {
  RoomCode code;
  std::size_t count = 0;
  for (char c : text) {
    if (c == '-' || c == ' ') continue;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (kAlphabet.find(c) == std::string_view::npos || count == kLetters) return std::nullopt;
    code.letters_[count++] = c;
  }
  if (count != kLetters) return std::nullopt;
  return code;
}

std::string RoomCode::text() const {
  const std::string all = letters();
  return all.substr(0, kLetters / 2) + "-" + all.substr(kLetters / 2);
}

std::optional<Invitation> parseInvitation(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  const auto slash = text.rfind('/');
  if (slash == std::string_view::npos) return Invitation{std::string(text), std::nullopt};
  const auto code = RoomCode::parse(text.substr(slash + 1));
  if (!code) return std::nullopt;
  return Invitation{std::string(text.substr(0, slash)), code};
}

std::string invitationText(const std::string& address, const RoomCode& code) {
  return address + "/" + code.text();
}

}  // namespace mojara
