#include <gtest/gtest.h>

#include "battle/trace_diff.h"
#include "fake_host.h"
#include "forms/layout.h"
#include "forms/text.h"
#include "game/game.h"
#include "help/help_document.h"
#include "help/help_window.h"
#include "title/title_window.h"

namespace mojara::testing {
namespace {

const char* const kItems[] = {"ごあいさつ", "ストーリー", "操作方法", "あとがき", "開発環境"};
const char* const kHeadings[] = {"ごあいさつ", "このゲームのストーリー", "操作方法", "制作後記", "制作環境"};

TEST(HelpDocument, MarkersStandInOrderWhereTheSearchFindsThem) {
  const std::u32string doc = forms::toChars(helpDocument());
  std::vector<std::size_t> markers;  // positions counted from 1
  for (std::size_t i = 0; i < doc.size(); ++i)
    if (doc[i] == U'{') markers.push_back(i + 1);
  ASSERT_EQ(markers.size(), 6u);
  for (int t = 0; t <= 5; ++t) {
    EXPECT_EQ(doc.substr(markers[t], 2), (std::u32string{U'0', static_cast<char32_t>(U'0' + t)}));
    if (t <= 4) {
      EXPECT_GE(markers[t], static_cast<std::size_t>(t * 100 + 1)) << "topic " << t;
    }
  }
  EXPECT_EQ(markers.back() + 2, doc.size());  // "{05" closes the document
}

struct HelpTest : ::testing::Test {
  VirtualDesktop v;
  Game game{v.desktop};
  Form4& help = game.help;
  void SetUp() override {
    game.start();
    v.desktop.show(help);
  }
  std::string shown() const { return help.ctl->Text1.Text; }
  void choose(int item) {
    v.desktop.choose(help.ctl->Combo1, item);
    v.runFor(ms(100));
  }
};

TEST_F(HelpTest, OpeningShowsTheGreetingWithinATenthOfASecond) {
  EXPECT_EQ(shown(), "Text1");
  EXPECT_EQ(help.SHOWNTOPIC, -1);
  v.runFor(ms(100));
  EXPECT_EQ(help.ctl->Combo1.Text, "");
  EXPECT_EQ(help.SHOWNTOPIC, 0);
  EXPECT_EQ(shown().rfind("ごあいさつ\n", 0), 0u);
}

TEST_F(HelpTest, EveryTopicShowsItsBlockFromItsHeadingWithNoMarkerText) {
  v.runFor(ms(100));
  for (int t : {3, 1, 4, 0, 2}) {
    choose(t);
    EXPECT_EQ(help.SHOWNTOPIC, t);
    const std::string heading = kHeadings[t];
    EXPECT_TRUE(shown().starts_with(heading)) << kItems[t];
    EXPECT_EQ(shown().at(heading.size()), '\n') << kItems[t];
    EXPECT_EQ(shown().find('{'), std::string::npos);
    EXPECT_EQ(help.ctl->Text1.Height, 3270);
  }
  choose(4);
  EXPECT_EQ(shown().back(), '\n');  // topic 4 ends just before "{05"
  EXPECT_EQ(shown().find("05"), std::string::npos);
}

TEST_F(HelpTest, TheControlsTopicReadsExactly) {
  v.runFor(ms(100));
  choose(2);
  EXPECT_TRUE(sameLines(
      "操作方法\nゲームの操作\nボタンを押すと即出せる親切設計です。（実は手抜き？）\n"
      "このゲームにはパワーゲージが存在しており\n攻撃を　食らう＆与える　ごとに増えていきます。\n"
      "基本攻撃はパワーを消費しませんが\n"
      "特殊攻撃はそれなりにパワーを消費しますので残量に注意しましょう。\nカーソルキーで動きます。\n\n"
      "基本攻撃\nＡ・・・パンチ\nＺ・・・キック\nＱ・・・パワーをためる（１／１０）\n上キー・・・飛びキック\n"
      "\n"
      "特殊攻撃\nＳ・・・昇竜拳　10消費\nＸ・・・必殺かかと落とし　　25消費\nＷ・・・おもいっきり乱舞　40消費"
      "\n\n"
      "ついでに・・・\n連続攻撃（コンボ）を食らわすと\n得点がたくさん増えます。\nどんどんかましましょう。\n",
      shown()));
}

TEST_F(HelpTest, ChoosingTheTopicAlreadyShownChangesNothing) {
  v.runFor(ms(100));
  help.ctl->Text1.Text = "untouched";
  choose(0);
  EXPECT_EQ(shown(), "untouched");
}

TEST_F(HelpTest, AnUnknownListTextShowsTheGreeting) {
  v.runFor(ms(100));
  choose(1);
  help.ctl->Combo1.Text = "？？？";
  v.runFor(ms(100));
  EXPECT_EQ(help.SHOWNTOPIC, 0);
}

TEST_F(HelpTest, AMissingMarkerLeavesTheBoxEmptyAndTheSearchIsTriedAgain) {
  v.runFor(ms(100));
  std::u32string& doc = help.ctl->bunText;
  doc[doc.find(U"{03")] = U'[';
  choose(3);
  EXPECT_EQ(shown(), "");
  EXPECT_EQ(help.SHOWNTOPIC, 0);
  EXPECT_EQ(help.ctl->Text1.Height, 3270);
  doc[doc.find(U"[03")] = U'{';
  v.runFor(ms(100));
  EXPECT_EQ(help.SHOWNTOPIC, 3);
}

TEST_F(HelpTest, OnlyTheControlsInsideTheWindowCanTakeTheKeyboard) {
  HelpControls& c = *help.ctl;
  EXPECT_TRUE(forms::canTakeFocus(c.Combo1));
  EXPECT_TRUE(forms::canTakeFocus(c.Text1));
  EXPECT_TRUE(forms::canTakeFocus(c.Command1));
  EXPECT_FALSE(forms::canTakeFocus(c.bun)) << "the document store lies below the client area";
  c.Command1.Visible = false;
  EXPECT_FALSE(forms::canTakeFocus(c.Command1));
  c.Text1.Left = help.ScaleWidth - 15;  // one pixel of it still in the window
  EXPECT_TRUE(forms::canTakeFocus(c.Text1));
  c.Text1.Left = help.ScaleWidth;
  EXPECT_FALSE(forms::canTakeFocus(c.Text1));
}

TEST_F(HelpTest, TheCloseButtonAndTheTitleBarOnlyCloseTheHelp) {
  v.desktop.click(help.ctl->Command1);
  EXPECT_FALSE(help.loaded());
  EXPECT_TRUE(game.title.shown());
  v.desktop.show(help);
  v.desktop.closeRequest(help);
  EXPECT_FALSE(help.loaded());
  EXPECT_FALSE(v.host.ended);
  EXPECT_EQ(v.host.tops.size(), 202u);  // each close slid the window away
}

}  // namespace
}  // namespace mojara::testing
