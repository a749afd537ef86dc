// The opening, the battle tick's clock and finish, the winner rule, the tally and the closing.
#include <gtest/gtest.h>

#include "battle_fixture.h"
#include "screens/continue_window.h"

namespace mojara::testing {
namespace {

using battle::Headline;
using battle::Phase;

struct RoundTest : BattleTest {};

TEST_F(RoundTest, TheOpeningBannerChangesAtEventsTenThirtyAndFifty) {
  M.POW[0] = 30;
  load();
  EXPECT_FLOAT_EQ(c().POWMATA[0].Width, 949.5f);  // the power kept from the last fight
  events(1);
  EXPECT_FLOAT_EQ(c().POWMATA[0].Width, 31.65f);  // then refilled from empty
  events(8);
  EXPECT_EQ(c().Label2.Caption, "READY?");
  events(1);
  EXPECT_EQ(c().Label2.Caption, "ＲＥＡＤＹ？");
  EXPECT_EQ(host.beeps, 1);
  events(19);
  EXPECT_EQ(c().Label2.Caption, "ＲＥＡＤＹ？");
  events(1);
  EXPECT_EQ(c().Label2.Caption, "GO!!");
  EXPECT_EQ(host.beeps, 1);
  events(19);
  EXPECT_TRUE(c().Timer3.Enabled());
  events(1);
  EXPECT_FALSE(c().Label2.Visible);
  EXPECT_EQ(c().Label2.Caption, "待った！！");
  EXPECT_TRUE(c().Timer1.Enabled());
  EXPECT_FALSE(c().Timer3.Enabled());
  EXPECT_EQ(host.beeps, 2);
  EXPECT_EQ(battle.fight().SEQTICK, 50);
}

TEST_F(RoundTest, TheClockCountsDownEightAPerLiveTickAndTimesUpOnTick1238) {
  load(3, 3);
  battle::FightState& f = battle.fight();
  f.LIFEFULL[0] = f.LIFEFULL[1] = f.LIFE[0] = f.LIFE[1] = f.SHOWLIFE[0] = f.SHOWLIFE[1] = 1000000;
  openingDone();
  events(1);
  EXPECT_EQ(c().ZIKAN.Caption, "ＴＩＭＥ\r\n99");
  EXPECT_EQ(f.CLOCK, 9892);
  events(1225);
  EXPECT_EQ(c().ZIKAN.Caption, "ＴＩＭＥ\r\n1");
  events(1);
  EXPECT_EQ(c().ZIKAN.Caption, "ＴＩＭＥ\r\n0");  // live tick 1227
  events(10);
  EXPECT_EQ(f.CLOCK, 4);
  events(1);  // live tick 1238
  EXPECT_EQ(f.CLOCK, -4);
  EXPECT_EQ(c().Label3.Caption, "Ｔｉｍｅ　Ｕｐ！");
  EXPECT_TRUE(c().Label3.Visible);
}

// The centre message as the window writes it: the headline, the result's bonuses beneath it, and
// the counter's green.
TEST_F(RoundTest, TheMessageShowsAsItsCaptionInItsColour) {
  struct Case {
    battle::Message message;
    const char* caption;
  };
  const Case cases[] = {
      {{Headline::Hits, 26, false, 0, 0, 255}, "26ＨＩＴ！！"},
      {{Headline::TimeUp, 0, false, 0, 0, 0}, "Ｔｉｍｅ　Ｕｐ！"},
      {{Headline::KnockOut, 0, true, 29921, 11, 0}, "Ｋ．Ｏ．！！\r\nＬＩＦＥ：29921\r\nＴＩＭＥ：11"},
      {{Headline::None, 0, true, 15000, -4, 0}, "\r\nＬＩＦＥ：15000\r\nＴＩＭＥ：-4"},
      {{Headline::None, 3, false, 0, 0, 30}, ""},
  };
  load();
  for (const Case& k : cases) {
    battle.fight().message = k.message;
    events(1);  // an opening event: it leaves the message as it is
    EXPECT_EQ(c().Label3.Caption, k.caption);
    EXPECT_EQ(c().Label3.ForeColor, (forms::Rgb{0, static_cast<std::uint8_t>(k.message.green), 0}));
  }
}

struct FinishTest : BattleTest {
  void SetUp() override {
    load(0, 3);
    openingDone();
  }
  // The fight is decided: life as given, both fighters at rest, no time left.
  void decided(std::int32_t life0, std::int32_t full0, std::int32_t life1, std::int32_t full1) {
    battle::FightState& f = battle.fight();
    f.LIFE[0] = life0, f.LIFEFULL[0] = full0;
    f.LIFE[1] = life1, f.LIFEFULL[1] = full1;
    f.ACTION[0] = f.ACTION[1] = 50100;
    f.CLOCK = 0;
  }
  void closeFight() {
    for (int i = 0; i < 2000 && handedTo.empty(); ++i) events(1);
  }
};

TEST_F(FinishTest, TheLargerFractionOfLifeWinsNotTheLargerLife) {
  decided(50, 100, 60, 200);
  const std::int32_t before = M.SCORE[0];
  events(1);
  EXPECT_EQ(M.IX, 0);
  EXPECT_EQ(M.LIFE[1], 0);
  EXPECT_EQ(M.SCORE[0], before + 15000);  // half its life left, no time left
  EXPECT_EQ(c().Label3.Caption, "\r\nＬＩＦＥ：15000\r\nＴＩＭＥ：0");
  EXPECT_EQ(c().GAZOU[0].Picture.index, 13);  // the victory picture
  EXPECT_TRUE(c().Timer2.Enabled());
  closeFight();
  EXPECT_EQ(handedTo, "Form5");
  EXPECT_EQ(M.STAGE, 1);
  EXPECT_GE(battle.fight().SEQTICK, 100);
  EXPECT_FALSE(battle.loaded());
  EXPECT_FALSE(game.store.loaded());  // the battle window's unload released the store
}

TEST_F(FinishTest, EqualFractionsGoToTheComputer) {
  decided(50, 100, 100, 200);
  events(1);
  EXPECT_EQ(M.IX, 1);
  EXPECT_EQ(M.LIFE[0], 0);
  closeFight();
  EXPECT_EQ(handedTo, "Form6");
  EXPECT_EQ(M.STAGE, 0);
  EXPECT_EQ(M.BEATEN[3], 0);  // the winner can be met again
}

TEST_F(FinishTest, ADoubleKnockOutGoesToTheComputerButBothGaugesEmptyTakeThePlayersPath) {
  decided(0, 380, 0, 450);
  battle.fight().SHOWLIFE[0] = battle.fight().SHOWLIFE[1] = 0;
  events(1);
  EXPECT_EQ(M.IX, 1);
  closeFight();
  EXPECT_EQ(handedTo, "Form5");  // side 1's empty gauge is tested first
  EXPECT_EQ(M.STAGE, 1);
}

TEST_F(FinishTest, FinishingTicksFlipTheOverlayAndRepeatTheCrash) {
  battle.fight().CLOCK = 0;
  battle.fight().ACTION[0] = battle.fight().ACTION[1] = 47000;
  host.sound.takePlays();
  events(1);
  EXPECT_TRUE(c().Image1.Visible);
  events(1);
  EXPECT_FALSE(c().Image1.Visible);
  int crashes = 0;
  for (const auto& play : host.sound.takePlays()) crashes += play.file == "snd2.wav";
  EXPECT_GE(crashes, 1);
}

struct FinishRuleTest : FightValueTest {
  void SetUp() override {
    load(0, 3);
    openingDone();
  }
};

TEST_F(FinishRuleTest, AFallenFighterIsHeldDownAndTheHandOverWaitsForTheOtherToRest) {
  s.CLOCK = 0;
  s.ACTION[0] = 40400;  // lying on the ground in the heavy knock-down
  s.ACTION[1] = 47000;  // still punching
  ticks(1);
  EXPECT_EQ(s.POSE[0], 11);
  EXPECT_EQ(s.ACTION[0], 51000);
  EXPECT_TRUE(battle::timer1Runs(s));
  ticks(6);  // the punch's last tick
  EXPECT_TRUE(battle::timer1Runs(s));
  ticks(2);  // two ticks of rest
  EXPECT_EQ(s.phase, Phase::Closing);
}

TEST_F(FinishRuleTest, AKnockOutOnTheLastTickShowsAsAKnockOut) {
  s.CLOCK = 8;
  s.FACING[0] = 0;
  s.XPOS[0] = 2000;
  s.XPOS[1] = 2000 + 855;
  s.ACTION[0] = 47100;  // the punch's striking step
  s.MOVEDMG[0] = 5;
  s.LIFE[1] = 1;
  ticks(1);
  EXPECT_LE(s.LIFE[1], 0);
  EXPECT_EQ(s.CLOCK, 0);
  EXPECT_EQ(s.message.headline, Headline::KnockOut);
  EXPECT_EQ(s.phase, Phase::Finishing);
}

TEST_F(FinishRuleTest, TheBonusesAreTruncatedInTheirOwnOrder) {
  s.LIFE[0] = 379;
  s.LIFEFULL[0] = 380;
  s.CLOCK = 12;
  s.SCORE[0] = 0;
  s.message.headline = Headline::KnockOut;
  on(0).GOOD();
  EXPECT_EQ(s.SCORE[0], 29921 + 11);
  EXPECT_EQ(s.message, (battle::Message{Headline::KnockOut, 0, true, 29921, 11, 0}));
  EXPECT_EQ(s.sprite[0].picture, 13);  // the victory picture; the pose stays
  EXPECT_EQ(s.POSE[0], 0);
  s.LIFE[0] = 380;
  s.CLOCK = -4;
  s.SCORE[0] = 0;
  on(0).GOOD();
  EXPECT_EQ(s.SCORE[0], 30000 - 4);
}

TEST_F(FinishRuleTest, AFighterAtRestTurnsTowardTheOther) {
  s.XPOS[1] = s.XPOS[0];
  s.WALKSPD[1] = 0;
  ticks(1);
  if (s.ACTION[0] >= 50000 && s.XPOS[0] == s.XPOS[1]) {
    EXPECT_EQ(s.FACING[0], 0);  // equal positions face right
  }
  s.XPOS[0] = 5000;
  s.XPOS[1] = 1000;
  s.ACTION[0] = 50000;
  ticks(1);
  EXPECT_EQ(s.FACING[0], 1);
}

}  // namespace
}  // namespace mojara::testing
