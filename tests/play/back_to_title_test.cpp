// Practice and a replay started from the title are single fights: however they end, the title
// window comes back afresh and the program goes on, never into a campaign.
#include <gtest/gtest.h>

#include "game_fixture.h"
#include "play/session/practice.h"
#include "play/replays/replay_session.h"

namespace mojara::testing {
namespace {

struct PracticeCase {
  bool demo, playerWins;
};
void PrintTo(const PracticeCase& c, std::ostream* out) {
  *out << (c.demo ? "watched, " : "played, ") << (c.playerWins ? "side 0 wins" : "side 1 wins");
}

struct PracticeEnds : GameTest, ::testing::WithParamInterface<PracticeCase> {};

TEST_P(PracticeEnds, OnTheTitleWonOrLost) {
  startPractice(game, 3, 6, GetParam().demo);
  ASSERT_TRUE(game.battle.shown());
  EXPECT_EQ(game.battle.fight().INPUTON, GetParam().demo ? 0 : 1);
  finishFight(GetParam().playerWins);
  EXPECT_TRUE(game.title.shown());
  EXPECT_FALSE(game.battle.loaded());
  EXPECT_FALSE(game.select.loaded());
  EXPECT_FALSE(game.continueScreen.loaded());
  EXPECT_FALSE(v.desktop.ended());
  EXPECT_EQ(M.SCORE[0], 0) << "the title's load starts the points afresh";
  EXPECT_EQ(M.SCORE[1], 0);
}

INSTANTIATE_TEST_SUITE_P(PlayedOrWatched, PracticeEnds,
                         ::testing::Values(PracticeCase{false, true}, PracticeCase{false, false},
                                           PracticeCase{true, true}, PracticeCase{true, false}));

// How a replay comes to its end.
enum class Ending { Decided, CutShort, Escape };

struct ReplayCase {
  Ending ending;
  AfterReplay after;
};
void PrintTo(const ReplayCase& c, std::ostream* out) {
  const char* const endings[] = {"decided", "cut short", "left with Escape"};
  *out << endings[static_cast<int>(c.ending)]
       << (c.after == AfterReplay::EndProgram ? ", then the program ends" : ", then the title");
}

struct ReplayEnds : GameTest, ::testing::WithParamInterface<ReplayCase> {};

TEST_P(ReplayEnds, OnTheTitleWhenStartedFromItOrByEndingTheProgram) {
  const auto [ending, after] = GetParam();
  RecordedFight recorded;
  recorded.fight = practiceFight(1, 4);
  recorded.fight.seed = 5;
  recorded.keys = {{60, 'A'}, {70, forms::vk::Right}, {80, 'Z'}};
  if (ending == Ending::CutShort) recorded.cutShortAfter = 150;
  if (after == AfterReplay::Title) game.start();
  ReplayPlayer player(game, recorded, after);
  player.start();
  EXPECT_FALSE(game.title.loaded()) << "the title closes while the replay plays";
  ASSERT_TRUE(game.battle.shown());
  // The window hands the recorded keys over after every timer event.
  const auto play = [&](double millis) {
    for (double t = 0; t < millis && player.playing(); t += 5) {
      run(5);
      player.timerFired();
    }
  };
  play(100 * 55.0);
  EXPECT_FALSE(player.takeKey('A')) << "the player's keys do not go to a replay";
  if (ending == Ending::Escape) player.takeKey(forms::vk::Escape);
  if (ending == Ending::Decided) game.battle.fight().LIFE[1] = 0;
  play(600000);
  EXPECT_FALSE(player.playing());
  if (after == AfterReplay::EndProgram) {
    EXPECT_TRUE(v.desktop.ended());
    return;
  }
  run(100);
  EXPECT_FALSE(v.desktop.ended());
  EXPECT_TRUE(game.title.shown());
  EXPECT_FALSE(game.battle.loaded());
  EXPECT_FALSE(game.select.loaded());
  EXPECT_TRUE(player.takeKey('A')) << "once the replay is over, keys are the player's again";
}

INSTANTIATE_TEST_SUITE_P(AllEnds, ReplayEnds,
                         ::testing::Values(ReplayCase{Ending::Decided, AfterReplay::Title},
                                           ReplayCase{Ending::CutShort, AfterReplay::Title},
                                           ReplayCase{Ending::Escape, AfterReplay::Title},
                                           ReplayCase{Ending::Escape, AfterReplay::EndProgram}));

}  // namespace
}  // namespace mojara::testing
