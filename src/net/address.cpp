#include "net/address.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>

#include <charconv>
#include <cstring>

namespace mojara::net {

namespace {

std::string numericHost(const sockaddr* address, socklen_t size) {
  char host[NI_MAXHOST] = {};
  if (getnameinfo(address, size, host, sizeof host, nullptr, 0, NI_NUMERICHOST) != 0) return "?";
  return host;
}

}  // namespace

bool Address::operator==(const Address& other) const {
  if (storage.ss_family != other.storage.ss_family) return false;
  if (storage.ss_family == AF_INET) {
    const auto& a = reinterpret_cast<const sockaddr_in&>(storage);
    const auto& b = reinterpret_cast<const sockaddr_in&>(other.storage);
    return a.sin_port == b.sin_port && a.sin_addr.s_addr == b.sin_addr.s_addr;
  }
  if (storage.ss_family == AF_INET6) {
    const auto& a = reinterpret_cast<const sockaddr_in6&>(storage);
    const auto& b = reinterpret_cast<const sockaddr_in6&>(other.storage);
    return a.sin6_port == b.sin6_port && std::memcmp(&a.sin6_addr, &b.sin6_addr, sizeof a.sin6_addr) == 0;
  }
  return size == 0 && other.size == 0;
}

std::string Address::hostText() const {
  if (storage.ss_family != AF_INET && storage.ss_family != AF_INET6) return "?";
  return numericHost(reinterpret_cast<const sockaddr*>(&storage), size);
}

std::string Address::text() const {
  if (storage.ss_family == AF_INET6)
    return "[" + hostText() +
           "]:" + std::to_string(ntohs(reinterpret_cast<const sockaddr_in6&>(storage).sin6_port));
  if (storage.ss_family == AF_INET)
    return hostText() + ":" + std::to_string(ntohs(reinterpret_cast<const sockaddr_in&>(storage).sin_port));
  return "?";
}

Address plain(const Address& address) {
  if (address.storage.ss_family != AF_INET6) return address;
  const auto& six = reinterpret_cast<const sockaddr_in6&>(address.storage);
  if (!IN6_IS_ADDR_V4MAPPED(&six.sin6_addr)) return address;
  sockaddr_in four{};
  four.sin_family = AF_INET;
  four.sin_port = six.sin6_port;
  std::memcpy(&four.sin_addr, six.sin6_addr.s6_addr + 12, 4);
  Address a;
  std::memcpy(&a.storage, &four, sizeof four);
  a.size = sizeof four;
  return a;
}

Address resolve(const std::string& host, std::uint16_t port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (const int error = getaddrinfo(host.c_str(), service.c_str(), &hints, &found); error != 0)
    throw NetError("cannot find the address of " + host + ": " + gai_strerror(error));
  Address address;
  std::memcpy(&address.storage, found->ai_addr, found->ai_addrlen);
  address.size = found->ai_addrlen;
  freeaddrinfo(found);
  return plain(address);
}

Address resolveHostAndPort(const std::string& text, std::optional<std::uint16_t> defaultPort) {
  std::string host = text, port;
  if (text.starts_with('[')) {
    const auto close = text.find(']');
    if (close == std::string::npos) throw NetError("the address " + text + " has no closing ]");
    host = text.substr(1, close - 1);
    if (close + 1 < text.size()) {
      if (text[close + 1] != ':') throw NetError("the address " + text + " is not [ADDRESS]:PORT");
      port = text.substr(close + 2);
    }
  } else if (const auto colon = text.rfind(':'); colon != std::string::npos && text.find(':') == colon) {
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
  }
  if (host.empty()) throw NetError("the address " + text + " names no host");
  std::uint16_t number = defaultPort.value_or(0);
  if (!port.empty() || !defaultPort) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (port.empty() || error != std::errc{} || end != port.data() + port.size() || value < 1 ||
        value > 65535)
      throw NetError("the port in " + text + " is not a number from 1 to 65535");
    number = static_cast<std::uint16_t>(value);
  }
  return resolve(host, number);
}

std::vector<std::string> localAddresses() {
  std::vector<std::string> found;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return found;
  for (const ifaddrs* a = list; a; a = a->ifa_next) {
    if (!a->ifa_addr || (a->ifa_flags & IFF_LOOPBACK) || !(a->ifa_flags & IFF_UP)) continue;
    const int family = a->ifa_addr->sa_family;
    if (family == AF_INET)
      found.push_back(numericHost(a->ifa_addr, sizeof(sockaddr_in)));
    else if (family == AF_INET6 &&
             !IN6_IS_ADDR_LINKLOCAL(&reinterpret_cast<const sockaddr_in6*>(a->ifa_addr)->sin6_addr))
      found.push_back(numericHost(a->ifa_addr, sizeof(sockaddr_in6)));
  }
  freeifaddrs(list);
  return found;
}

}  // namespace mojara::net
