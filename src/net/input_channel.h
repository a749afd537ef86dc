// One online fight's presses and checksums between the two peers. This player's presses go again
// in every datagram until the other acknowledges them, so one lost datagram loses nothing; the
// other's are taken in order into the fight. The checksums of confirmed events go the same way,
// and are compared as both sides confirm them: the first event whose checksums differ ends the
// fight. Nothing the other says is kept beyond what this end can use: presses only within its
// prediction window, checksums only of events that can still be compared; a datagram that
// acknowledges what was never sent, or claims events the other cannot have, is malformed.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>

#include "net/datagram.h"
#include "net/rollback_fight.h"

namespace mojara::net {

class InputChannel {
 public:
  using Clock = std::chrono::steady_clock;

  InputChannel(std::uint16_t fight, int inputDelay, int predictionLimit, Clock::time_point now);
  std::uint16_t fight() const { return fight_; }

  // What to tell the other now, `ended` being the event this end's fight ended at (0: it runs).
  Inputs outgoing(const RollbackFight& fight, long long ended);
  // Takes the other's datagram of this fight: false when it is malformed for what this end sent
  // (then nothing of it is taken). `newest`: no later datagram of the other's has come yet.
  bool take(const Inputs& in, bool newest, RollbackFight& fight, Clock::time_point now);
  // Compares the other's checksums with the events confirmed here since the last look.
  void compare(const RollbackFight& fight);
  // The first event whose checksums differ, on either end; 0 while none does.
  long long desyncAt() const { return desyncAt_; }

  // This player's presses the other has, through this event.
  long long peerPressesAck() const { return peerPressesAck_; }
  // Where the other's fight ended (0: it runs).
  long long peerEnded() const { return peerEnded_; }
  // The other's events run, and when that was heard.
  long long peerRan() const { return peerRan_; }
  Clock::time_point peerRanHeard() const { return peerRanHeard_; }
  // Events this end has run and knows both have every press of.
  long long bothHave(const RollbackFight& fight) const;
  // Those of them that this end knows the other knows of too: every end of the fight comes
  // after them.
  long long bothKnow(const RollbackFight& fight) const;
  // The last time the fight moved: an event ran here, or the other's presses came.
  Clock::time_point lastProgress() const { return lastProgress_; }
  void ranEvent(Clock::time_point now) { lastProgress_ = now; }
  // The checksums of the other's kept here to compare, for what this end keeps.
  std::size_t checksKept() const { return peerChecks_.size(); }

 private:
  std::uint16_t fight_;
  int inputDelay_, predictionLimit_;
  long long pressesSent_ = 0, checksSent_ = 0;  // through these events, at most
  long long peerPressesAck_ = 0, peerChecksAck_ = 0, peerRan_ = 0, peerBothHave_ = 0, peerEnded_ = 0;
  Clock::time_point peerRanHeard_{}, lastProgress_;
  long long checksReceived_ = 0;          // the other's checksums known, through this event
  std::deque<std::uint64_t> peerChecks_;  // of the events after checkedThrough_
  long long checkedThrough_ = 0;
  long long desyncAt_ = 0;
};

}  // namespace mojara::net
