#include "play/options/fight_options.h"

namespace mojara {

void addFightOptions(CLI::App& app, FightOptions& o) {
  app.add_option("P0 P1", o.rosterSlots,
                 "Roster slots of side 0 (the player) and side 1 (the computer), 0 to 7")
      ->type_name("SLOT");
  cli::addValue(app, "--seed", "N", "The seed the battle window's load reseeds with; default 1",
                [&o](auto& v) {
                  o.fight.seed = cli::wholeNumber<std::uint64_t>("--seed", v, 0, UINT64_MAX);
                  o.anyGiven = true;
                });
  cli::addValue(app, "--speed", "S", "The battle speed SPEED, 1 to 20 (ms per tick); default 5",
                [&o](auto& v) {
                  o.fight.speed = cli::wholeNumber<std::int32_t>("--speed", v, 1, 20);
                  o.anyGiven = true;
                });
  cli::addValue(app, "--pow", "A,B", "Both sides' power before the fight, 0 to 100; default 0,0",
                [&o](auto& v) {
                  o.fight.pow = cli::wholeNumberPair<std::int32_t>("--pow", v, 0, 100);
                  o.anyGiven = true;
                });
  cli::addValue(app, "--score", "A,B", "Both sides' points before the fight; default 0,0", [&o](auto& v) {
    o.fight.score = cli::wholeNumberPair<std::int32_t>("--score", v, INT32_MIN, INT32_MAX);
    o.anyGiven = true;
  });
  app.add_flag_callback(
      "--demo", [&o] { o.fight.demo = o.anyGiven = true; }, "Side 0 draws its commands at random too");
  app.add_flag_callback(
      "--versus", [&o] { o.fight.versus = o.anyGiven = true; },
      "Two players: side 1 is steered by the second player's keys instead of the computer's draws");
}

void takeSlots(FightOptions& o) {
  if (o.rosterSlots.size() != 2) throw cli::UsageError("expected two roster slots P0 P1 (0 to 7)");
  if (o.fight.demo && o.fight.versus)
    throw cli::UsageError("--demo and --versus cannot go together: in a two-player fight both sides are played");
  o.fight.player = cli::rosterSlot("P0", o.rosterSlots[0]);
  o.fight.opponent = cli::rosterSlot("P1", o.rosterSlots[1]);
}

}  // namespace mojara
