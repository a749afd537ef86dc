// The keys a room's datagrams are sealed with, made from its room code, and the seal itself: a
// tag of HMAC-SHA-256 (cut to 16 bytes) over the whole datagram, with a key of its own for each
// way, so that a datagram can be taken only from the peer it claims to come from and never sent
// back to its sender as the other's. The code's 40 bits are stretched by PBKDF2 first, so that
// one captured datagram is not a quick way to the code. OpenSSL's libcrypto (every Debian has it,
// and the browser's WebCrypto has the same three functions).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "play/session/room_code.h"

namespace mojara::net {

// Who sealed a datagram: each way has its key.
enum class Role : std::uint8_t { Host = 1, Joiner = 2 };
inline Role otherRole(Role role) { return role == Role::Host ? Role::Joiner : Role::Host; }

inline constexpr std::size_t kTagSize = 16;
using Tag = std::array<std::uint8_t, kTagSize>;

class RoomKey {
 public:
  // The room's keys (a few tens of milliseconds: the stretching is the point).
  explicit RoomKey(const RoomCode& code);
  // A room code drawn from the system's random source.
  static RoomCode randomCode();

  // The tag of `bytes` as `sender` seals them.
  Tag tag(Role sender, std::span<const std::uint8_t> bytes) const;
  // `bytes` with their tag after them.
  void seal(Role sender, std::vector<std::uint8_t>& bytes) const;
  // Whether the last kTagSize bytes of `sealed` are the tag of the rest as `sender` seals them.
  bool opens(Role sender, std::span<const std::uint8_t> sealed) const;

 private:
  std::array<std::uint8_t, 32> room_{}, hostKey_{}, joinerKey_{};
};

// HMAC-SHA-256 of `bytes` under `key`.
std::array<std::uint8_t, 32> hmacSha256(std::span<const std::uint8_t> key,
                                        std::span<const std::uint8_t> bytes);
// Bytes from the system's random source (throws std::runtime_error if it has none).
void randomBytes(std::span<std::uint8_t> into);

}  // namespace mojara::net
