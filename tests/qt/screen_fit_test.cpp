// The windows and the screen: the largest scale a screen has room for, and where windows open.
#include "qt/screen_fit.h"

#include <gtest/gtest.h>

#include "forms/desktop.h"
#include "game/game.h"
#include "play/settings.h"
#include "qt/centred.h"
#include "qt/english_texts.h"
#include "qt/form_window.h"
#include "qt/front_end.h"

namespace mojara::qt {
namespace {

struct ScreenFit : ::testing::Test {
  PictureLibrary pictures{MOJARA_PICTURE_DIR};
  FrontEnd frontEnd{pictures, {1}};
  forms::Desktop desktop{frontEnd, frontEnd};
  Game game{desktop};
  void SetUp() override { frontEnd.attach(desktop); }
  forms::Form& title() { return game.form(Window::Title); }
};

TEST_F(ScreenFit, EveryWindowFitsTheScreenAtTheLargestScaleItHasRoomFor) {
  struct Case {
    QRect area;  // the screen's room for windows
    int largest;
  };
  // A 1080-line screen has no room for the select window at scale 3 (1212 pixels high).
  for (const Case& c : {Case{{0, 0, 800, 600}, 1}, Case{{0, 0, 1920, 1080}, 2}, Case{{0, 32, 1920, 1048}, 2},
                        Case{{0, 0, 2560, 1440}, 3}, Case{{0, 0, 640, 400}, 1}})
    for (const ShownTexts* texts : {&ShownTexts::original(), &english()}) {
      SCOPED_TRACE(std::to_string(c.area.width()) + "x" + std::to_string(c.area.height()));
      const int largest = largestScaleThatFits(
          [&](int scale) { return everyWindowFits(scale, game, *texts, c.area); }, Settings::kMaxScale);
      EXPECT_EQ(largest, c.largest);
      if (c.largest == 1 && c.area.height() < 480) continue;  // even scale 1 is too large there
      for (QSize size : windowSizesAt(largest, game, *texts)) {
        EXPECT_TRUE(fitsIn(size, c.area)) << size.width() << "x" << size.height();
        // Placed wholly inside, its frame included.
        const QRect framed(centredIn(size, c.area), size.grownBy(kFrameAllowance));
        EXPECT_TRUE(c.area.contains(framed)) << size.width() << "x" << size.height();
      }
    }
}

TEST_F(ScreenFit, AWindowLargerThanTheScreenKeepsItsTitleBarOnIt) {
  const QRect area(100, 32, 800, 568);
  EXPECT_EQ(centredIn({2000, 300}, area), QPoint(100, 32 + (568 - 300 - 42) / 2));
  EXPECT_EQ(centredIn({300, 2000}, area), QPoint(100 + (800 - 300 - 12) / 2, 32));
}

TEST_F(ScreenFit, TheGamesWindowsOpenOnTheScreenEvenWhenTooLargeForIt) {
  // Qt's offscreen screen is 800 x 600: the title at scale 2 (592 x 618) is taller than that.
  frontEnd.setScale({2});
  game.start();
  frontEnd.afterEvent();
  const QRect area = workArea();
  const QRect placed = frontEnd.windowOf(title())->frameGeometry();
  EXPECT_GE(placed.top(), area.top());
  EXPECT_GE(placed.left(), area.left());
  EXPECT_LE(placed.right(), area.right());
  EXPECT_EQ(title().Top, static_cast<float>(placed.top() * forms::kTwipsPerPixel / 2))
      << "the form knows where";
}

}  // namespace
}  // namespace mojara::qt
