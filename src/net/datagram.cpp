#include "net/datagram.h"

#include <algorithm>
#include <array>
#include <type_traits>

namespace mojara::net {

namespace {

// Another mark than the first online version's, whose datagrams had no tag: neither takes the
// other's for its own.
constexpr std::array<std::uint8_t, 4> kMark{'M', 'J', 'R', 'C'};
constexpr std::size_t kHeaderSize = kMark.size() + 5 * 4 + 1;
constexpr std::size_t kHelloBytes = kHelloSize - kTagSize;  // without the tag
constexpr std::size_t kMaxVersion = 64;
constexpr int kRosterSize = static_cast<int>(kRoster.size());

enum Kind : std::uint8_t { kHello = 1, kWelcome, kRefusal, kPick, kStart, kInputs, kBye };
constexpr std::uint8_t kLastKind = kBye;

class Writer {
 public:
  template <typename T>
  void number(T value) {
    using U = std::make_unsigned_t<T>;
    U u = static_cast<U>(value);
    for (std::size_t k = 0; k < sizeof(T); ++k) bytes.push_back(static_cast<std::uint8_t>(u >> (8 * k)));
  }
  void text(const std::string& s) {
    number<std::uint8_t>(static_cast<std::uint8_t>(std::min(s.size(), kMaxVersion)));
    bytes.insert(bytes.end(), s.begin(),
                 s.begin() + static_cast<std::ptrdiff_t>(std::min(s.size(), kMaxVersion)));
  }
  std::vector<std::uint8_t> bytes;
};

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  template <typename T>
  T number() {
    using U = std::make_unsigned_t<T>;
    if (bytes_.size() - at_ < sizeof(T)) {
      ok_ = false;
      return T{};
    }
    U u = 0;
    for (std::size_t k = 0; k < sizeof(T); ++k)
      u |= static_cast<U>(static_cast<U>(bytes_[at_ + k]) << (8 * k));
    at_ += sizeof(T);
    return static_cast<T>(u);
  }
  // A whole number that must lie in [low, high].
  template <typename T>
  T within(T low, T high) {
    const T value = number<T>();
    if (value < low || value > high) ok_ = false;
    return value;
  }
  std::string text() {
    const std::size_t size = number<std::uint8_t>();
    if (size > kMaxVersion || bytes_.size() - at_ < size) {
      ok_ = false;
      return {};
    }
    std::string s(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                  bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + size));
    at_ += size;
    for (char c : s)
      if (c < 0x20 || c > 0x7e) ok_ = false;
    return s;
  }
  // Zeros to the end, as a hello's padding.
  void padding() {
    for (; at_ < bytes_.size(); ++at_)
      if (bytes_[at_] != 0) ok_ = false;
  }
  bool whole() const { return ok_ && at_ == bytes_.size(); }
  bool ok() const { return ok_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

void put(Writer& w, const Hello& m) {
  w.number(kHello);
  w.text(m.version);
  w.number(m.rulesChecksum);
  w.number(m.nonce);
  w.bytes.resize(std::max(w.bytes.size(), kHelloBytes), 0);
}
void put(Writer& w, const Welcome& m) {
  w.number(kWelcome);
  w.number(m.nonce);
}
void put(Writer& w, const Refusal& m) {
  w.number(kRefusal);
  w.number(static_cast<std::uint8_t>(m.reason));
  w.number(m.nonce);
  w.text(m.version);
}
void put(Writer& w, const Pick& m) {
  w.number(kPick);
  w.number(m.slot);
  w.number<std::uint8_t>(m.ready ? 1 : 0);
}
void put(Writer& w, const Start& m) {
  w.number(kStart);
  w.number(m.fight);
  w.number(static_cast<std::uint8_t>(m.setup.player));
  w.number(static_cast<std::uint8_t>(m.setup.opponent));
  w.number(static_cast<std::uint8_t>(m.setup.speed));
  for (int side = 0; side <= 1; ++side) w.number(static_cast<std::uint8_t>(m.setup.pow[side]));
  for (int side = 0; side <= 1; ++side) w.number(m.setup.score[side]);
  w.number(m.setup.seed.value_or(0));
  w.number(m.inputDelay);
  w.number(m.timerResolution);
  w.number(m.maxEvents);
}
void put(Writer& w, const Inputs& m) {
  w.number(kInputs);
  w.number(m.fight);
  for (std::uint32_t n : {m.ran, m.pressesAck, m.checksAck, m.bothHave}) w.number(n);
  w.number(m.ended);
  w.number(m.desyncAt);
  w.number(m.firstPress);
  w.number(static_cast<std::uint8_t>(m.presses.size()));
  for (const Presses& p : m.presses) {
    w.number(p.count);
    for (std::uint16_t code : p.codes()) w.number(code);
  }
  w.number(m.firstCheck);
  w.number(static_cast<std::uint8_t>(m.checksums.size()));
  for (std::uint64_t sum : m.checksums) w.number(sum);
}
void put(Writer& w, const Bye& m) {
  w.number(kBye);
  w.number(static_cast<std::uint8_t>(m.reason));
  w.number(m.event);
}

std::optional<Message> take(Reader& r, std::uint8_t kind) {
  switch (kind) {
    case kHello: {
      Hello m;
      m.version = r.text();
      m.rulesChecksum = r.number<std::uint64_t>();
      m.nonce = r.number<std::uint64_t>();
      r.padding();
      return m;
    }
    case kWelcome:
      return Welcome{r.number<std::uint64_t>()};
    case kRefusal: {
      Refusal m;
      m.reason = static_cast<Refusal::Reason>(r.within<std::uint8_t>(1, 4));
      m.nonce = r.number<std::uint64_t>();
      m.version = r.text();
      return m;
    }
    case kPick: {
      Pick m;
      m.slot = r.within<std::int8_t>(-1, kRosterSize - 1);
      m.ready = r.within<std::uint8_t>(0, 1) == 1;
      return m;
    }
    case kStart: {
      Start m;
      m.fight = r.number<std::uint16_t>();
      m.setup.player = r.within<std::uint8_t>(0, kRosterSize - 1);
      m.setup.opponent = r.within<std::uint8_t>(0, kRosterSize - 1);
      m.setup.speed = r.within<std::uint8_t>(1, 20);
      for (int side = 0; side <= 1; ++side) m.setup.pow[side] = r.within<std::uint8_t>(0, 100);
      for (int side = 0; side <= 1; ++side) m.setup.score[side] = r.number<std::int32_t>();
      m.setup.seed = r.number<std::uint64_t>();
      m.setup.versus = true;
      m.inputDelay = r.within<std::uint8_t>(0, 8);
      m.timerResolution = r.within<std::int64_t>(1'000, 60'000'000'000LL);
      m.maxEvents = r.within<std::int64_t>(0, 1'000'000'000'000LL);
      return m;
    }
    case kInputs: {
      Inputs m;
      m.fight = r.number<std::uint16_t>();
      for (std::uint32_t* n : {&m.ran, &m.pressesAck, &m.checksAck, &m.bothHave})
        *n = r.number<std::uint32_t>();
      m.ended = r.number<std::uint32_t>();
      m.desyncAt = r.number<std::uint32_t>();
      m.firstPress = r.number<std::uint32_t>();
      const int pressed = r.within<std::uint8_t>(0, kMaxEventsPerDatagram);
      for (int k = 0; k < pressed && r.ok(); ++k) {
        Presses p;
        const int count = r.within<std::uint8_t>(0, kMaxPressesPerEvent);
        for (int c = 0; c < count && r.ok(); ++c) p.add(r.number<std::uint16_t>());
        m.presses.push_back(p);
      }
      m.firstCheck = r.number<std::uint32_t>();
      const int checked = r.within<std::uint8_t>(0, kMaxEventsPerDatagram);
      for (int k = 0; k < checked && r.ok(); ++k) m.checksums.push_back(r.number<std::uint64_t>());
      // Events are counted from 1: a list never starts at 0.
      if ((!m.presses.empty() && m.firstPress == 0) || (!m.checksums.empty() && m.firstCheck == 0))
        return std::nullopt;
      return m;
    }
    case kBye: {
      Bye m;
      m.reason = static_cast<Bye::Reason>(r.within<std::uint8_t>(1, 2));
      m.event = r.number<std::uint32_t>();
      return m;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

std::vector<std::uint8_t> encode(const Datagram& datagram) {
  Writer w;
  w.bytes.assign(kMark.begin(), kMark.end());
  for (std::uint32_t n : {datagram.session, datagram.sequence, datagram.stamp, datagram.echo, datagram.held})
    w.number(n);
  std::visit([&](const auto& m) { put(w, m); }, datagram.message);
  return std::move(w.bytes);
}

std::optional<Datagram> decode(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > kMaxDatagram - kTagSize || bytes.size() < kHeaderSize) return std::nullopt;
  if (!std::equal(kMark.begin(), kMark.end(), bytes.begin())) return std::nullopt;
  const std::uint8_t kind = bytes[kHeaderSize - 1];
  if (kind == 0 || kind > kLastKind || (kind == kHello && bytes.size() != kHelloBytes)) return std::nullopt;
  Reader r(bytes.subspan(kMark.size()));
  Datagram d;
  for (std::uint32_t* n : {&d.session, &d.sequence, &d.stamp, &d.echo, &d.held})
    *n = r.number<std::uint32_t>();
  auto message = take(r, r.number<std::uint8_t>());
  if (!message || !r.whole()) return std::nullopt;
  d.message = std::move(*message);
  return d;
}

}  // namespace mojara::net
