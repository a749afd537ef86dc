#include "net/fight_start.h"

#include "battle/battle_window.h"
#include "forms/virtual_clock.h"
#include "game/game.h"

namespace mojara::net {

namespace {

// The desktop of a battle window loaded only to make a fight's starting value.
class LoadingHost : public forms::DesktopHost {
 public:
  LoadingHost(std::uint64_t seed, std::string folder) : seed_(seed), folder_(std::move(folder)) {}
  std::uint64_t clockSeed() override { return seed_; }
  std::string programFolder() const override { return folder_; }

 private:
  std::uint64_t seed_;
  std::string folder_;
};

}  // namespace

LoadedFight loadOnlineFight(const Start& start, const std::string& programFolder) {
  forms::VirtualClock clock;
  LoadingHost host(start.setup.seed.value_or(1), programFolder);
  forms::Desktop desktop(host, clock, start.timerResolution);
  Game game(desktop);
  game.startFight(start.setup, AfterFight::Stop);
  return {game.battle.fight(), game.battle.rules()};
}

}  // namespace mojara::net
