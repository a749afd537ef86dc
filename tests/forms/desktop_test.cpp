#include <gtest/gtest.h>

#include "fake_host.h"
#include "forms/test_forms.h"

namespace mojara::testing {
namespace {

TEST(Desktop, UnloadSlidesTheWindowUpInOneHundredAndOneStepsThenCloses) {
  VirtualDesktop v;
  TimerForm form(v.desktop);
  v.desktop.show(form);
  form.Top = 1000;
  v.desktop.unload(form);
  ASSERT_EQ(v.host.tops.size(), 101u);
  for (std::size_t i = 0; i < v.host.tops.size(); ++i) EXPECT_EQ(v.host.tops[i], 1000 - 300.0f * (i + 1));
  EXPECT_EQ(form.Top, 1000 - 30300);
  std::vector<std::string> expected = {"load TimerForm", "show TimerForm", "unload TimerForm"};
  EXPECT_EQ(v.host.events, expected);
  EXPECT_FALSE(form.loaded());
  EXPECT_EQ(form.ctl, nullptr);
}

TEST(Desktop, ControlsAreRebuiltFromTheirDesignStateAtEveryLoad) {
  VirtualDesktop v;
  LayoutForm form(v.desktop);
  v.desktop.show(form);
  form.ctl->Caption.Caption = "changed";
  form.ctl->Cursor.Visible = true;
  v.desktop.unload(form);
  v.desktop.show(form);
  EXPECT_EQ(form.ctl->Caption.Caption, "");
  EXPECT_FALSE(form.ctl->Cursor.Visible);
  EXPECT_EQ(form.ctl->Pics[1].Container, &form.ctl->Panel);
}

TEST(Desktop, ShowingAWindowThatIsUpBringsItToTheFrontWithoutShowingItAgain) {
  VirtualDesktop v;
  TimerForm back(v.desktop);
  LayoutForm front(v.desktop);
  v.desktop.show(back);
  v.desktop.show(front);
  ASSERT_EQ(v.desktop.foreground(), &front);
  v.desktop.show(back);
  EXPECT_EQ(v.desktop.foreground(), &back);
  std::vector<std::string> expected = {"load TimerForm", "show TimerForm", "load LayoutForm", "show LayoutForm",
                                       "raise TimerForm"};
  EXPECT_EQ(v.host.events, expected);
  v.desktop.unload(back);  // the one behind it has the keyboard again
  EXPECT_EQ(v.desktop.foreground(), &front);
}

TEST(Desktop, AMessageBoxHoldsTimersAndInputUntilItIsClosed) {
  VirtualDesktop v;
  TimerForm form(v.desktop);
  LayoutForm other(v.desktop);
  v.desktop.show(other);
  v.desktop.show(form);
  bool closed = false;
  v.desktop.msgBox("Ｇａｍｅ　Ｏｖｅｒ！！", "title", [&] { closed = true; });
  EXPECT_EQ(v.host.messages.size(), 1u);
  EXPECT_EQ(v.runFor(ms(1000)), 0);
  v.desktop.mouseDown(other, 400, 2100, 1);
  EXPECT_TRUE(other.downs.empty());
  v.desktop.closeMessageBox();
  EXPECT_TRUE(closed);
  EXPECT_EQ(v.runFor(ms(50)), 1);  // the overdue timer fires once, then keeps its period from now
}

TEST(Desktop, EndingTheProgramStopsEverything) {
  VirtualDesktop v;
  TimerForm form(v.desktop);
  v.desktop.show(form);
  form.onEach = [&](forms::Timer&) { v.desktop.end(); };
  v.runFor(ms(1000));
  EXPECT_EQ(form.fired.size(), 1u);
  EXPECT_TRUE(v.host.ended);
  v.desktop.keyDown(form, 'A');
  v.desktop.show(form);
  EXPECT_FALSE(v.desktop.nextDue().has_value());
}

TEST(Desktop, ClosingAGameWindowEndsTheProgramButOtherWindowsJustUnload) {
  struct Helpish : TimerForm {
    using TimerForm::TimerForm;
    bool closingEndsProgram() const override { return false; }
  };
  VirtualDesktop v;
  Helpish help(v.desktop);
  TimerForm game(v.desktop);
  v.desktop.show(game);
  v.desktop.show(help);
  v.desktop.closeRequest(help);
  EXPECT_FALSE(help.loaded());
  EXPECT_EQ(v.host.tops.size(), 101u);
  EXPECT_FALSE(v.host.ended);
  v.desktop.closeRequest(game);
  EXPECT_TRUE(v.host.ended);
}

TEST(Desktop, F1AsksForHelpOnTheFormsHelpContext) {
  struct HelpControls {
    HelpControls() { Hint.HelpContextID = 1; }
    forms::CommandButton Hint{"Hint", {0, 0, 100, 100}};
    std::vector<forms::Control*> list() { return {&Hint}; }
  };
  struct KeyForm : forms::FormOf<HelpControls> {
    using FormOf::FormOf;
    std::vector<int> keys;
    void onKeyDown(int key, int) override { keys.push_back(key); }
  };
  VirtualDesktop v;
  KeyForm form(v.desktop, "KeyForm");
  std::vector<int> asked;
  v.desktop.setHelpHandler([&](int context) { asked.push_back(context); });
  v.desktop.show(form);
  v.desktop.keyDown(form, forms::vk::F1);
  v.desktop.keyDown(form, 'A');
  EXPECT_EQ(asked, std::vector<int>{1});
  EXPECT_EQ(form.keys, std::vector<int>{'A'});
}

TEST(Desktop, ScrollBarsClampAndReportOnlyRealChanges) {
  struct BarControls {
    forms::HScrollBar Scr{"Scr", {0, 0, 100, 100}};
    BarControls() { Scr.Min = 1, Scr.Max = 20, Scr.Value = 5; }
    std::vector<forms::Control*> list() { return {&Scr}; }
  };
  struct BarForm : forms::FormOf<BarControls> {
    using FormOf::FormOf;
    std::vector<int> values;
    void onChange(forms::Control&) override { values.push_back(ctl->Scr.Value); }
  };
  VirtualDesktop v;
  BarForm form(v.desktop, "BarForm");
  v.desktop.show(form);
  v.desktop.change(form.ctl->Scr, 7);
  v.desktop.change(form.ctl->Scr, 7);
  v.desktop.change(form.ctl->Scr, 99);
  EXPECT_EQ(form.values, (std::vector<int>{7, 20}));
}

// A dialog of the kind the game's windows are: buttons, a list and a scroll bar, listed in another
// order than they stand in, and a hidden button.
struct DialogControls {
  DialogControls() {
    Ok.Default = true;
    Quit.Cancel = true;
    Hidden.Visible = false;
    Topics.List = {"a", "b", "c"};
    Speed.Min = 1, Speed.Max = 20, Speed.Value = 5, Speed.LargeChange = 4;
  }
  forms::CommandButton Quit{"Quit", {0, 3000, 1000, 300}};
  forms::HScrollBar Speed{"Speed", {0, 2000, 1000, 200}};
  forms::CommandButton Hidden{"Hidden", {0, 500, 1000, 300}};
  forms::ComboBox Topics{"Topics", {0, 1000, 1000, 300}};
  forms::CommandButton Ok{"Ok", {0, 0, 1000, 300}};
  std::vector<forms::Control*> list() { return {&Quit, &Speed, &Hidden, &Topics, &Ok}; }
};

struct DialogForm : forms::FormOf<DialogControls> {
  explicit DialogForm(forms::Desktop& d) : FormOf(d, "Dialog") { ScaleWidth = ScaleHeight = 4000; }
  std::vector<std::string> events;
  void onClick(forms::Control& c) override {
    events.push_back(&c == &ctl->Topics ? "choose " + ctl->Topics.Text : "click " + c.Name);
  }
  void onChange(forms::Control&) override { events.push_back("speed " + std::to_string(ctl->Speed.Value)); }
};

TEST(Desktop, TheKeyboardMovesAboutAWindowAndPressesItsButtons) {
  namespace vk = forms::vk;
  struct Case {
    const char* focus;  // where the player put the keyboard first ("": nowhere yet)
    int key, shift;
    const char* focusAfter;
    std::vector<std::string> events;
    bool used;
  };
  const Case cases[] = {
      {"", vk::Return, 0, "Ok", {"click Ok"}, true},  // the keyboard starts at the top
      {"", vk::Tab, 0, "Topics", {}, true},           // down the window, past the hidden button
      {"Quit", vk::Tab, 0, "Ok", {}, true},
      {"Ok", vk::Tab, 1, "Quit", {}, true},
      {"Quit", vk::Return, 0, "Quit", {"click Quit"}, true},  // the button with the keyboard
      {"Topics", vk::Return, 0, "Topics", {"click Ok"}, true},  // else the default button
      {"Topics", vk::KeypadEnter, 0, "Topics", {"click Ok"}, true},  // the number pad's Enter too
      {"Topics", vk::Escape, 0, "Topics", {"click Quit"}, true},  // the cancel button
      {"Topics", vk::Down, 0, "Topics", {"choose a"}, true},
      {"Speed", vk::Left, 0, "Speed", {"speed 4"}, true},
      {"Speed", vk::PageDown, 0, "Speed", {"speed 9"}, true},
      {"Ok", 'A', 0, "Ok", {}, false},  // the window's own keys
      {"Ok", vk::Return, 2, "Ok", {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.focus) + " key " + std::to_string(c.key) + " shift " + std::to_string(c.shift));
    VirtualDesktop v;
    DialogForm form(v.desktop);
    v.desktop.show(form);
    if (*c.focus) v.desktop.setFocus(*form.findControl(c.focus));
    EXPECT_EQ(v.desktop.navigate(form, c.key, c.shift), c.used);
    ASSERT_NE(v.desktop.focus(form), nullptr);
    EXPECT_EQ(v.desktop.focus(form)->Name, c.focusAfter);
    EXPECT_EQ(form.events, c.events);
    EXPECT_EQ(v.desktop.keyboardCues(form), c.used);
  }

  VirtualDesktop v;
  DialogForm form(v.desktop);
  v.desktop.show(form);
  // A button that can no longer have the keyboard gives it back to the first control.
  v.desktop.setFocus(form.ctl->Quit);
  form.ctl->Quit.Enabled = false;
  EXPECT_EQ(v.desktop.focus(form), &form.ctl->Ok);
  // A message box closes with Enter, and the host takes it off the screen.
  v.desktop.msgBox("text", "caption", {});
  EXPECT_TRUE(v.desktop.navigate(form, vk::Return, 0));
  EXPECT_EQ(v.host.messagesClosed, 1);
  EXPECT_TRUE(form.events.empty()) << "the key went no further than the message box";
}

}  // namespace
}  // namespace mojara::testing
