#include "assets/sprite_store.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "assets/pictures.h"
#include "fake_host.h"
#include "game/game.h"

namespace mojara::testing {
namespace {

long countOf(const std::vector<std::string>& events, const std::string& what) {
  return std::count(events.begin(), events.end(), what);
}

TEST(SpriteStore, LoadsOnTheFirstReadAndAgainAfterARelease) {
  VirtualDesktop v;
  Game game(v.desktop);
  EXPECT_FALSE(game.store.loaded());
  const forms::PictureRef first = game.ORE(100);
  EXPECT_EQ(first, assets::storePicture(100));
  game.ORE(0);
  EXPECT_EQ(countOf(v.host.events, "load Form1"), 1);
  EXPECT_FALSE(game.store.shown());  // the store is never shown

  game.releaseStore();
  EXPECT_FALSE(game.store.loaded());
  EXPECT_TRUE(v.host.tops.empty());             // it never slides: it has no window on the screen
  EXPECT_EQ(first, assets::storePicture(100));  // a picture already given out stays what it was

  EXPECT_EQ(game.ORE(100), first);  // the same picture after a reload
  EXPECT_EQ(countOf(v.host.events, "load Form1"), 2);
}

TEST(SpriteStore, HoldsTwoHundredAndTwentyFourPicturesInRowsOfFourteen) {
  VirtualDesktop v;
  Game game(v.desktop);
  game.ORE(0);
  const auto& ore = game.store.ctl->ORE;
  ASSERT_EQ(ore.size(), 224u);
  EXPECT_EQ(ore[15].Left, 105 + 315);
  EXPECT_EQ(ore[15].Top, 105 + 315);
  EXPECT_EQ(ore[223].Top, 105 + 315 * 15);
  EXPECT_TRUE(std::none_of(ore.begin(), ore.end(), [](const auto& p) { return p.Visible; }));
  EXPECT_THROW(game.ORE(224), std::out_of_range);
  EXPECT_THROW(game.ORE(-1), std::out_of_range);
}

TEST(SpriteStore, ThreePortraitsAreStorePictures) {
  EXPECT_EQ(assets::portrait(3), assets::storePicture(100));
  EXPECT_EQ(assets::portrait(4), assets::storePicture(138));
  EXPECT_EQ(assets::portrait(5), assets::storePicture(154));
  EXPECT_EQ(assets::portrait(7).source, forms::PictureRef::Source::Screen);
  EXPECT_EQ(assets::fileOf(static_cast<assets::ScreenPicture>(assets::portrait(7).index)), "portrait7.png");
}

}  // namespace
}  // namespace mojara::testing
