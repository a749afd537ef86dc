// Repainting only what changed: frame after frame of real windows, the screen patched where the
// canvas said it changed must be the very image a whole repaint gives.
#include "qt/canvas_changes.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

#include "app/fight_setup.h"
#include "game_fixture.h"
#include "qt/picture_library.h"
#include "qt/qt_print.h"

namespace mojara::qt {
namespace {

struct CanvasChangesTest : testing::GameTest {
  PictureLibrary pictures{MOJARA_PICTURE_DIR};
  const Scale scale{2};

  QImage blank(const forms::Form& form) const {
    QImage image(static_cast<int>(scale.px(form.ScaleWidth)), static_cast<int>(scale.px(form.ScaleHeight)),
                 QImage::Format_RGB32);
    image.fill(Qt::magenta);  // nothing the game paints: an unpainted pixel shows
    return image;
  }
  QImage wholeFrame(const forms::Form& form) const {
    QImage image = blank(form);
    QPainter painter(&image);
    paintForm(painter, form, pictures, scale);
    return image;
  }

  // Patches `screen` frame by frame as the window does, `advance` moving the game on between
  // frames, and compares every frame with a whole repaint. Returns the share of the canvas that
  // was repainted, over all frames.
  double playFrames(const forms::Form& form, int frames, const std::function<void()>& advance) {
    // Qt draws a large glyph the first time a shade differently from every time after, its glyph
    // cache still cold: one frame first, for the comparisons to be of like with like.
    wholeFrame(form);
    CanvasChanges changes;
    QImage screen = blank(form);
    const QRegion first = changes.changed(form, pictures, scale);
    EXPECT_EQ(first, QRegion(screen.rect())) << "the first frame is all new";
    screen = wholeFrame(form);
    double repainted = 0;
    for (int frame = 1; frame <= frames && form.shown(); ++frame) {
      advance();
      const QRegion dirty = changes.changed(form, pictures, scale);
      {
        QPainter painter(&screen);
        painter.setClipRegion(dirty);
        paintForm(painter, form, pictures, scale, dirty);
      }
      for (const QRect& r : dirty) repainted += r.intersected(screen.rect()).width() * r.intersected(screen.rect()).height();
      const QImage whole = wholeFrame(form);
      if (screen != whole) {
        whole.save(QString::fromStdString(::testing::TempDir()) + "/whole.png");
        screen.save(QString::fromStdString(::testing::TempDir()) + "/patched.png");
        ADD_FAILURE() << form.name() << ": frame " << frame << " differs from a whole repaint (images in "
                      << ::testing::TempDir() << ")";
        return 1;
      }
    }
    return repainted / (static_cast<double>(screen.width()) * screen.height() * frames);
  }
};

TEST_F(CanvasChangesTest, AFightPatchedWhereItChangedLooksAsIfWhollyRepainted) {
  FightSetup fight = practiceFight(0, 3);
  fight.demo = true;
  fight.seed = 7;
  game.startFight(fight);
  ASSERT_TRUE(game.battle.shown());
  // The opening, the fight with its moves, hits, gauges and clock, 40 s of it.
  const double share = playFrames(game.battle, 730, [this] { run(55); });
  EXPECT_LT(share, 0.25) << "a fight's frame should repaint the fighters and gauges, not the window";
}

TEST_F(CanvasChangesTest, TheSelectWindowPatchedWhereItChangedLooksAsIfWhollyRepainted) {
  game.start();
  v.desktop.click(game.title.ctl->Command1);
  ASSERT_TRUE(select.shown());
  int k = 0;
  // The strip slides in, then the pointer goes from portrait to portrait.
  playFrames(select, 60, [&] {
    run(55);
    hover(k++ % 8);
  });
}

TEST_F(CanvasChangesTest, NothingChangedIsNothingToRepaint) {
  game.start();
  CanvasChanges changes;
  changes.changed(game.title, pictures, scale);
  EXPECT_TRUE(changes.changed(game.title, pictures, scale).isEmpty());
  changes.forget();
  EXPECT_FALSE(changes.changed(game.title, pictures, scale).isEmpty()) << "forgotten: all of it again";
}

}  // namespace
}  // namespace mojara::qt
