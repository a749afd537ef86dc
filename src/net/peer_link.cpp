#include "net/peer_link.h"

#include <array>
#include <cstring>

namespace mojara::net {

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

constexpr auto kHelloEvery = milliseconds(250);
constexpr int kMaxDatagramsAPoll = 256;
constexpr int kWindow = 64;  // datagrams that may come out of order
constexpr double kLongestRoundTripMs = 60'000;

std::uint64_t randomNumber() {
  std::array<std::uint8_t, 8> bytes{};
  randomBytes(bytes);
  std::uint64_t n = 0;
  for (std::uint8_t b : bytes) n = n << 8 | b;
  return n | 1;
}

std::string refusalText(Refusal::Reason reason, const std::string& hostVersion, const std::string& mine) {
  switch (reason) {
    case Refusal::Version:
      return "the host's program is version " + hostVersion + " and this one " + mine +
             ": both need the same version";
    case Refusal::Rules:
      return "the host's program has other rules (built differently): the fights would part";
    case Refusal::Busy:
      return "the host is already playing someone else";
    case Refusal::WrongCode:
      return "the host's room has another code: check the code your friend gave";
  }
  return "the host refused";
}

}  // namespace

PeerLink::PeerLink(Transport& transport, const RoomKey& key, Identity identity, Clock::time_point now)
    : transport_(transport),
      key_(key),
      role_(Role::Host),
      identity_(std::move(identity)),
      began_(now),
      lastHeard_(now),
      lastNow_(now) {
  randomBytes(secret_);
}

PeerLink::PeerLink(Transport& transport, const RoomKey& key, Identity identity, const Address& host,
                   Clock::time_point now)
    : transport_(transport),
      key_(key),
      role_(Role::Joiner),
      identity_(std::move(identity)),
      began_(now),
      lastHeard_(now),
      lastNow_(now),
      peer_(plain(host)),
      nonce_(randomNumber()) {}

std::uint32_t PeerLink::stampOf(Clock::time_point now) const {
  return static_cast<std::uint32_t>(std::chrono::duration_cast<microseconds>(now - began_).count()) | 1u;
}

std::uint32_t PeerLink::sessionFor(const Address& address) const {
  const Address a = plain(address);
  const auto mac = hmacSha256(secret_, {reinterpret_cast<const std::uint8_t*>(&a.storage), a.size});
  std::uint32_t session = 0;
  std::memcpy(&session, mac.data(), sizeof session);
  return session == 0 ? 1 : session;
}

std::vector<std::uint8_t> PeerLink::sealed(Datagram d, Clock::time_point now) {
  d.stamp = stampOf(now);
  if (d.echo == 0 && echo_ != 0) {
    d.echo = echo_;
    d.held = static_cast<std::uint32_t>(std::chrono::duration_cast<microseconds>(now - echoHeard_).count());
  }
  std::vector<std::uint8_t> bytes = encode(d);
  key_.seal(role_, bytes);
  return bytes;
}

void PeerLink::send(const Message& message, Clock::time_point now) {
  if (!peer_) return;
  lastNow_ = std::max(lastNow_, now);
  const std::vector<std::uint8_t> bytes = sealed({session_, ++sent_, 0, 0, 0, message}, now);
  transport_.send(*peer_, local_, bytes);
  ++out_;
}

void PeerLink::lose(const std::string& why) {
  if (state_ == State::Lost) return;
  state_ = State::Lost;
  problem_ = why;
}

void PeerLink::receive(Clock::time_point now, const Heard& heard) {
  lastNow_ = std::max(lastNow_, now);
  std::array<std::uint8_t, kMaxDatagram + 1> buffer;
  for (int k = 0; k < kMaxDatagramsAPoll; ++k) {
    const auto received = transport_.receive(buffer);
    if (!received) break;
    ++in_;
    if (received->size > kMaxDatagram || received->size <= kTagSize) {
      ++bad_;
      continue;
    }
    take(std::span<const std::uint8_t>(buffer.data(), received->size), *received, now, heard);
  }
  if (role_ == Role::Joiner && state_ == State::Waiting) {
    if (transport_.unreachable()) {
      unreachable_ = true;
      return lose("nothing answers at " + peer_->text() + " (the system says no program listens there)");
    }
    if (now - lastHello_ >= kHelloEvery) {
      transport_.send(
          *peer_, {},
          sealed({0, 0, 0, 0, 0, Hello{identity_.version, identity_.rulesChecksum, nonce_}}, now));
      ++out_;
      lastHello_ = now;
    }
  }
}

void PeerLink::take(std::span<const std::uint8_t> bytes, const Received& from, Clock::time_point now,
                    const Heard& heard) {
  const auto d = decode(bytes.first(bytes.size() - kTagSize));
  if (!d) {
    ++bad_;
    return;
  }
  if (const auto* hello = std::get_if<Hello>(&d->message)) return onHello(*d, *hello, bytes, from, now);
  if (state_ == State::Waiting && onHandshake(*d, bytes, from, now)) return;
  const bool fromPeer = peer_ && from.from == *peer_ && d->session == session_ && d->session != 0;
  if (!fromPeer || !key_.opens(otherRole(role_), bytes)) {
    ++bad_;
    return;
  }
  bool newest = false;
  if (!fresh(d->sequence, newest)) return;  // had already (the network doubled it)
  if (state_ != State::Connected) return;   // the session's last words, after its end
  lastHeard_ = now;
  if (newest) heardStamp(*d, now);
  if (std::holds_alternative<Welcome>(d->message) || std::holds_alternative<Refusal>(d->message)) return;
  if (!heard(d->message, newest)) ++bad_;
}

void PeerLink::onHello(const Datagram& d, const Hello& hello, std::span<const std::uint8_t> bytes,
                       const Received& from, Clock::time_point now) {
  if (role_ != Role::Host || d.session != 0) {
    ++bad_;
    return;
  }
  Message answer;
  std::uint32_t session = 0;
  const bool keyed = key_.opens(Role::Joiner, bytes);
  if (keyed && !answeredHellos_.insert({hello.nonce, d.stamp})) {
    // A copy of a hello already answered (sent again by whoever saw it, from wherever): a joiner
    // that asks again says hello anew, with a new stamp.
    return;
  }
  if (hello.version != identity_.version) {
    answer = Refusal{Refusal::Version, hello.nonce, identity_.version};
  } else if (!keyed) {
    ++bad_;
    answer = Refusal{Refusal::WrongCode, hello.nonce, identity_.version};
  } else if (hello.rulesChecksum != identity_.rulesChecksum) {
    answer = Refusal{Refusal::Rules, hello.nonce, identity_.version};
  } else if (state_ == State::Waiting || (peer_ && from.from == *peer_)) {
    // Its own session number, which only this address can take up: a hello sent again (the
    // welcome was lost) is welcomed again.
    session = sessionFor(from.from);
    answer = Welcome{hello.nonce};
  } else {
    answer = Refusal{Refusal::Busy, hello.nonce, identity_.version};
  }
  if (keyed && state_ == State::Connected && peer_ && from.from == *peer_) lastHeard_ = now;
  // One answer, never longer than what it answers, a few a second to one address; hellos with the
  // key are answered apart, so that a flood without it cannot keep a friend out.
  const std::vector<std::uint8_t> reply = sealed({session, 0, 0, d.stamp, 0, answer}, now);
  if (reply.size() > bytes.size() || !(keyed ? keyed_ : strangers_).allow(from.from.hostText(), now)) return;
  transport_.send(from.from, from.to, reply);
  ++out_;
}

bool PeerLink::onHandshake(const Datagram& d, std::span<const std::uint8_t> bytes, const Received& from,
                           Clock::time_point now) {
  if (role_ == Role::Host) {
    // The first datagram of a session whose welcome only this address was given, and sealed
    // with the key: this is the joiner.
    if (d.session == 0 || d.session != sessionFor(from.from) || !key_.opens(Role::Joiner, bytes)) {
      ++bad_;
      return true;
    }
    peer_ = from.from;
    local_ = from.to;
    session_ = d.session;
    state_ = State::Connected;
    return false;  // taken as the session's, below
  }
  if (!peer_ || !(from.from == *peer_)) {
    ++bad_;
    return true;
  }
  if (const auto* refusal = std::get_if<Refusal>(&d.message)) {
    // Taken without the key (a joiner with the wrong code cannot check it), but only in answer
    // to this joiner's own hello.
    if (refusal->nonce != nonce_) {
      ++bad_;
      return true;
    }
    state_ = State::Refused;
    refusal_ = refusal->reason;
    problem_ = refusalText(refusal->reason, refusal->version, identity_.version);
    return true;
  }
  if (!key_.opens(Role::Host, bytes)) {
    ++bad_;
    return true;
  }
  if (const auto* welcome = std::get_if<Welcome>(&d.message);
      welcome && welcome->nonce == nonce_ && d.session != 0) {
    session_ = d.session;
    state_ = State::Connected;
    lastHeard_ = now;
    heardStamp(d, now);
    hurry();  // the host takes this joiner at its first datagram of the session
  }
  // Anything else of the host's overtook its welcome: it comes again.
  return true;
}

bool PeerLink::fresh(std::uint32_t sequence, bool& newest) {
  if (sequence == 0) return false;
  if (sequence > newest_) {
    const std::uint32_t ahead = sequence - newest_;
    taken_ = ahead >= kWindow ? 0 : taken_ << ahead;
    taken_ |= 1;
    newest_ = sequence;
    newest = true;
    return true;
  }
  const std::uint32_t behind = newest_ - sequence;
  if (behind >= kWindow || (taken_ >> behind & 1)) return false;
  taken_ |= std::uint64_t{1} << behind;
  return true;
}

void PeerLink::heardStamp(const Datagram& d, Clock::time_point now) {
  echo_ = d.stamp;
  echoHeard_ = now;
  if (d.echo == 0) return;
  const std::uint32_t elapsed = stampOf(now) - d.echo;
  if (d.held > elapsed) return;
  const double rtt = (elapsed - d.held) / 1000.0;
  if (rtt >= kLongestRoundTripMs) return;
  rttMs_ = rttMs_ ? 0.875 * *rttMs_ + 0.125 * rtt : rtt;
}

}  // namespace mojara::net
