// How often a host answers datagrams from machines it has not accepted: a few a second to one
// address, a few dozen a second in all, whatever addresses they claim to come from. What it keeps
// is a fixed-size table, so a flood from many addresses costs it no more memory.
#pragma once

#include <array>
#include <chrono>
#include <string>

namespace mojara::net {

class AnswerLimit {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int kPerAddress = 4;  // answers a second, to one address
  static constexpr int kInAll = 40;      // answers a second, to every address

  // Whether an answer may go to `host` now (and, if so, it is counted).
  bool allow(const std::string& host, Clock::time_point now);

 private:
  struct Bucket {
    std::string host;
    double tokens = 0;
    Clock::time_point filled{};
  };
  static void fill(Bucket& bucket, Clock::time_point now, int perSecond);
  std::array<Bucket, 64> buckets_{};
  Bucket all_;
};

}  // namespace mojara::net
