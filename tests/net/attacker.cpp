#include "net/attacker.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>

#include "battle/fight.h"
#include "play/session/room_code.h"

namespace mojara::testing {

std::string runnersVersion() { return MOJARA_VERSION; }
std::uint64_t runnersRules() { return battle::rulesChecksum(); }

const net::RoomKey& roomKey(const std::string& code) {
  static std::mutex lock;
  static std::map<std::string, std::unique_ptr<net::RoomKey>> keys;
  std::lock_guard held(lock);
  auto& key = keys[code];
  if (!key) key = std::make_unique<net::RoomKey>(RoomCode::parse(code).value());
  return *key;
}

std::vector<std::uint8_t> sealed(const net::Datagram& datagram, const net::RoomKey& key, net::Role sender) {
  std::vector<std::uint8_t> bytes = net::encode(datagram);
  key.seal(sender, bytes);
  return bytes;
}

std::vector<std::uint8_t> helloDatagram(const net::RoomKey& key, std::uint64_t nonce,
                                        const std::string& version) {
  return sealed({0, 0, 1, 0, 0, net::Hello{version, runnersRules(), nonce}}, key, net::Role::Joiner);
}

std::optional<net::Datagram> opened(std::span<const std::uint8_t> datagram) {
  if (datagram.size() <= net::kTagSize) return std::nullopt;
  return net::decode(datagram.first(datagram.size() - net::kTagSize));
}

std::optional<net::Datagram> opened(std::string_view datagram) {
  return opened({reinterpret_cast<const std::uint8_t*>(datagram.data()), datagram.size()});
}

net::Inputs farFuture(std::uint16_t fight, std::uint32_t from) {
  net::Inputs in;
  in.fight = fight;
  in.ran = in.pressesAck = in.checksAck = in.bothHave = 0xFFFFFFFFu;
  in.firstPress = in.firstCheck = from;
  for (int k = 0; k < net::kMaxEventsPerDatagram; ++k) {
    net::Presses p;
    for (int c = 0; c < net::kMaxPressesPerEvent; ++c) p.add(static_cast<std::uint16_t>('A' + c));
    in.presses.push_back(p);
    in.checksums.push_back(0x0123456789abcdefULL + static_cast<std::uint64_t>(k));
  }
  return in;
}

net::Address loopback(std::uint16_t port, bool six) { return net::resolve(six ? "::1" : "127.0.0.1", port); }

AttackSocket::AttackSocket(const std::string& local) {
  const net::Address at = net::resolve(local, 0);
  fd_ = ::socket(at.storage.ss_family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "UDP socket");
  if (::bind(fd_, reinterpret_cast<const sockaddr*>(&at.storage), at.size) < 0) {
    const int error = errno;
    ::close(fd_);
    throw std::system_error(error, std::generic_category(), "UDP socket on " + local);
  }
}

AttackSocket::~AttackSocket() { ::close(fd_); }

std::uint16_t AttackSocket::port() const {
  sockaddr_storage a{};
  socklen_t size = sizeof a;
  ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &size);
  return a.ss_family == AF_INET6 ? ntohs(reinterpret_cast<const sockaddr_in6&>(a).sin6_port)
                                 : ntohs(reinterpret_cast<const sockaddr_in&>(a).sin_port);
}

void AttackSocket::send(const net::Address& to, std::span<const std::uint8_t> bytes) {
  // A datagram the system will not take now is lost, as on the wire; it is counted as sent only
  // when it went.
  if (::sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to.storage), to.size) <
      0)
    return;
  ++sent;
  bytesSent += bytes.size();
}

void AttackSocket::drain(std::chrono::milliseconds wait) {
  if (wait.count() > 0) {
    pollfd p{fd_, POLLIN, 0};
    ::poll(&p, 1, static_cast<int>(wait.count()));
  }
  std::array<std::uint8_t, 65536> buffer;
  for (int k = 0; k < 4096; ++k) {
    const ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), 0);
    if (n < 0) break;
    answers.push_back({Clock::now(), {buffer.begin(), buffer.begin() + n}});
    bytesAnswered += static_cast<std::uint64_t>(n);
  }
}

KeyedJoiner::KeyedJoiner(std::uint16_t hostPort, const std::string& code)
    : hostPort_(hostPort), key_(roomKey(code)) {
  std::array<std::uint8_t, 8> bytes{};
  net::randomBytes(bytes);
  std::memcpy(&nonce_, bytes.data(), sizeof nonce_);
  nonce_ |= 1;
}

net::Datagram KeyedJoiner::datagram(net::Message message) {
  const auto us = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - began_).count();
  return {session_, ++sequence_, static_cast<std::uint32_t>(us) | 1u, echo_, 0, std::move(message)};
}

bool KeyedJoiner::join(std::chrono::milliseconds bound) {
  const auto end = Clock::now() + bound;
  const auto hello = helloDatagram(key_, nonce_);
  while (session_ == 0 && Clock::now() < end) {
    socket.send(loopback(hostPort_), hello);
    for (auto wait = Clock::now() + std::chrono::milliseconds(250); session_ == 0 && Clock::now() < wait;) {
      socket.drain(std::chrono::milliseconds(10));
      for (; answersRead_ < socket.answers.size(); ++answersRead_) {
        const auto& bytes = socket.answers[answersRead_].bytes;
        const auto d = opened(bytes);
        if (!d || !key_.opens(net::Role::Host, bytes)) continue;
        if (const auto* welcome = std::get_if<net::Welcome>(&d->message); welcome && welcome->nonce == nonce_)
          session_ = d->session;
      }
    }
  }
  if (session_ == 0) return false;
  send(net::Pick{});
  return true;
}

void KeyedJoiner::send(const net::Message& message) {
  socket.send(loopback(hostPort_), sealed(datagram(message), key_, net::Role::Joiner));
}

void KeyedJoiner::receive(std::chrono::milliseconds wait) {
  socket.drain(wait);
  for (; answersRead_ < socket.answers.size(); ++answersRead_) {
    const auto& bytes = socket.answers[answersRead_].bytes;
    const auto d = opened(bytes);
    if (!d || d->session != session_ || !key_.opens(net::Role::Host, bytes)) continue;
    echo_ = d->stamp;
    if (const auto* start = std::get_if<net::Start>(&d->message)) {
      if (!start_) start_ = *start;
    } else if (const auto* in = std::get_if<net::Inputs>(&d->message);
               in && start_ && in->fight == start_->fight) {
      const long long lastPress = in->firstPress + static_cast<long long>(in->presses.size()) - 1;
      if (!in->presses.empty() && in->firstPress <= hostPresses_ + 1)
        hostPresses_ = std::max(hostPresses_, lastPress);
      const long long lastCheck = in->firstCheck + static_cast<long long>(in->checksums.size()) - 1;
      if (!in->checksums.empty() && in->firstCheck <= hostChecks_ + 1)
        hostChecks_ = std::max(hostChecks_, lastCheck);
      mineAcked_ = std::max<long long>(mineAcked_, in->pressesAck);
    }
  }
}

net::Inputs KeyedJoiner::keepingUp() const {
  net::Inputs in;
  if (!start_) return in;
  in.fight = start_->fight;
  // As far as the host's presses have come: the host may then run a whole prediction window
  // past them, and is never held up.
  const long long mine = hostPresses_;
  in.ran = static_cast<std::uint32_t>(std::max(0LL, mine - start_->inputDelay - 1));
  in.pressesAck = static_cast<std::uint32_t>(hostPresses_);
  in.checksAck = static_cast<std::uint32_t>(hostChecks_);
  in.bothHave = static_cast<std::uint32_t>(std::min(hostPresses_, mineAcked_));
  in.firstPress = static_cast<std::uint32_t>(mineAcked_ + 1);
  for (long long e = mineAcked_ + 1; e <= mine && in.presses.size() < net::kMaxEventsPerDatagram; ++e)
    in.presses.push_back({});
  if (in.presses.empty()) in.firstPress = 0;
  return in;
}

std::optional<Memory> memoryOf(int pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  Memory m;
  bool any = false;
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmRSS:")) m.rssKb = std::atoll(line.c_str() + 6), any = true;
    if (line.starts_with("VmHWM:")) m.peakKb = std::atoll(line.c_str() + 6), any = true;
  }
  if (!any) return std::nullopt;
  return m;
}

}  // namespace mojara::testing
