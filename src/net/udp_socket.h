// A UDP socket on POSIX: the only place online play touches the network. A host's socket answers
// each datagram from the address it was written to (a machine of several addresses, IPv4 written
// as IPv6); a joiner's is connected to the host, so that the system's word that nothing listens
// there ("port unreachable") is heard at once.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "net/transport.h"

namespace mojara::net {

class UdpSocket : public Transport {
 public:
  // Bound to `port` (0: any free one) on `address` (empty: all of this machine's); throws
  // NetError saying why not (the port in use, an address not this machine's).
  static UdpSocket bound(const std::string& address, std::uint16_t port);
  // For talking to `peer` alone: bound to any free port of the same family, connected to it.
  static UdpSocket towards(const Address& peer);

  UdpSocket(UdpSocket&& other) noexcept;
  UdpSocket& operator=(UdpSocket&& other) noexcept;
  UdpSocket(const UdpSocket&) = delete;
  UdpSocket& operator=(const UdpSocket&) = delete;
  ~UdpSocket() override;

  std::uint16_t port() const override;
  // The system's descriptor, for an event loop to watch for datagrams (it stays this object's).
  int descriptor() const override { return fd_; }
  void send(const Address& to, const Address& from, std::span<const std::uint8_t> bytes) override;
  std::optional<Received> receive(std::span<std::uint8_t> buffer) override;
  bool unreachable() const override { return unreachable_; }
  void wait(std::chrono::microseconds timeout) override;

 private:
  UdpSocket(int fd, int family) : fd_(fd), family_(family) {}
  int fd_ = -1;
  int family_ = 0;
  bool unreachable_ = false;
};

}  // namespace mojara::net
