#include "net/input_channel.h"

#include <algorithm>

namespace mojara::net {

InputChannel::InputChannel(std::uint16_t fight, int inputDelay, int predictionLimit, Clock::time_point now)
    : fight_(fight), inputDelay_(inputDelay), predictionLimit_(predictionLimit), lastProgress_(now) {}

long long InputChannel::bothHave(const RollbackFight& fight) const {
  return std::min(fight.confirmed(), peerPressesAck_);
}

long long InputChannel::bothKnow(const RollbackFight& fight) const {
  return std::min(bothHave(fight), peerBothHave_);
}

Inputs InputChannel::outgoing(const RollbackFight& fight, long long ended) {
  Inputs in;
  in.fight = fight_;
  in.ran = static_cast<std::uint32_t>(fight.ran());
  in.pressesAck = static_cast<std::uint32_t>(fight.remoteKnown());
  in.checksAck = static_cast<std::uint32_t>(checksReceived_);
  in.bothHave = static_cast<std::uint32_t>(bothHave(fight));
  in.ended = static_cast<std::uint32_t>(ended);
  in.desyncAt = static_cast<std::uint32_t>(desyncAt_);
  const long long firstPress = peerPressesAck_ + 1;
  for (long long event = firstPress; event <= fight.localKnown() && in.presses.size() < kMaxEventsPerDatagram;
       ++event)
    in.presses.push_back(fight.localPresses(event));
  if (!in.presses.empty()) {
    in.firstPress = static_cast<std::uint32_t>(firstPress);
    pressesSent_ =
        std::max<long long>(pressesSent_, firstPress + static_cast<long long>(in.presses.size()) - 1);
  }
  const long long firstCheck = peerChecksAck_ + 1;
  for (long long event = firstCheck;
       event <= fight.confirmed() && in.checksums.size() < kMaxEventsPerDatagram; ++event)
    in.checksums.push_back(fight.confirmedChecksum(event));
  if (!in.checksums.empty()) {
    in.firstCheck = static_cast<std::uint32_t>(firstCheck);
    checksSent_ =
        std::max<long long>(checksSent_, firstCheck + static_cast<long long>(in.checksums.size()) - 1);
  }
  return in;
}

bool InputChannel::take(const Inputs& in, bool newest, RollbackFight& fight, Clock::time_point now) {
  // What the other can have: its fight runs at most the prediction window past this player's
  // presses it has, which are at most those sent, and its own presses are set the input delay
  // (and one event) ahead of what it runs.
  const long long canRun = pressesSent_ + predictionLimit_;
  const long long lastPress = in.firstPress + static_cast<long long>(in.presses.size()) - 1;
  const long long lastCheck = in.firstCheck + static_cast<long long>(in.checksums.size()) - 1;
  const bool malformed =
      in.pressesAck > pressesSent_ || in.checksAck > checksSent_ || in.ran > canRun ||
      in.bothHave > pressesSent_ || in.ended > std::max({pressesSent_, checksSent_, desyncAt_}) ||
      in.desyncAt > std::max(checksSent_, desyncAt_) ||
      (!in.presses.empty() &&
       (in.firstPress > fight.remoteKnown() + 1 || lastPress > canRun + inputDelay_ + 1)) ||
      (!in.checksums.empty() && (in.firstCheck > checksReceived_ + 1 || lastCheck > pressesSent_));
  if (malformed) return false;

  if (newest || in.ran > peerRan_) {
    peerRan_ = std::max<long long>(peerRan_, in.ran);
    peerRanHeard_ = now;
  }
  peerPressesAck_ = std::max<long long>(peerPressesAck_, in.pressesAck);
  peerChecksAck_ = std::max<long long>(peerChecksAck_, in.checksAck);
  peerBothHave_ = std::max<long long>(peerBothHave_, in.bothHave);
  if (in.ended != 0) peerEnded_ = in.ended;
  for (std::size_t k = 0; k < in.presses.size(); ++k) {
    const long long event = in.firstPress + static_cast<long long>(k);
    if (event != fight.remoteKnown() + 1) continue;
    fight.setRemote(event, in.presses[k]);
    lastProgress_ = now;
  }
  for (std::size_t k = 0; k < in.checksums.size(); ++k) {
    const long long event = in.firstCheck + static_cast<long long>(k);
    if (event != checksReceived_ + 1) continue;
    peerChecks_.push_back(in.checksums[k]);
    checksReceived_ = event;
  }
  if (in.desyncAt != 0)
    desyncAt_ = desyncAt_ == 0 ? in.desyncAt : std::min<long long>(desyncAt_, in.desyncAt);
  compare(fight);
  return true;
}

void InputChannel::compare(const RollbackFight& fight) {
  while (!peerChecks_.empty() && checkedThrough_ < fight.confirmed()) {
    const long long event = ++checkedThrough_;
    if (fight.confirmedChecksum(event) != peerChecks_.front() && (desyncAt_ == 0 || event < desyncAt_))
      desyncAt_ = event;
    peerChecks_.pop_front();
  }
}

}  // namespace mojara::net
