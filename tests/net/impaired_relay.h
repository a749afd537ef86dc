// A UDP relay between two online peers on this machine that makes the way between them as bad as
// a poor internet connection: late, uneven, lossy, doubled, out of order, and full of junk. The
// joiner sends to the relay's front port; the relay passes that on to the host from its back
// socket, and what the host sends back to the back socket on to the joiner (whose address it
// learns from the joiner's first datagram) through the front socket. 127.0.0.1 only.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace mojara::testing {

// What one direction does to the datagrams that take it. Probabilities are 0..1, times in ms.
struct Impairment {
  double latencyMs = 0;  // one way
  double jitterMs = 0;   // each datagram's latency is off by up to this much, either way
  double loss = 0;
  double duplication = 0;  // a second copy is sent, with a latency and jitter of its own
  double reordering = 0;   // held back up to reorderMs more, so that later datagrams overtake it
  double reorderMs = 40;
  double junkPerSecond = 0;  // junk sent to this direction's receiver, from its peer's address
  double cutAfterMs =
      0;  // from this long after the joiner's first datagram, every datagram is lost (0: never)
};

// What one direction has done so far.
struct DirectionCounts {
  std::uint64_t received = 0;   // real datagrams that came in
  std::uint64_t forwarded = 0;  // real datagrams sent on, copies included
  std::uint64_t dropped = 0;    // lost on purpose, or beyond the bounded queue
  std::uint64_t duplicated = 0;
  std::uint64_t reordered = 0;
  std::uint64_t injected = 0;  // junk datagrams sent
  std::uint64_t forged = 0;    // datagrams the tap added
};

struct RelayCounts {
  DirectionCounts toHost, toJoiner;
};

// One junk datagram: random bytes, a truncated copy of `real` (when there is one), or an
// oversized datagram of up to the largest a UDP datagram can be.
std::string junkDatagram(std::mt19937_64& random, std::string_view real);

// The largest payload of a UDP datagram over IPv4.
inline constexpr std::size_t kLargestDatagram = 65507;

// A non-blocking UDP socket bound to an ephemeral port of 127.0.0.1.
class LoopbackSocket {
 public:
  LoopbackSocket();  // throws std::system_error
  ~LoopbackSocket();
  LoopbackSocket(const LoopbackSocket&) = delete;
  LoopbackSocket& operator=(const LoopbackSocket&) = delete;

  int fd() const { return fd_; }
  std::uint16_t port() const { return port_; }
  // A datagram that fails to go is lost, as the network may lose it anyway.
  void sendTo(std::uint16_t port, std::string_view data) const;
  // One datagram that has come in, and the port it came from; none when none waits.
  std::optional<std::pair<std::string, std::uint16_t>> receive() const;

 private:
  int fd_ = -1;
  std::uint16_t port_ = 0;
};

class ImpairedRelay {
 public:
  // Someone on the way between the peers: shown every real datagram as it comes in (on the
  // relay's thread), it gives the datagrams to send the same way right after it, from the same
  // sender's address as the receiver sees it, impaired alike.
  using Tap = std::function<std::vector<std::string>(bool toHost, const std::string& datagram)>;

  // Starts relaying to the host's port on 127.0.0.1 at once, on a thread of its own; the same
  // seed makes the same choices for the same datagrams. Throws std::system_error when a socket
  // cannot be set up.
  ImpairedRelay(std::uint16_t hostPort, Impairment toHost, Impairment toJoiner, std::uint64_t seed,
                Tap tap = {});
  ~ImpairedRelay();  // stops and joins the thread
  ImpairedRelay(const ImpairedRelay&) = delete;
  ImpairedRelay& operator=(const ImpairedRelay&) = delete;

  std::uint16_t frontPort() const { return front_.port(); }
  std::uint16_t backPort() const { return back_.port(); }   // the joiner's port as the host sees it
  std::uint16_t joinerPort() const { return joinerPort_; }  // 0 until the joiner has sent
  RelayCounts counts() const;

 private:
  struct Queued;
  void run(std::stop_token stop);

  LoopbackSocket front_, back_;
  std::uint16_t hostPort_;
  std::atomic<std::uint16_t> joinerPort_{0};
  Impairment toHost_, toJoiner_;
  Tap tap_;
  std::mt19937_64 random_;
  mutable std::mutex countsLock_;
  RelayCounts counts_;
  std::jthread thread_;  // last: it stops and joins before anything above goes
};

}  // namespace mojara::testing
