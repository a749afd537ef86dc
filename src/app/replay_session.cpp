#include "app/replay_session.h"

#include <fstream>

#include "app/game.h"
#include "battle/battle_window.h"
#include "forms/types.h"
#include "select/roster.h"

namespace mojara {

void ReplayRecorder::formLoaded(const forms::Form& form) {
  if (&form != &game_.battle) return;
  fight_ = replayOfLoad(game_.M, game_.demo);
  recording_ = true;
}

void ReplayRecorder::seedUsed(std::uint64_t seed) {
  // The battle window's load reseeds before anything else can: the last seed is the fight's.
  if (recording_ && game_.battle.loaded() && game_.battle.timerEvents == 0) fight_.seed = seed;
}

void ReplayRecorder::keyPressed(const forms::Form& form, int code) {
  if (recording_ && &form == &game_.battle) fight_.keys.emplace_back(game_.battle.timerEvents + 1, code);
}

void ReplayRecorder::formUnloaded(const forms::Form& form, std::string& error) {
  if (&form != &game_.battle || !recording_) return;
  recording_ = false;
  const std::string path = replayPath(path_, ++fights_);
  std::ofstream out(path);
  out << replayText(fight_);
  if (!out && error.empty()) error = "cannot write the replay " + path;
}

void ReplayPlayer::start() {
  Module1& M = game_.M;
  acceptDraw(M, fight_.player, fight_.opponent);
  M.SPEED = fight_.speed;
  for (int side = 0; side <= 1; ++side) {
    M.POW[side] = fight_.pow[side];
    M.SCORE[side] = fight_.score[side];
  }
  game_.demo = fight_.demo;
  // The fight alone is replayed: where it would hand over, the program ends.
  game_.onHandOver = [this](forms::Form&) { game_.desktop.end(); };
  game_.desktop.show(game_.battle);
  timerFired();
}

bool ReplayPlayer::takeKey(int code) {
  if (code == forms::vk::Escape) game_.desktop.end();
  return false;
}

void ReplayPlayer::timerFired() {
  Form2& battle = game_.battle;
  while (battle.loaded() && nextKey_ < fight_.keys.size() &&
         fight_.keys[nextKey_].first <= battle.timerEvents + 1) {
    if (fight_.keys[nextKey_].first == battle.timerEvents + 1)
      game_.desktop.keyDown(battle, fight_.keys[nextKey_].second);
    ++nextKey_;
  }
}

}  // namespace mojara
