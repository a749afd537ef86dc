#include "net/udp_socket.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace mojara::net {

namespace {

std::string systemError(int error) { return std::strerror(error); }

int openSocket(int family) {
  const int fd = ::socket(family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) throw NetError("cannot open a UDP socket: " + systemError(errno));
  return fd;
}

// Each datagram comes with the address it was written to.
void askForDestinations(int fd, int family) {
  const int on = 1;
  if (family == AF_INET6) setsockopt(fd, IPPROTO_IPV6, IPV6_RECVPKTINFO, &on, sizeof on);
  setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
}

// An IPv4 address as a socket of both families writes it: ::ffff:a.b.c.d.
sockaddr_in6 mapped(const sockaddr_in& four) {
  sockaddr_in6 six{};
  six.sin6_family = AF_INET6;
  six.sin6_port = four.sin_port;
  six.sin6_addr.s6_addr[10] = six.sin6_addr.s6_addr[11] = 0xff;
  std::memcpy(six.sin6_addr.s6_addr + 12, &four.sin_addr, 4);
  return six;
}

Address addressOf(int family, const void* ip, std::uint16_t port) {
  Address a;
  if (family == AF_INET) {
    sockaddr_in four{};
    four.sin_family = AF_INET;
    four.sin_port = port;
    std::memcpy(&four.sin_addr, ip, sizeof four.sin_addr);
    std::memcpy(&a.storage, &four, sizeof four);
    a.size = sizeof four;
  } else {
    sockaddr_in6 six{};
    six.sin6_family = AF_INET6;
    six.sin6_port = port;
    std::memcpy(&six.sin6_addr, ip, sizeof six.sin6_addr);
    std::memcpy(&a.storage, &six, sizeof six);
    a.size = sizeof six;
  }
  return plain(a);
}

}  // namespace

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
      if (::bind(fd, reinterpret_cast<const sockaddr*>(&local.storage), local.size) == 0) {
        askForDestinations(fd, AF_INET6);
        return UdpSocket(fd, AF_INET6);
      }
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
  askForDestinations(s.fd_, s.family_);
  return s;
}

UdpSocket UdpSocket::towards(const Address& peer) {
  UdpSocket s(openSocket(peer.storage.ss_family), peer.storage.ss_family);
  if (::connect(s.fd_, reinterpret_cast<const sockaddr*>(&peer.storage), peer.size) != 0)
    throw NetError("cannot send to " + peer.text() + ": " + systemError(errno));
  return s;
}

UdpSocket::UdpSocket(UdpSocket&& other) noexcept
    : fd_(other.fd_), family_(other.family_), unreachable_(other.unreachable_) {
  other.fd_ = -1;
}

UdpSocket& UdpSocket::operator=(UdpSocket&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    family_ = other.family_;
    unreachable_ = other.unreachable_;
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

void UdpSocket::send(const Address& to, const Address& from, std::span<const std::uint8_t> bytes) {
  sockaddr_storage target{};
  socklen_t targetSize = to.size;
  std::memcpy(&target, &to.storage, to.size);
  if (family_ == AF_INET6 && to.storage.ss_family == AF_INET) {
    const sockaddr_in6 six = mapped(reinterpret_cast<const sockaddr_in&>(to.storage));
    std::memcpy(&target, &six, sizeof six);
    targetSize = sizeof six;
  }
  iovec data{const_cast<std::uint8_t*>(bytes.data()), bytes.size()};
  msghdr message{};
  message.msg_name = &target;
  message.msg_namelen = targetSize;
  message.msg_iov = &data;
  message.msg_iovlen = 1;
  // From the address the peer wrote to, so that its answers come from where it expects them.
  alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in6_pktinfo))] = {};
  if (!from.empty()) {
    message.msg_control = control;
    cmsghdr* c = reinterpret_cast<cmsghdr*>(control);
    if (family_ == AF_INET6) {
      in6_pktinfo info{};
      if (from.storage.ss_family == AF_INET)
        info.ipi6_addr = mapped(reinterpret_cast<const sockaddr_in&>(from.storage)).sin6_addr;
      else
        info.ipi6_addr = reinterpret_cast<const sockaddr_in6&>(from.storage).sin6_addr;
      c->cmsg_level = IPPROTO_IPV6;
      c->cmsg_type = IPV6_PKTINFO;
      c->cmsg_len = CMSG_LEN(sizeof info);
      std::memcpy(CMSG_DATA(c), &info, sizeof info);
      message.msg_controllen = CMSG_SPACE(sizeof info);
    } else {
      in_pktinfo info{};
      info.ipi_spec_dst = reinterpret_cast<const sockaddr_in&>(from.storage).sin_addr;
      c->cmsg_level = IPPROTO_IP;
      c->cmsg_type = IP_PKTINFO;
      c->cmsg_len = CMSG_LEN(sizeof info);
      std::memcpy(CMSG_DATA(c), &info, sizeof info);
      message.msg_controllen = CMSG_SPACE(sizeof info);
    }
  }
  if (::sendmsg(fd_, &message, MSG_NOSIGNAL) < 0 && errno == ECONNREFUSED) unreachable_ = true;
}

std::optional<Received> UdpSocket::receive(std::span<std::uint8_t> buffer) {
  Received r;
  sockaddr_storage from{};
  iovec data{buffer.data(), buffer.size()};
  alignas(cmsghdr) char control[256];
  msghdr message{};
  message.msg_name = &from;
  message.msg_namelen = sizeof from;
  message.msg_iov = &data;
  message.msg_iovlen = 1;
  message.msg_control = control;
  message.msg_controllen = sizeof control;
  // MSG_TRUNC: the datagram's real length, so an oversized one is known for what it is.
  const ssize_t size = ::recvmsg(fd_, &message, MSG_TRUNC);
  if (size < 0) {
    if (errno == ECONNREFUSED) unreachable_ = true;
    return std::nullopt;
  }
  r.size = static_cast<std::size_t>(size);
  std::memcpy(&r.from.storage, &from, message.msg_namelen);
  r.from.size = message.msg_namelen;
  r.from = plain(r.from);
  for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
    if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
      in_pktinfo info;
      std::memcpy(&info, CMSG_DATA(c), sizeof info);
      r.to = addressOf(AF_INET, &info.ipi_addr, 0);
    } else if (c->cmsg_level == IPPROTO_IPV6 && c->cmsg_type == IPV6_PKTINFO) {
      in6_pktinfo info;
      std::memcpy(&info, CMSG_DATA(c), sizeof info);
      r.to = addressOf(AF_INET6, &info.ipi6_addr, 0);
    }
  }
  return r;
}

void UdpSocket::wait(std::chrono::microseconds timeout) {
  pollfd p{fd_, POLLIN, 0};
  // poll's own resolution is a millisecond; shorter waits round up to it.
  const auto ms =
      std::chrono::ceil<std::chrono::milliseconds>(std::max(timeout, std::chrono::microseconds(0)));
  ::poll(&p, 1, static_cast<int>(std::min<long long>(ms.count(), 1000)));
}

}  // namespace mojara::net
