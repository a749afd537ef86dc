// An online fight on one peer: the fight's value run ahead of what is known. This player's presses
// act at once; the other player's are predicted (no new press) until they arrive, and when they
// arrive for events already run and differ from the prediction, the fight goes back to the value
// before the first of those events and runs them again. No sockets and no clock here: the peer
// feeds presses in and asks for events when they are due.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

#include "battle/fight.h"
#include "net/presses.h"

namespace mojara::net {

struct RollbackFigures {
  long long rollbacks = 0;    // times the fight went back
  long long eventsRerun = 0;  // events run again
  long long maxDepth = 0;     // the most events run again at once
  long long waits = 0;        // events that waited, being too far ahead of the other's presses
};

class RollbackFight {
 public:
  // How one event is run: the fight's own step (a test may wrap it).
  using Step = battle::FightStep (*)(battle::FightState&, const battle::FightRules&,
                                     std::span<const battle::KeyDown>);

  // `start`: the fight as the battle window's load makes it; `localPlayer` 1 or 2; the fight
  // runs at most `predictionLimit` events past the other player's last known presses.
  RollbackFight(const battle::FightState& start, const battle::FightRules& rules, int localPlayer,
                int predictionLimit, Step step = &battle::advance);

  // This player's presses before `event`; each event is given once, in order (those not given
  // have none). The other player's, as they arrive: events in order from remoteKnown() + 1.
  void setLocal(long long event, const Presses& presses);
  void setRemote(long long event, const Presses& presses);
  long long localKnown() const { return static_cast<long long>(local_.size()); }
  long long remoteKnown() const { return static_cast<long long>(remote_.size()); }
  const Presses& localPresses(long long event) const { return local_[event - 1]; }
  const Presses& remotePresses(long long event) const { return remote_[event - 1]; }

  // Events run so far, and the fight after them (as predicted).
  long long ran() const { return ran_; }
  const battle::FightState& state() const { return state_; }
  const battle::FightRules& rules() const { return rules_; }
  // Events whose presses both players' are known and run as known: they never change again.
  long long confirmed() const;
  // The checksum of the fight after a confirmed event (1..confirmed()), or before the first (0).
  std::uint64_t confirmedChecksum(long long event) const {
    return event == 0 ? startChecksum_ : checksums_[event - 1];
  }
  // The confirmed event at which the fight handed over, once there is one.
  std::optional<long long> handedOver() const { return handedOver_; }
  // Where that hand-over goes (the player won or lost).
  battle::HandOver handOverKind() const { return handOverKind_; }

  // Whether the next event must wait for the other player's presses.
  bool mustWait() const;
  // Whether the fight has handed over as predicted: no event runs unless going back undoes it.
  bool predictedOver() const {
    return !history_.empty() ? history_.back().step.handOver != battle::HandOver::None
                             : handedOver_.has_value();
  }
  // Goes back and runs again what the other's presses changed; then, unless it must wait or the
  // fight has handed over (as predicted), runs the next event. What that event plays, with the
  // sounds that events run again started and the first run had not (a sound is heard once).
  battle::FightStep advance();
  // Only the going back and running again (while waiting): whether the fight changed.
  bool catchUp();
  // Counted by whoever waits: an event that had to wait.
  void countWait() { ++figures_.waits; }

  const RollbackFigures& figures() const { return figures_; }

 private:
  // The fight before an event that may still be run again, and what it did when it ran.
  struct Ran {
    battle::FightState before;
    Presses remoteUsed;
    battle::FightStep step;
  };
  battle::FightStep runEvent(long long event);
  const Presses& remoteFor(long long event) const;
  void settle();  // takes what is confirmed off the history

  battle::FightState state_;
  battle::FightRules rules_;
  int localPlayer_;
  int predictionLimit_;
  Step step_;
  std::uint64_t startChecksum_;
  std::vector<Presses> local_, remote_;
  long long ran_ = 0;
  long long settled_ = 0;                // events confirmed and taken off the history
  std::deque<Ran> history_;              // events settled_ + 1 .. ran_
  std::optional<long long> firstWrong_;  // the first event run on a wrong prediction
  std::vector<std::uint64_t> checksums_;
  std::optional<long long> handedOver_;
  battle::HandOver handOverKind_ = battle::HandOver::None;
  battle::FightStep late_;  // sounds of events run again, to be started with the next event
  RollbackFigures figures_;
};

}  // namespace mojara::net
