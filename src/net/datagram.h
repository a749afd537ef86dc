// The datagrams two peers exchange, and their bytes. Every datagram starts with the game's mark,
// the session it belongs to, its number in the session, the sender's clock and the last clock it
// heard (for the round trip), and its kind; numbers are little-endian. Reading refuses anything
// malformed, truncated, oversized or with trailing bytes. These are the bytes a datagram's tag
// seals (room_key.h): the tag follows them on the wire.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "app/fight_setup.h"
#include "net/presses.h"
#include "net/room_key.h"

namespace mojara::net {

inline constexpr std::size_t kMaxDatagram = 1200;  // bytes with the tag; anything longer is not ours
inline constexpr int kMaxEventsPerDatagram = 32;   // presses or checksums of that many events
// A hello is always this long with its tag, padded: no answer a host gives before it has
// accepted a joiner is longer than what it answers, so nobody can use a host to multiply what
// they send to a third party.
inline constexpr std::size_t kHelloSize = 160;

// The joiner's first word: who it is. Its version and rules are read before its tag is checked,
// so that a joiner of another version hears why, whatever that version seals with.
struct Hello {
  std::string version;  // the program's version
  std::uint64_t rulesChecksum = 0;
  std::uint64_t nonce = 0;  // the joiner's own number, answered in the welcome or refusal
};
// The host's answer: the session's number is in the header from here on.
struct Welcome {
  std::uint64_t nonce = 0;
};
// The host will not play this joiner.
struct Refusal {
  enum Reason : std::uint8_t { Version = 1, Rules = 2, Busy = 3, WrongCode = 4 } reason = Version;
  std::uint64_t nonce = 0;  // the hello's
  std::string version;      // the host's
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
  std::uint32_t ran = 0;         // events the sender has run
  std::uint32_t pressesAck = 0;  // the receiver's presses the sender has, through this event
  std::uint32_t checksAck = 0;   // the receiver's checksums the sender has, through this event
  std::uint32_t bothHave = 0;    // events the sender knows both have every press of
  std::uint32_t ended = 0;       // the event the sender's fight ended at, 0 while it runs
  std::uint32_t desyncAt = 0;    // the first event whose checksums differ, or 0
  std::uint32_t firstPress = 0;
  std::vector<Presses> presses;
  std::uint32_t firstCheck = 0;
  std::vector<std::uint64_t> checksums;
};
// The sender leaves: the fight is over for it, or its player left (after `event`, the last both
// have, of the fight that was on).
struct Bye {
  enum Reason : std::uint8_t { Finished = 1, Left = 2 } reason = Left;
  std::uint32_t event = 0;
};

using Message = std::variant<Hello, Welcome, Refusal, Pick, Start, Inputs, Bye>;

struct Datagram {
  std::uint32_t session = 0;   // 0 before the host's welcome
  std::uint32_t sequence = 0;  // counted from 1 in each session and way
  std::uint32_t stamp = 0;     // the sender's clock, in microseconds
  std::uint32_t echo = 0;      // the last stamp the sender received, 0 if none
  std::uint32_t held = 0;      // microseconds between receiving `echo` and sending this
  Message message;
};

// The bytes of a datagram, without its tag.
std::vector<std::uint8_t> encode(const Datagram& datagram);
// None when the bytes (without a tag) are not a datagram of ours, whole and well-formed.
std::optional<Datagram> decode(std::span<const std::uint8_t> bytes);

}  // namespace mojara::net
