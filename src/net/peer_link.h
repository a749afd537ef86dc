// The link between two peers: the handshake, the room's keys, the datagrams' numbers, silence and
// the round trip. Every datagram is sealed with the room's key for its way and numbered; what
// does not open, comes from anyone but the peer, belongs to another session or was already taken
// is dropped. Before the host has accepted a joiner it keeps nothing of what it is sent: it
// answers a hello with one datagram no longer than it, a few a second to one address, and takes
// as its joiner the first address that answers its welcome with the key.
#pragma once

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "net/answer_limit.h"
#include "net/datagram.h"
#include "net/room_key.h"
#include "net/transport.h"

namespace mojara::net {

using Clock = std::chrono::steady_clock;

class PeerLink {
 public:
  enum class State {
    Waiting,    // for a joiner, or the host's welcome
    Connected,  // with the peer
    Refused,    // by the host; refusal() says why
    Lost,       // problem() says why
  };
  struct Identity {
    std::string version;              // the program's: peers of two versions do not play
    std::uint64_t rulesChecksum = 0;  // the rules' tables: nor peers whose rules differ
  };

  // The host, taking joiners of the room on `transport`.
  PeerLink(Transport& transport, const RoomKey& key, Identity identity, Clock::time_point now);
  // The joiner of the host at `host`.
  PeerLink(Transport& transport, const RoomKey& key, Identity identity, const Address& host,
           Clock::time_point now);

  // Takes every datagram waiting: answers hellos and takes the host's welcome or refusal here;
  // hands each message of the session to `heard`, with whether it is the newest the peer has
  // sent yet (an older one came late). `heard` says false when the message is malformed for
  // what this end knows (it is counted as bad). Then, while the joiner waits, says hello again
  // when it is due.
  using Heard = std::function<bool(const Message& message, bool newest)>;
  void receive(Clock::time_point now, const Heard& heard);
  // Sends a message of the session to the peer (without a time: at the last time this link was
  // given).
  void send(const Message& message, Clock::time_point now);
  void send(const Message& message) { send(message, lastNow_); }

  State state() const { return state_; }
  bool hosting() const { return role_ == Role::Host; }
  const std::string& problem() const { return problem_; }
  std::optional<Refusal::Reason> refusal() const { return refusal_; }
  // Whether the system said that nothing listens at the host's address.
  bool unreachable() const { return unreachable_; }
  void lose(const std::string& why);

  std::optional<Address> peer() const { return peer_; }
  Clock::time_point lastHeard() const { return lastHeard_; }
  // The heartbeat: when the peer was last told where this end stands, and that it should be at
  // once.
  Clock::time_point lastBeat() const { return lastBeat_; }
  void beat(Clock::time_point now) { lastBeat_ = now; }
  void hurry() { lastBeat_ = Clock::time_point{}; }
  // The round trip in ms, once an answer has told it.
  std::optional<double> rttMs() const { return rttMs_; }

  long long packetsIn() const { return in_; }
  long long packetsOut() const { return out_; }
  long long packetsBad() const { return bad_; }

 private:
  void take(std::span<const std::uint8_t> sealed, const Received& from, Clock::time_point now,
            const Heard& heard);
  void onHello(const Datagram& d, const Hello& hello, std::span<const std::uint8_t> sealed,
               const Received& from, Clock::time_point now);
  bool onHandshake(const Datagram& d, std::span<const std::uint8_t> sealed, const Received& from,
                   Clock::time_point now);
  bool fresh(std::uint32_t sequence, bool& newest);
  void heardStamp(const Datagram& d, Clock::time_point now);
  std::vector<std::uint8_t> sealed(Datagram d, Clock::time_point now);
  std::uint32_t stampOf(Clock::time_point now) const;
  std::uint32_t sessionFor(const Address& address) const;

  Transport& transport_;
  RoomKey key_;
  Role role_;
  Identity identity_;
  Clock::time_point began_, lastHeard_, lastNow_, lastBeat_{}, lastHello_{};
  State state_ = State::Waiting;
  std::string problem_;
  std::optional<Refusal::Reason> refusal_;
  bool unreachable_ = false;
  std::optional<Address> peer_;
  Address local_;                          // this machine's address the peer writes to
  std::uint64_t nonce_ = 0;                // the joiner's hello's
  std::array<std::uint8_t, 32> secret_{};  // the host's, for the session numbers it offers
  std::uint32_t session_ = 0, sent_ = 0;
  std::uint32_t newest_ = 0;  // the highest number taken from the peer, and the 64 before it
  std::uint64_t taken_ = 0;
  std::uint32_t echo_ = 0;
  Clock::time_point echoHeard_{};
  std::optional<double> rttMs_;
  AnswerLimit strangers_, keyed_;  // answers to hellos without the key, and with it
  // The last keyed hellos answered, by nonce and stamp, so that copies of one are not.
  struct Answered {
    std::array<std::pair<std::uint64_t, std::uint32_t>, 64> hellos{};
    std::size_t next = 0;
    bool insert(std::pair<std::uint64_t, std::uint32_t> hello) {
      if (std::find(hellos.begin(), hellos.end(), hello) != hellos.end()) return false;
      hellos[next++ % hellos.size()] = hello;
      return true;
    }
  } answeredHellos_;
  long long in_ = 0, out_ = 0, bad_ = 0;
};

}  // namespace mojara::net
