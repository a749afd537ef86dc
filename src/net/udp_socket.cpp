#include "net/udp_socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>

namespace mojara::net {

namespace {

std::string systemError(int error) { return std::strerror(error); }

std::string numericHost(const sockaddr* address, socklen_t size) {
  char host[NI_MAXHOST] = {};
  if (getnameinfo(address, size, host, sizeof host, nullptr, 0, NI_NUMERICHOST) != 0) return "?";
  return host;
}

int openSocket(int family) {
  const int fd = ::socket(family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) throw NetError("cannot open a UDP socket: " + systemError(errno));
  return fd;
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
  return false;
}

std::string Address::text() const {
  const auto* address = reinterpret_cast<const sockaddr*>(&storage);
  if (storage.ss_family == AF_INET6)
    return "[" + numericHost(address, size) + "]:" +
           std::to_string(ntohs(reinterpret_cast<const sockaddr_in6&>(storage).sin6_port));
  if (storage.ss_family == AF_INET)
    return numericHost(address, size) + ":" + std::to_string(ntohs(reinterpret_cast<const sockaddr_in&>(storage).sin_port));
  return "?";
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
  return address;
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
    if (port.empty() || error != std::errc{} || end != port.data() + port.size() || value < 1 || value > 65535)
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
    else if (family == AF_INET6 && !IN6_IS_ADDR_LINKLOCAL(&reinterpret_cast<const sockaddr_in6*>(a->ifa_addr)->sin6_addr))
      found.push_back(numericHost(a->ifa_addr, sizeof(sockaddr_in6)));
  }
  freeifaddrs(list);
  return found;
}

UdpSocket UdpSocket::bound(const std::string& address, std::uint16_t port) {
  Address local;
  if (address.empty()) {
    // Every address of this machine, IPv6 and IPv4 alike where the system allows it.
    auto& any = reinterpret_cast<sockaddr_in6&>(local.storage);
    any.sin6_family = AF_INET6;
    any.sin6_addr = in6addr_any;
    any.sin6_port = htons(port);
    local.size = sizeof any;
    const int fd = ::socket(AF_INET6, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd >= 0) {
      int off = 0;
      setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof off);
      if (::bind(fd, reinterpret_cast<const sockaddr*>(&local.storage), local.size) == 0) return UdpSocket(fd, AF_INET6);
      const int error = errno;
      ::close(fd);
      if (error == EADDRINUSE) throw NetError("UDP port " + std::to_string(port) + " is in use");
    }
    local = resolve("0.0.0.0", port);
  } else {
    local = resolve(address, port);
  }
  UdpSocket s(openSocket(local.storage.ss_family), local.storage.ss_family);
  if (::bind(s.fd_, reinterpret_cast<const sockaddr*>(&local.storage), local.size) != 0) {
    const int error = errno;
    if (error == EADDRINUSE) throw NetError("UDP port " + std::to_string(port) + " is in use");
    throw NetError("cannot listen on " + local.text() + ": " + systemError(error));
  }
  return s;
}

UdpSocket UdpSocket::towards(const Address& peer) {
  return UdpSocket(openSocket(peer.storage.ss_family), peer.storage.ss_family);
}

UdpSocket::UdpSocket(UdpSocket&& other) noexcept : fd_(other.fd_), family_(other.family_) { other.fd_ = -1; }

UdpSocket& UdpSocket::operator=(UdpSocket&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    family_ = other.family_;
    other.fd_ = -1;
  }
  return *this;
}

UdpSocket::~UdpSocket() {
  if (fd_ >= 0) ::close(fd_);
}

std::uint16_t UdpSocket::port() const {
  sockaddr_storage local{};
  socklen_t size = sizeof local;
  if (getsockname(fd_, reinterpret_cast<sockaddr*>(&local), &size) != 0) return 0;
  if (local.ss_family == AF_INET6) return ntohs(reinterpret_cast<const sockaddr_in6&>(local).sin6_port);
  return ntohs(reinterpret_cast<const sockaddr_in&>(local).sin_port);
}

void UdpSocket::send(const Address& to, std::span<const std::uint8_t> bytes) {
  Address target = to;
  if (family_ == AF_INET6 && to.storage.ss_family == AF_INET) {
    // An IPv4 peer of a socket of both families: written as ::ffff:a.b.c.d.
    const auto& four = reinterpret_cast<const sockaddr_in&>(to.storage);
    sockaddr_in6 six{};
    six.sin6_family = AF_INET6;
    six.sin6_port = four.sin_port;
    six.sin6_addr.s6_addr[10] = six.sin6_addr.s6_addr[11] = 0xff;
    std::memcpy(six.sin6_addr.s6_addr + 12, &four.sin_addr, 4);
    target.storage = {};
    std::memcpy(&target.storage, &six, sizeof six);
    target.size = sizeof six;
  }
  ::sendto(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&target.storage),
           target.size);
}

std::optional<UdpSocket::Received> UdpSocket::receive(std::span<std::uint8_t> buffer) {
  Received r;
  r.from.size = sizeof r.from.storage;
  // MSG_TRUNC: the datagram's real length, so an oversized one is known for what it is.
  const ssize_t size = ::recvfrom(fd_, buffer.data(), buffer.size(), MSG_TRUNC,
                                  reinterpret_cast<sockaddr*>(&r.from.storage), &r.from.size);
  if (size < 0) return std::nullopt;
  r.size = static_cast<std::size_t>(size);
  // An IPv4 peer on a socket of both families arrives as ::ffff:a.b.c.d; it is kept as IPv4.
  if (r.from.storage.ss_family == AF_INET6) {
    const auto& six = reinterpret_cast<const sockaddr_in6&>(r.from.storage);
    if (IN6_IS_ADDR_V4MAPPED(&six.sin6_addr)) {
      sockaddr_in four{};
      four.sin_family = AF_INET;
      four.sin_port = six.sin6_port;
      std::memcpy(&four.sin_addr, six.sin6_addr.s6_addr + 12, 4);
      r.from.storage = {};
      std::memcpy(&r.from.storage, &four, sizeof four);
      r.from.size = sizeof four;
    }
  }
  return r;
}

void UdpSocket::wait(std::chrono::microseconds timeout) {
  pollfd p{fd_, POLLIN, 0};
  // poll's own resolution is a millisecond; shorter waits round up to it.
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(std::max(timeout, std::chrono::microseconds(0)));
  ::poll(&p, 1, static_cast<int>(std::min<long long>(ms.count(), 1000)));
}

}  // namespace mojara::net
