#include "net/impaired_relay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <optional>
#include <queue>
#include <system_error>
#include <utility>
#include <vector>

namespace mojara::testing {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kQueueLimit = 4096;  // datagrams on their way; more are dropped
constexpr int kReadsPerWake = 256;         // so that one socket's flood never starves the other
constexpr int kJunkPerWake = 16;           // after a stall, the junk it missed is not sent at once

sockaddr_in loopback(std::uint16_t port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return a;
}

double uniform(std::mt19937_64& random, double low, double high) {
  return std::uniform_real_distribution<double>(low, high)(random);
}

bool chance(std::mt19937_64& random, double p) { return p > 0 && uniform(random, 0, 1) < p; }

}  // namespace

LoopbackSocket::LoopbackSocket() {
  fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "UDP socket");
  const int buffer = 1 << 20;  // a burst should not be lost here, only where a test chooses
  ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
  sockaddr_in a = loopback(0);
  socklen_t size = sizeof a;
  if (::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) < 0 ||
      ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &size) < 0) {
    const int error = errno;
    ::close(fd_);
    throw std::system_error(error, std::generic_category(), "UDP socket on 127.0.0.1");
  }
  port_ = ntohs(a.sin_port);
}

LoopbackSocket::~LoopbackSocket() { ::close(fd_); }

void LoopbackSocket::sendTo(std::uint16_t port, std::string_view data) const {
  const sockaddr_in to = loopback(port);
  (void)::sendto(fd_, data.data(), data.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

std::optional<std::pair<std::string, std::uint16_t>> LoopbackSocket::receive() const {
  thread_local std::vector<char> buffer(kLargestDatagram + 1);
  sockaddr_in from{};
  socklen_t size = sizeof from;
  const ssize_t n =
      ::recvfrom(fd_, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &size);
  if (n < 0) return std::nullopt;
  return std::pair{std::string(buffer.data(), static_cast<std::size_t>(n)), ntohs(from.sin_port)};
}

std::string junkDatagram(std::mt19937_64& random, std::string_view real) {
  auto bytes = [&](std::size_t n) {
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(random() & 0xff);
    return s;
  };
  auto size = [&](std::size_t low, std::size_t high) {
    return std::uniform_int_distribution<std::size_t>(low, high)(random);
  };
  switch (real.empty() ? 0 : random() % 3) {
    case 0:
      return bytes(size(1, 1500));
    case 1:  // what a real one starts with, cut short (down to nothing at all)
      return std::string(real.substr(0, size(0, real.size() - 1)));
    default:  // what a real one starts with, then far more than any real one holds
      return std::string(real) +
             bytes(size(std::max<std::size_t>(real.size(), 1500) + 1, kLargestDatagram) - real.size());
  }
}

struct ImpairedRelay::Queued {
  Clock::time_point due;
  std::uint64_t order;  // among those due at once, first come first sent
  bool toHost;
  std::string data;
  bool operator>(const Queued& o) const { return due != o.due ? due > o.due : order > o.order; }
};

ImpairedRelay::ImpairedRelay(std::uint16_t hostPort, Impairment toHost, Impairment toJoiner,
                             std::uint64_t seed, Tap tap)
    : hostPort_(hostPort), toHost_(toHost), toJoiner_(toJoiner), tap_(std::move(tap)), random_(seed) {
  thread_ = std::jthread([this](std::stop_token stop) { run(stop); });
}

ImpairedRelay::~ImpairedRelay() = default;

RelayCounts ImpairedRelay::counts() const {
  std::lock_guard lock(countsLock_);
  return counts_;
}

void ImpairedRelay::run(std::stop_token stop) {
  std::priority_queue<Queued, std::vector<Queued>, std::greater<>> queue;
  std::uint64_t order = 0;
  std::array<std::string, 2> lastReal;  // per direction: to the host, to the joiner
  const Clock::time_point start = Clock::now();
  std::optional<Clock::time_point> joinerFirst;  // when the joiner first sent
  auto nextJunk = [&](const Impairment& way, Clock::time_point from) {
    if (way.junkPerSecond <= 0) return Clock::time_point::max();
    const double seconds = std::exponential_distribution<double>(way.junkPerSecond)(random_);
    return from + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  };
  std::array<Clock::time_point, 2> junkDue{nextJunk(toHost_, start), nextJunk(toJoiner_, start)};

  // One datagram in, for one direction (a real one, or one the tap added): lost, or queued once
  // or twice.
  auto take = [&](bool toHost, std::string_view data, bool forged) {
    const Impairment& way = toHost ? toHost_ : toJoiner_;
    std::lock_guard lock(countsLock_);
    DirectionCounts& n = toHost ? counts_.toHost : counts_.toJoiner;
    ++(forged ? n.forged : n.received);
    if (!forged) lastReal[toHost ? 0 : 1] = data;
    if (toHost && !joinerFirst) joinerFirst = Clock::now();
    const bool cut = way.cutAfterMs > 0 && joinerFirst &&
                     Clock::now() - *joinerFirst >= std::chrono::duration<double, std::milli>(way.cutAfterMs);
    if (cut || chance(random_, way.loss)) {
      ++n.dropped;
      return;
    }
    const int copies = chance(random_, way.duplication) ? 2 : 1;
    n.duplicated += copies - 1;
    for (int copy = 0; copy < copies; ++copy) {
      double ms = std::max(
          0.0, way.latencyMs + (way.jitterMs > 0 ? uniform(random_, -way.jitterMs, way.jitterMs) : 0));
      if (chance(random_, way.reordering)) {
        ms += uniform(random_, way.reorderMs / 2, way.reorderMs);
        ++n.reordered;
      }
      if (queue.size() >= kQueueLimit) {
        ++n.dropped;
        continue;
      }
      const auto due = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                          std::chrono::duration<double, std::milli>(ms));
      queue.push({due, order++, toHost, std::string(data)});
    }
  };
  auto pass = [&](bool toHost, const std::string& data) {
    take(toHost, data, false);
    if (tap_)
      for (const std::string& extra : tap_(toHost, data)) take(toHost, extra, true);
  };

  while (!stop.stop_requested()) {
    const Clock::time_point now = Clock::now();
    while (!queue.empty() && queue.top().due <= now) {
      const Queued& q = queue.top();
      const std::uint16_t joiner = joinerPort_.load();
      if (q.toHost || joiner != 0) {
        {
          std::lock_guard lock(countsLock_);  // counted first: it may be read as soon as it is sent
          ++(q.toHost ? counts_.toHost : counts_.toJoiner).forwarded;
        }
        (q.toHost ? back_ : front_).sendTo(q.toHost ? hostPort_ : joiner, q.data);
      }
      queue.pop();
    }
    for (int way = 0; way < 2; ++way) {
      const bool toHost = way == 0;
      for (int sent = 0; junkDue[way] <= now; ++sent) {
        const std::uint16_t joiner = joinerPort_.load();
        if (sent == kJunkPerWake) junkDue[way] = now;
        junkDue[way] = nextJunk(toHost ? toHost_ : toJoiner_, junkDue[way]);
        if (!toHost && joiner == 0) continue;
        {
          std::lock_guard lock(countsLock_);
          ++(toHost ? counts_.toHost : counts_.toJoiner).injected;
        }
        (toHost ? back_ : front_).sendTo(toHost ? hostPort_ : joiner, junkDatagram(random_, lastReal[way]));
      }
    }

    // Sleep until the next datagram or junk is due, a few milliseconds at most so that a stop is
    // seen soon.
    Clock::time_point wake = std::min({now + std::chrono::milliseconds(5), junkDue[0], junkDue[1]});
    if (!queue.empty()) wake = std::min(wake, queue.top().due);
    const auto waitMs = std::chrono::ceil<std::chrono::milliseconds>(wake - now).count();
    std::array<pollfd, 2> fds{{{front_.fd(), POLLIN, 0}, {back_.fd(), POLLIN, 0}}};
    if (::poll(fds.data(), fds.size(), static_cast<int>(std::max<long long>(waitMs, 0))) <= 0) continue;
    for (int reads = 0; reads < kReadsPerWake; ++reads) {
      const auto fromJoiner = front_.receive();
      if (fromJoiner) {
        std::uint16_t unknown = 0;
        joinerPort_.compare_exchange_strong(unknown, fromJoiner->second);
        if (fromJoiner->second == joinerPort_.load()) pass(true, fromJoiner->first);
      }
      const auto fromHost = back_.receive();
      if (fromHost && fromHost->second == hostPort_) pass(false, fromHost->first);
      if (!fromJoiner && !fromHost) break;
    }
  }
}

}  // namespace mojara::testing
