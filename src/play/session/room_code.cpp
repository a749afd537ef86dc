#include "play/session/room_code.h"

#include <algorithm>

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

Invitation readInvitation(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const auto trimmed = [&](std::string_view t) {
    while (!t.empty() && blank(t.front())) t.remove_prefix(1);
    while (!t.empty() && blank(t.back())) t.remove_suffix(1);
    return t;
  };
  text = trimmed(text);
  std::string_view address = text, code;
  if (const auto slash = text.rfind('/'); slash != std::string_view::npos) {
    address = trimmed(text.substr(0, slash));
    code = trimmed(text.substr(slash + 1));
  } else if (const auto space = std::find_if(text.begin(), text.end(), blank); space != text.end()) {
    address = text.substr(0, static_cast<std::size_t>(space - text.begin()));
    code = trimmed(text.substr(address.size()));
  }
  Invitation invitation{std::string(address), std::nullopt, std::nullopt};
  if (code.empty()) return invitation;
  invitation.code = RoomCode::parse(code);
  if (!invitation.code) invitation.notACode = std::string(code);
  return invitation;
}

std::string invitationText(const std::string& address, const RoomCode& code) {
  return address + "/" + code.text();
}

}  // namespace mojara
