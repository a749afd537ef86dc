// The continue countdown and the ending's staff roll.
#include "game_fixture.h"

namespace mojara::testing {
namespace {

struct ContinueTest : GameTest {
  Form6& screen = game.continueScreen;
  void SetUp() override {
    game.start();
    v.desktop.unload(game.title);
    v.desktop.show(screen);
  }
};

TEST_F(ContinueTest, TheCountGoesFromBlackTowardRedRoundingHalvesToEven) {
  EXPECT_EQ(screen.ctl->Label1.Caption, "10");
  const int reds[] = {26, 51, 76, 102, 128, 153, 178, 204, 230, 255};
  for (int n = 9; n >= 0; --n) {
    run(1000);
    EXPECT_EQ(screen.ctl->Label1.Caption, std::to_string(n));
    EXPECT_EQ(screen.ctl->Label1.ForeColor, (forms::Rgb{static_cast<std::uint8_t>(reds[9 - n]), 0, 0})) << n;
  }
  EXPECT_TRUE(v.host.messages.empty());
}

TEST_F(ContinueTest, TheGameOverMessageShowsOnceOnTheEleventhSecondThenTheTitleReturns) {
  run(10000);
  EXPECT_TRUE(v.host.messages.empty());
  run(1000);
  ASSERT_EQ(v.host.messages.size(), 1u);
  EXPECT_EQ(v.host.messages[0], "Ｇａｍｅ　Ｏｖｅｒ！！\r\nタイトルに戻る・・・");
  run(5000);  // the countdown waits while the message is open
  EXPECT_EQ(v.host.messages.size(), 1u);
  v.desktop.closeMessageBox();
  EXPECT_FALSE(screen.loaded());
  EXPECT_TRUE(game.title.shown());
}

TEST_F(ContinueTest, TheButtonContinuesEvenWhenTheCountShowsZero) {
  run(10000);
  EXPECT_EQ(screen.ctl->Label1.Caption, "0");
  v.desktop.click(screen.ctl->Command1);
  EXPECT_TRUE(select.shown());
  EXPECT_TRUE(v.host.messages.empty());
}

struct EndingTest : GameTest {
  Form7& ending = game.ending;
  std::vector<std::array<std::string, 3>> pages;  // the texts of each page as it came in
  void SetUp() override { v.desktop.show(ending); }
  void ticks(int n) { v.runFor(n * forms::kDefaultTimerResolution); }
  void roll() {
    std::int32_t page = -1;
    for (int i = 0; i < 5000 && !v.desktop.ended(); ++i) {
      if (ending.loaded() && ending.ROLLPAGE != page) {
        page = ending.ROLLPAGE;
        if (page <= 20)
          pages.push_back(
              {ending.ctl->ROAL[0].Caption, ending.ctl->ROAL[1].Caption, ending.ctl->Label1.Caption});
      }
      ticks(1);
    }
  }
};

TEST_F(EndingTest, TwentyOnePagesRollAndThenTheProgramEnds) {
  EXPECT_EQ(ending.ctl->ROAL[0].Left, -5160);
  EXPECT_EQ(ending.ctl->ROAL[1].Left, 5160 + 120);
  roll();
  EXPECT_TRUE(v.host.ended);
  ASSERT_EQ(pages.size(), 21u);
  EXPECT_EQ(pages[0], (std::array<std::string, 3>{"ＡＬＬ ＳＴＡＦＦ", "全紹介！！", "もじゃら大戦"}));
  EXPECT_EQ(pages[5][0], "暗黒騎士　二郎");
  EXPECT_EQ(pages[9][2], "キャスト");  // a page without a heading keeps the last one
  EXPECT_EQ(pages[12][2], "キャラ　デザイン");
  EXPECT_EQ(pages[14][2], "スペシャル　サンクス");
  EXPECT_EQ(pages[19][1], "");  // page 19 leaves the second line empty
  EXPECT_EQ(pages[20][2], "");  // page 20 leaves the heading empty
  EXPECT_EQ(pages[20][0], "終わり");
}

TEST_F(EndingTest, EachPageComesInRestsTwentyFiveTicksAndGoesOut) {
  int comingIn = 0;
  while (ending.ctl->ROAL[1].Left > 0) {
    ticks(1);
    ++comingIn;
  }
  // 5280 twips at 600 a tick: nine ticks to get there, the snap comes on the tick after.
  EXPECT_EQ(comingIn, 9);
  ticks(1);
  EXPECT_EQ(ending.ctl->ROAL[0].Left, 0);
  EXPECT_EQ(ending.ROLLWAIT, 1);
  ticks(24);
  EXPECT_EQ(ending.ctl->ROAL[0].Left, 0);
  EXPECT_EQ(ending.ROLLWAIT, 25);
  ticks(1);
  EXPECT_EQ(ending.ctl->ROAL[0].Left, 600);  // the 25th tick after the snap starts them out
  EXPECT_EQ(ending.ctl->ROAL[1].Left, -600);
}

}  // namespace
}  // namespace mojara::testing
