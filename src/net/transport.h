// What a peer sends its datagrams through and takes them from: a UDP socket (udp_socket.h), or,
// in tests, a wire of their own. Nothing here waits: the peer is driven by poll().
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

#include "net/address.h"

namespace mojara::net {

struct Received {
  Address from;
  Address to;            // the address of this machine it was written to; empty when not known
  std::size_t size = 0;  // bytes in the buffer given; more than it holds: the datagram was longer
};

class Transport {
 public:
  virtual ~Transport() = default;
  // Sends one datagram to `to`, from this machine's address `from` (empty: whichever the system
  // picks); a datagram that cannot go now is lost, as on the wire.
  virtual void send(const Address& to, const Address& from, std::span<const std::uint8_t> bytes) = 0;
  // The next datagram waiting, if any, into `buffer` (never blocks).
  virtual std::optional<Received> receive(std::span<std::uint8_t> buffer) = 0;
  // Whether the system has said that nothing listens where this transport sends.
  virtual bool unreachable() const { return false; }
  // The port it listens on, and a descriptor an event loop can watch for datagrams (-1: none).
  virtual std::uint16_t port() const { return 0; }
  virtual int descriptor() const { return -1; }
  // Waits until a datagram is waiting or `timeout` has passed.
  virtual void wait(std::chrono::microseconds) {}
};

}  // namespace mojara::net
