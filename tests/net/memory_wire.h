// Datagrams between peers in one process, with no sockets: each end is a Transport at an address
// of its own (127.0.0.N:PORT), and what one sends lands in the other's queue at once, unless the
// test has cut that way or holds the datagram in its own hands. Anyone (a test playing a third
// machine) can put datagrams into an end's queue as from any address.
#pragma once

#include <netinet/in.h>

#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "net/transport.h"

namespace mojara::testing {

inline net::Address loopbackAddress(int n, std::uint16_t port) {
  sockaddr_in four{};
  four.sin_family = AF_INET;
  four.sin_port = htons(port);
  four.sin_addr.s_addr = htonl(0x7f000000u + static_cast<std::uint32_t>(n));
  net::Address a;
  std::memcpy(&a.storage, &four, sizeof four);
  a.size = sizeof four;
  return a;
}

class MemoryWire {
 public:
  struct Datagram {
    net::Address from, to;
    std::vector<std::uint8_t> bytes;
  };

  class End : public net::Transport {
   public:
    End(MemoryWire& wire, net::Address address) : wire_(wire), address_(address) {}
    ~End() override { std::erase(wire_.ends_, this); }
    void send(const net::Address& to, const net::Address&, std::span<const std::uint8_t> bytes) override {
      wire_.carry({address_, to, {bytes.begin(), bytes.end()}});
    }
    std::optional<net::Received> receive(std::span<std::uint8_t> buffer) override {
      if (queue.empty()) return std::nullopt;
      const Datagram d = std::move(queue.front());
      queue.pop_front();
      std::memcpy(buffer.data(), d.bytes.data(), std::min(buffer.size(), d.bytes.size()));
      return net::Received{d.from, address_, d.bytes.size()};
    }
    std::uint16_t port() const override {
      return ntohs(reinterpret_cast<const sockaddr_in&>(address_.storage).sin_port);
    }
    const net::Address& address() const { return address_; }
    std::deque<Datagram> queue;

   private:
    MemoryWire& wire_;
    net::Address address_;
  };

  // A new end at 127.0.0.`n`:`port`; the wire keeps track of it while both live.
  std::unique_ptr<End> end(int n, std::uint16_t port) {
    auto e = std::make_unique<End>(*this, loopbackAddress(n, port));
    ends_.push_back(e.get());
    return e;
  }
  // Every datagram on its way; false from `pass` drops it (a cut, a loss), and it may change it.
  std::function<bool(Datagram&)> pass;
  // What went over the wire, for a test to look at or send again.
  std::vector<Datagram> seen;

  void carry(Datagram d) {
    seen.push_back(d);
    if (seen.size() > 4096) seen.erase(seen.begin(), seen.begin() + 2048);
    if (pass && !pass(d)) return;
    for (End* e : ends_)
      if (e->address() == d.to) e->queue.push_back(std::move(d));
  }
  // A datagram from anywhere to the end at `to`.
  void inject(const net::Address& from, const net::Address& to, std::vector<std::uint8_t> bytes) {
    for (End* e : ends_)
      if (e->address() == to) e->queue.push_back({from, to, std::move(bytes)});
  }

 private:
  std::vector<End*> ends_;
};

}  // namespace mojara::testing
