// Where a peer is: an IPv4 or IPv6 address with its port, found from what a player writes.
#pragma once

#include <sys/socket.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace mojara::net {

// Why the network could not do what was asked, in words for the player.
class NetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An IPv4 or IPv6 address with its port (an IPv4 address written as IPv6, ::ffff:a.b.c.d, is
// kept as the IPv4 address it is). Empty (size 0): none.
struct Address {
  sockaddr_storage storage{};
  socklen_t size = 0;
  bool operator==(const Address& other) const;
  bool empty() const { return size == 0; }
  std::string text() const;  // "192.0.2.7:4913", "[2001:db8::7]:4913"
  // The host part alone, for telling several datagrams of one machine apart.
  std::string hostText() const;
};

// `address` with an IPv4 address written as IPv6 turned into IPv4.
Address plain(const Address& address);
// The address of `host` ("127.0.0.1", "example.org", "::1") and `port` (throws NetError).
Address resolve(const std::string& host, std::uint16_t port);
// "HOST:PORT", "[V6]:PORT" or a bare HOST with `defaultPort` (throws NetError on a malformed one).
Address resolveHostAndPort(const std::string& text, std::optional<std::uint16_t> defaultPort);
// This machine's addresses a friend could reach, for the host to tell (loopback left out).
std::vector<std::string> localAddresses();

}  // namespace mojara::net
