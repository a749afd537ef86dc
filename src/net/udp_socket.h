// A UDP socket on POSIX: the only place online play touches the network.
#pragma once

#include <sys/socket.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace mojara::net {

// Why the network could not do what was asked, in words for the player.
class NetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An IPv4 or IPv6 address with its port.
struct Address {
  sockaddr_storage storage{};
  socklen_t size = 0;
  bool operator==(const Address& other) const;
  std::string text() const;  // "192.0.2.7:4913", "[2001:db8::7]:4913"
};

// The address of `host` ("127.0.0.1", "example.org", "::1") and `port` (throws NetError).
Address resolve(const std::string& host, std::uint16_t port);
// "HOST:PORT", "[V6]:PORT" or a bare HOST with `defaultPort` (throws NetError on a malformed one).
Address resolveHostAndPort(const std::string& text, std::optional<std::uint16_t> defaultPort);
// This machine's addresses a friend could reach, for the host to tell (loopback left out).
std::vector<std::string> localAddresses();

class UdpSocket {
 public:
  // Bound to `port` (0: any free one) on `address` (empty: all of this machine's); throws
  // NetError saying why not (the port in use, an address not this machine's).
  static UdpSocket bound(const std::string& address, std::uint16_t port);
  // For talking to `peer`: bound to any free port of the same family.
  static UdpSocket towards(const Address& peer);

  UdpSocket(UdpSocket&& other) noexcept;
  UdpSocket& operator=(UdpSocket&& other) noexcept;
  UdpSocket(const UdpSocket&) = delete;
  UdpSocket& operator=(const UdpSocket&) = delete;
  ~UdpSocket();

  std::uint16_t port() const;
  // The system's descriptor, for an event loop to watch for datagrams (it stays this object's).
  int descriptor() const { return fd_; }
  // Sends one datagram; a datagram the system cannot send now is lost, as on the wire.
  void send(const Address& to, std::span<const std::uint8_t> bytes);
  struct Received {
    Address from;
    std::size_t size = 0;  // bytes in the buffer given; more than it holds: the datagram was longer
  };
  // The next datagram waiting, if any, into `buffer` (never blocks).
  std::optional<Received> receive(std::span<std::uint8_t> buffer);
  // Waits until a datagram is waiting or `timeout` has passed.
  void wait(std::chrono::microseconds timeout);

 private:
  UdpSocket(int fd, int family) : fd_(fd), family_(family) {}
  int fd_ = -1;
  int family_ = 0;
};

}  // namespace mojara::net
