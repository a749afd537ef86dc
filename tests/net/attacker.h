// Someone who is not the friend a host waits for, or who has the room's code and means harm. Its
// datagrams are made exactly as a peer makes them (net::encode, then sealed with a room's key),
// and go from sockets of its own on this machine's loopback, every byte both ways counted.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "net/address.h"
#include "net/datagram.h"
#include "net/room_key.h"

namespace mojara::testing {

using Clock = std::chrono::steady_clock;

// The version and rules a runner's peers tell each other at the handshake.
std::string runnersVersion();
std::uint64_t runnersRules();

// The keys of the room with this code ("ABCD-EFGH"), made once per code: the stretching takes a
// while.
const net::RoomKey& roomKey(const std::string& code);

// `datagram` as `sender` sends it in the room of `key`: its bytes, then their tag.
std::vector<std::uint8_t> sealed(const net::Datagram& datagram, const net::RoomKey& key, net::Role sender);
// A joiner's hello, sealed with `key`.
std::vector<std::uint8_t> helloDatagram(const net::RoomKey& key, std::uint64_t nonce,
                                        const std::string& version = runnersVersion());
// What a sealed datagram says, read past its tag without checking it (the tag authenticates, it
// does not hide); none when the bytes before the tag are not a datagram of ours.
std::optional<net::Datagram> opened(std::span<const std::uint8_t> datagram);
std::optional<net::Datagram> opened(std::string_view datagram);

// Inputs of `fight` that claim what no peer can have: presses and checksums of 32 events far
// ahead, from `from`, and every acknowledgement at its largest.
net::Inputs farFuture(std::uint16_t fight, std::uint32_t from);

// 127.0.0.1:port, or [::1]:port.
net::Address loopback(std::uint16_t port, bool six = false);

// A UDP socket of the attacker's, on a free port of `local` ("127.0.0.1", "127.0.0.2", "::1"),
// that counts what it sends and keeps what comes back.
class AttackSocket {
 public:
  struct Answer {
    Clock::time_point at;
    std::vector<std::uint8_t> bytes;
  };

  explicit AttackSocket(const std::string& local = "127.0.0.1");  // throws std::system_error
  ~AttackSocket();
  AttackSocket(const AttackSocket&) = delete;
  AttackSocket& operator=(const AttackSocket&) = delete;

  std::uint16_t port() const;
  void send(const net::Address& to, std::span<const std::uint8_t> bytes);
  // Takes every datagram waiting; with `wait`, first waits up to that long for one.
  void drain(std::chrono::milliseconds wait = std::chrono::milliseconds(0));

  std::vector<Answer> answers;
  std::uint64_t sent = 0, bytesSent = 0, bytesAnswered = 0;

 private:
  int fd_ = -1;
};

// A peer with the room's code that joins a host on 127.0.0.1 as a runner's joiner does (hellos
// until welcomed, then datagrams of the session numbered from 1, the first of which makes it the
// host's joiner) and then says whatever it is told to.
class KeyedJoiner {
 public:
  KeyedJoiner(std::uint16_t hostPort, const std::string& code);

  // Hello until welcomed, then a pick: the host's joiner from then on. False when no welcome
  // came within `bound`.
  bool join(std::chrono::milliseconds bound);
  // A message of the session, with the next number.
  void send(const net::Message& message);
  // Takes what the host has sent (only what opens with the host's key): its start, its presses
  // and its checksums, as far as they come in order.
  void receive(std::chrono::milliseconds wait = std::chrono::milliseconds(0));

  // Inputs that keep the fight going as a real joiner's would, of a player who presses nothing:
  // empty presses up to where the host's presses have come, acknowledging what has come. No
  // checksums: with none, the host has nothing to compare.
  net::Inputs keepingUp() const;

  const std::optional<net::Start>& start() const { return start_; }
  long long hostPresses() const { return hostPresses_; }
  std::uint32_t session() const { return session_; }
  AttackSocket socket;

 private:
  net::Datagram datagram(net::Message message);

  std::uint16_t hostPort_;
  const net::RoomKey& key_;
  Clock::time_point began_ = Clock::now();
  std::uint64_t nonce_;
  std::uint32_t session_ = 0, sequence_ = 0, echo_ = 0;
  std::size_t answersRead_ = 0;
  std::optional<net::Start> start_;
  long long hostPresses_ = 0, hostChecks_ = 0, mineAcked_ = 0;
};

// What /proc says of a process's memory, in kB: now and at most so far; none once it has gone.
struct Memory {
  long long rssKb = 0, peakKb = 0;
};
std::optional<Memory> memoryOf(int pid);

}  // namespace mojara::testing
