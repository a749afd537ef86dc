// A room code: what a host tells the friend it invites, besides where it is. Eight characters of
// an alphabet with no two that look alike (no I, O, 0 or 1), 40 random bits, shown as ABCD-EFGH.
// Only a joiner who gives it can talk to the host: online, every datagram is keyed from it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mojara {

class RoomCode {
 public:
  static constexpr std::size_t kLetters = 8;
  static constexpr std::string_view kAlphabet = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";

  // The code of 40 bits (the low 40 of `bits`).
  static RoomCode fromBits(std::uint64_t bits);
  // The code in `text`, whatever its case and wherever its dashes and spaces; none unless it is
  // eight characters of the alphabet.
  static std::optional<RoomCode> parse(std::string_view text);

  // "ABCD-EFGH", as it is shown and said.
  std::string text() const;
  // "ABCDEFGH", what the key is made from.
  std::string letters() const { return {letters_.begin(), letters_.end()}; }
  bool operator==(const RoomCode&) const = default;

 private:
  std::array<char, kLetters> letters_{};
};

// What a joiner is given: where the host is and its room code, as one string "HOST:PORT/CODE"
// ("192.0.2.7:4913/ABCD-EFGH", "[2001:db8::7]:4913/ABCD-EFGH"), as the address and the code with
// a space between ("192.0.2.7 abcd efgh": the code's case, dashes and spaces as typed), or the
// address alone.
struct Invitation {
  std::string address;                  // HOST, HOST:PORT or [V6]:PORT; empty when none is given
  std::optional<RoomCode> code;         // none when the text gives none, or not one
  std::optional<std::string> notACode;  // what stands where the code goes, when it is not one
};
Invitation readInvitation(std::string_view text);
// The invitation a host gives for `address` (HOST:PORT) and its code.
std::string invitationText(const std::string& address, const RoomCode& code);

}  // namespace mojara
