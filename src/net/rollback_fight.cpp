#include "net/rollback_fight.h"

#include <algorithm>
#include <cassert>

namespace mojara::net {

namespace {

// A sound that running events again finds should have started is still started, late, when its
// event is at most this many events back; an older one has mostly been missed and stays unheard.
constexpr long long kLateSoundEvents = 3;

const Presses kNoPresses{};

bool started(const battle::FightStep& step, const battle::Sound& sound) {
  return std::find(step.sounds.begin(), step.sounds.begin() + step.soundCount, sound) !=
         step.sounds.begin() + step.soundCount;
}

void addSound(battle::FightStep& step, const battle::Sound& sound) {
  if (step.soundCount < step.sounds.size()) step.sounds[step.soundCount++] = sound;
}

}  // namespace

RollbackFight::RollbackFight(const battle::FightState& start, const battle::FightRules& rules,
                             int localPlayer, int predictionLimit, Step step)
    : state_(start),
      rules_(rules),
      localPlayer_(localPlayer),
      predictionLimit_(std::max(1, predictionLimit)),
      step_(step),
      startChecksum_(battle::checksum(start)) {}

void RollbackFight::setLocal(long long event, const Presses& presses) {
  assert(event == localKnown() + 1 && event > ran_);
  (void)event;
  local_.push_back(presses);
  settle();
}

void RollbackFight::setRemote(long long event, const Presses& presses) {
  assert(event == remoteKnown() + 1);
  remote_.push_back(presses);
  if (event <= ran_ && event > settled_ && !(history_[event - settled_ - 1].remoteUsed == presses))
    firstWrong_ = std::min(firstWrong_.value_or(event), event);
  settle();
}

long long RollbackFight::confirmed() const {
  long long known = std::min({ran_, localKnown(), remoteKnown()});
  if (firstWrong_) known = std::min(known, *firstWrong_ - 1);
  return known;
}

const Presses& RollbackFight::remoteFor(long long event) const {
  return event <= remoteKnown() ? remote_[event - 1] : kNoPresses;
}

bool RollbackFight::mustWait() const { return ran_ - remoteKnown() >= predictionLimit_; }

battle::FightStep RollbackFight::runEvent(long long event) {
  const Presses& remote = remoteFor(event);
  const Presses& local = event <= localKnown() ? local_[event - 1] : kNoPresses;
  const EventKeys keys = localPlayer_ == 1 ? EventKeys(local, remote) : EventKeys(remote, local);
  Ran ran{state_, remote, {}};
  ran.step = step_(state_, rules_, keys.downs());
  history_.push_back(ran);
  ran_ = event;
  return ran.step;
}

bool RollbackFight::catchUp() {
  if (!firstWrong_) return false;
  const long long from = *firstWrong_, to = ran_;
  firstWrong_.reset();
  std::deque<Ran> undone(history_.begin() + (from - settled_ - 1), history_.end());
  history_.resize(from - settled_ - 1);
  state_ = undone.front().before;
  ran_ = from - 1;
  // What the first runs started: a sound among them is not started again, whichever event it
  // falls on now.
  battle::FightStep heard;
  for (const Ran& ran : undone)
    for (std::uint8_t k = 0; k < ran.step.soundCount; ++k) addSound(heard, ran.step.sounds[k]);
  for (long long event = from; event <= to; ++event) {
    const battle::FightStep step = runEvent(event);
    if (to - event < kLateSoundEvents)
      for (std::uint8_t k = 0; k < step.soundCount; ++k)
        if (!started(heard, step.sounds[k]) && !started(late_, step.sounds[k]))
          addSound(late_, step.sounds[k]);
    if (!step.ran || step.handOver != battle::HandOver::None) break;
  }
  ++figures_.rollbacks;
  figures_.eventsRerun += ran_ - from + 1;
  figures_.maxDepth = std::max(figures_.maxDepth, to - from + 1);
  settle();
  return true;
}

battle::FightStep RollbackFight::advance() {
  catchUp();
  if (predictedOver() || mustWait()) return {};
  battle::FightStep step = runEvent(ran_ + 1);
  if (late_.soundCount > 0) {
    battle::FightStep played = late_;
    for (std::uint8_t k = 0; k < step.soundCount; ++k) addSound(played, step.sounds[k]);
    step.sounds = played.sounds;
    step.soundCount = played.soundCount;
    late_ = {};
  }
  settle();
  return step;
}

void RollbackFight::settle() {
  const long long known = confirmed();
  while (settled_ < known) {
    const long long event = settled_ + 1;
    const battle::FightState& after = event < ran_ ? history_[1].before : state_;
    checksums_.push_back(battle::checksum(after));
    if (history_.front().step.handOver != battle::HandOver::None && !handedOver_) {
      handedOver_ = event;
      handOverKind_ = history_.front().step.handOver;
    }
    history_.pop_front();
    settled_ = event;
  }
}

}  // namespace mojara::net
