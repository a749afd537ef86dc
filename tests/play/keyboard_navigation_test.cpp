// The game without a mouse: the keys and a controller's buttons through every window, and the
// select window's pointer, which must leave exactly what the mouse leaves.
#include "play/input/keyboard_navigation.h"

#include <gtest/gtest.h>

#include <functional>

#include "game_fixture.h"
#include "help/help_window.h"
#include "play/session/practice.h"

namespace mojara::testing {
namespace {

namespace vk = forms::vk;

// One run of the program from its start, up to the select window's portrait strip.
struct ToTheStrip {
  VirtualDesktop v;
  Game game{v.desktop};
  KeyboardNavigation navigation{game};
  Form5& select = game.select;
  explicit ToTheStrip(std::int32_t pickSlot = 0, std::int32_t pressed = 0) {
    game.start();
    game.M.PICKSLOT = pickSlot;
    game.M.PRESSED = pressed;
    v.desktop.click(game.title.ctl->Command1);
    v.runFor(ms(60));  // the strip slides in on the first tick
  }
  void mouseOnto(int k, int button = 0) {
    const forms::Box box = forms::absoluteBox(select.ctl->KYARA[k]);
    const float x = box.left + box.width / 2, y = box.top + box.height / 2;
    if (button)
      v.desktop.mouseDown(select, x, y, button);
    else
      v.desktop.mouseMove(select, x, y);
  }
};

TEST(KeyboardNavigation, TheSelectPointerLeavesExactlyWhatTheMouseLeaves) {
  struct Case {
    const char* what;
    std::int32_t pickSlot, pressed;
    std::vector<int> hoversFirst;  // the mouse, before any key
    std::vector<int> keys;
    int picked;  // where the mouse clicks for the same end; -1: nowhere
    int speed;   // the bar moved by the mouse first (0: not)
  };
  const Case cases[] = {
      {"the first key only shows the pointer", 0, 0, {}, {vk::Right, vk::Right, vk::Right, vk::Return}, 2, 0},
      {"left from the first portrait wraps to the last", 0, 0, {}, {vk::Left, vk::Left, vk::Return}, 7, 0},
      {"the pointer starts on the last fighter", 5, 0, {}, {vk::Return, vk::Return}, 5, 0},
      {"the pointer starts where the mouse is", 0, 0, {4}, {vk::Right, vk::Right, vk::Return}, 5, 0},
      {"down to the speed bar and back up", 3, 0, {}, {vk::Down, vk::Left, vk::Left, vk::Up, vk::Return}, 3, 3},
      {"after a won fight the strip takes no picks", 2, 1, {}, {vk::Right, vk::Left, vk::Return}, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ToTheStrip keys(c.pickSlot, c.pressed), mouse(c.pickSlot, c.pressed);
    for (int k : c.hoversFirst) {
      keys.mouseOnto(k);
      mouse.mouseOnto(k);
    }
    for (int key : c.keys) EXPECT_TRUE(keys.navigation.keyPressed(keys.select, key));
    if (c.speed) mouse.v.desktop.change(mouse.select.ctl->Scr, c.speed);
    if (c.picked >= 0) {
      mouse.mouseOnto(c.picked);
      mouse.mouseOnto(c.picked, forms::mouse::Left);
      ASSERT_TRUE(keys.game.battle.loaded()) << "no fight started";
      EXPECT_EQ(keys.game.M.CHARA[0], c.picked);
      EXPECT_EQ(keys.game.currentFight(), mouse.game.currentFight());
    } else {
      EXPECT_TRUE(keys.select.shown());
      EXPECT_FALSE(keys.select.ctl->casol.Visible);
      EXPECT_EQ(keys.select.ctl->casol.Left, mouse.select.ctl->casol.Left);
    }
    EXPECT_EQ(keys.game.M, mouse.game.M);
    EXPECT_EQ(keys.game.rnd.state(), mouse.game.rnd.state());
  }
}

// The whole program on the virtual clock with the navigation, one for each case.
struct Navigated : GameTest {
  void TestBody() override {}
  KeyboardNavigation navigation{game};
  bool key(int code, int shift = 0) { return navigation.keyPressed(*v.desktop.foreground(), code, shift); }
  bool pad(PadButton button, bool repeat = false) {
    return navigation.padPressed(*v.desktop.foreground(), button, repeat);
  }
  void toContinue() {
    startGameWith(1);
    finishFight(false);
    ASSERT_TRUE(runUntilShown(game.continueScreen, 5000));
  }
};

TEST(KeyboardNavigation, EnterAndEscapeDoInEveryWindowWhatItsButtonsDo) {
  using T = Navigated;
  struct Case {
    const char* what;
    std::function<void(T&)> to;  // from the title
    std::function<bool(T&)> press;
    std::function<bool(T&)> after;
  };
  const auto nothing = [](T&) {};
  const Case cases[] = {
      {"Enter on the title starts a game", nothing, [](T& t) { return t.key(vk::Return); },
       [](T& t) { return t.select.shown() && !t.game.title.loaded(); }},
      {"the button Enter presses is marked before any key, and the arrow keys move it",
       [](T& t) { EXPECT_EQ(t.navigation.mark(t.game.title), forms::absoluteBox(t.game.title.ctl->Command1)); },
       [](T& t) { return t.key(vk::Down) && t.key(vk::Return); },  // the help button does nothing
       [](T& t) {
         return t.game.title.shown() && t.navigation.mark(t.game.title) == forms::absoluteBox(t.game.title.ctl->Command2);
       }},
      {"the continue window marks its button", [](T& t) { t.toContinue(); },
       [](T& t) { return t.navigation.mark(t.game.continueScreen).has_value(); },
       [](T& t) {
         return t.navigation.mark(t.game.continueScreen) == forms::absoluteBox(t.game.continueScreen.ctl->Command1);
       }},
      {"Escape on the title does nothing", nothing, [](T& t) { return !t.key(vk::Escape); },
       [](T& t) { return t.game.title.shown() && !t.v.desktop.ended(); }},
      {"Enter on the continue window continues", [](T& t) { t.toContinue(); },
       [](T& t) { return t.key(vk::Return); }, [](T& t) { return t.select.shown(); }},
      {"A closes the game-over message", [](T& t) { t.toContinue(), t.run(11000); },
       [](T& t) { return t.v.desktop.messageBoxOpen() && t.pad(PadButton::A); },
       [](T& t) { return !t.v.desktop.messageBoxOpen() && t.game.title.shown(); }},
      {"Escape closes the help as its button does", [](T& t) { t.v.desktop.keyDown(t.game.title, vk::F1); },
       [](T& t) { return t.key(vk::Escape); }, [](T& t) { return !t.game.help.loaded() && t.game.title.shown(); }},
      {"in the help the arrow keys choose a topic", [](T& t) { t.v.desktop.keyDown(t.game.title, vk::F1); },
       [](T& t) { return t.key(vk::Down) && t.key(vk::Down); },
       [](T& t) { return t.game.help.ctl->Combo1.Text == "ストーリー"; }},
      {"on the select window Tab goes to the speed bar", [](T& t) { t.key(vk::Return), t.run(60); },
       [](T& t) { return t.key(vk::Tab) && t.key(vk::Right); },
       [](T& t) { return t.select.ctl->Scr.Value == 6 && t.select.ctl->Label2.Caption.ends_with("6"); }},
      {"in a fight the keys are the fight's", [](T& t) { t.startGameWith(0); },
       [](T& t) { return !t.key(vk::Return) && !t.key(vk::Escape) && !t.key(vk::Left) && !t.pad(PadButton::A); },
       [](T& t) { return t.game.battle.shown(); }},
      {"in demo play B (Escape) ends the program, in a fight too", [](T& t) { t.game.setDemoPlay(true), t.startGameWith(0); },
       [](T& t) { return t.pad(PadButton::B); }, [](T& t) { return t.v.desktop.ended(); }},
      {"Escape ends a practice fight the computer plays (--demo --fight)",
       [](T& t) { startPractice(t.game, 2, 3, true), t.run(500); }, [](T& t) { return t.key(vk::Escape); },
       [](T& t) { return t.v.desktop.ended(); }},
      {"a held A does not press again", nothing, [](T& t) { return t.pad(PadButton::A, true); },
       [](T& t) { return t.game.title.shown(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    T t;
    t.game.start();
    t.run(100);
    c.to(t);
    EXPECT_TRUE(c.press(t));
    EXPECT_TRUE(c.after(t));
  }
}

}  // namespace
}  // namespace mojara::testing
