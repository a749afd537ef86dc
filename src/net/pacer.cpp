#include "net/pacer.h"

#include <algorithm>

namespace mojara::net {

namespace {

constexpr double kMaxSlowEvents = 4;  // events a peer ahead slows by at most, at one look

}  // namespace

void Pacer::start(Clock::time_point origin) {
  origin_ = origin;
  slip_ = {};
}

void Pacer::ran(Clock::time_point now, long long at, long long period) {
  const Clock::duration late = now - due(at);
  if (late > std::chrono::nanoseconds(std::max(period, 1LL))) slip_ += late;
}

void Pacer::keepPace(long long ran, long long peerRan, Clock::duration sincePeerHeard,
                     std::optional<double> rttMs, long long period) {
  if (!rttMs || period <= 0) return;
  using Ms = std::chrono::duration<double, std::milli>;
  const double periodMs = static_cast<double>(period) / 1e6;
  const double peerNow = static_cast<double>(peerRan) + (Ms(sincePeerHeard).count() + *rttMs / 2) / periodMs;
  const double lead = static_cast<double>(ran) - peerNow;
  if (lead > 1)
    slip_ += std::chrono::duration_cast<Clock::duration>(Ms(std::min(lead / 2, kMaxSlowEvents) * periodMs));
}

}  // namespace mojara::net
