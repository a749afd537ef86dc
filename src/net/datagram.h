// The datagrams two peers exchange, and their bytes. Every datagram starts with the game's mark,
// its kind and the session it belongs to; numbers are little-endian. Reading refuses anything
// malformed, truncated, oversized or with trailing bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "app/fight_setup.h"
#include "net/presses.h"

namespace mojara::net {

inline constexpr std::size_t kMaxDatagram = 1200;  // bytes; anything longer is not ours
inline constexpr int kMaxEventsPerDatagram = 32;   // presses or checksums of that many events

// The joiner's first word: who it is.
struct Hello {
  std::string version;            // the program's version
  std::uint64_t rulesChecksum = 0;
  std::uint32_t nonce = 0;        // the joiner's own number, answered in the welcome
};
// The host's answer: the session's number is in the header from here on.
struct Welcome {
  std::uint32_t nonce = 0;
};
// The host will not play this joiner.
struct Refusal {
  enum Reason : std::uint8_t { Version = 1, Rules = 2, Busy = 3 } reason = Version;
  std::string version;  // the host's
};
// What a player has picked in the versus window: a roster slot (-1: none yet), and whether ready.
struct Pick {
  std::int8_t slot = -1;
  bool ready = false;
};
// The host starts fight number `fight` on this set-up.
struct Start {
  std::uint16_t fight = 0;
  FightSetup setup;  // versus, with its seed
  std::uint8_t inputDelay = 0;
  std::int64_t timerResolution = 0;  // nanoseconds
  std::int64_t maxEvents = 0;
};
// During a fight, many times a second: the sender's presses for the events from `firstPress`
// that the receiver has not acknowledged, what it has received, where it is, and the checksums of
// the events it has confirmed from `firstCheck`.
struct Inputs {
  std::uint16_t fight = 0;
  std::uint32_t ran = 0;          // events the sender has run
  std::uint32_t pressesAck = 0;   // the receiver's presses the sender has, through this event
  std::uint32_t checksAck = 0;    // the receiver's checksums the sender has, through this event
  std::uint32_t stamp = 0;        // the sender's clock, in ms
  std::uint32_t echo = 0;         // the last stamp the sender received
  std::uint16_t held = 0;         // ms between receiving `echo` and sending this
  std::uint32_t ended = 0;        // the event the sender's fight ended at, 0 while it runs
  std::uint32_t desyncAt = 0;     // the first event whose checksums differ, or 0
  std::uint32_t firstPress = 0;
  std::vector<Presses> presses;
  std::uint32_t firstCheck = 0;
  std::vector<std::uint64_t> checksums;
};
// The sender leaves: the fight is over for it, or its player left.
struct Bye {
  enum Reason : std::uint8_t { Finished = 1, Left = 2 } reason = Left;
};

using Message = std::variant<Hello, Welcome, Refusal, Pick, Start, Inputs, Bye>;

struct Datagram {
  std::uint32_t session = 0;  // 0 before the host's welcome
  Message message;
};

std::vector<std::uint8_t> encode(const Datagram& datagram);
// None when the bytes are not a datagram of ours, whole and well-formed.
std::optional<Datagram> decode(std::span<const std::uint8_t> bytes);

}  // namespace mojara::net
