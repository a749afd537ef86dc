#include "forms/layout.h"

#include <gtest/gtest.h>

#include "fake_host.h"
#include "forms/test_forms.h"

namespace mojara::testing {
namespace {

struct LayoutTest : ::testing::Test {
  VirtualDesktop v;
  LayoutForm form{v.desktop};
  void SetUp() override { v.desktop.show(form); }
  std::string hitName(float x, float y) {
    forms::Control* c = forms::hitTest(form, x, y);
    if (!c) return "none";
    return c->Name + (c->Index >= 0 ? std::to_string(c->Index) : "");
  }
};

TEST_F(LayoutTest, PaintsBottomFirstWithContainersAboveAndButtonsLeftToTheFrontEnd) {
  std::vector<std::string> names;
  for (const forms::Control* c : forms::paintOrder(form))
    names.push_back(c->Name + (c->Index >= 0 ? std::to_string(c->Index) : ""));
  std::vector<std::string> expected = {"Backdrop", "Marker", "Caption", "Panel",
                                       "Pic2",     "Pic1",   "Pic0",    "Cursor"};
  EXPECT_EQ(names, expected);
}

TEST_F(LayoutTest, TheTopmostVisibleControlUnderThePointerTakesTheMouse) {
  EXPECT_EQ(hitName(100, 100), "Caption");  // the label lies above the shape and the image
  EXPECT_EQ(hitName(4000, 100), "Backdrop");
  EXPECT_EQ(hitName(300 + 740, 2100), "Pic0");  // in the 15-twip overlap the earlier one wins
  EXPECT_EQ(hitName(300 + 760, 2100), "Pic1");
  EXPECT_EQ(hitName(300 + 2900, 2100), "Panel");  // inside the panel, on no picture
  EXPECT_EQ(hitName(7000, 7000), "none");
  form.ctl->Cursor.Visible = true;
  form.ctl->Cursor.Left = 735;
  EXPECT_EQ(hitName(300 + 760, 2100), "Cursor");
  form.ctl->Panel.Visible = false;  // a hidden panel hides what it holds
  EXPECT_EQ(hitName(300 + 760, 2100), "Backdrop");
}

TEST_F(LayoutTest, MouseEventsGoToTheControlUnderThePointerWithTheirButton) {
  v.desktop.mouseMove(form, 300 + 1500, 2100);
  v.desktop.mouseDown(form, 300 + 100, 2100, forms::mouse::Right);
  v.desktop.mouseDown(form, 9000, 9000, forms::mouse::Left);
  EXPECT_EQ(form.moves, std::vector<std::string>{"Pic2"});
  EXPECT_EQ(form.downs, std::vector<std::string>{"Pic0/2"});
}

TEST_F(LayoutTest, AbsoluteBoxesAddTheContainersOffset) {
  const forms::Box b = forms::absoluteBox(form.ctl->Pics[2]);
  EXPECT_EQ(b.left, 300 + 1470);
  EXPECT_EQ(b.top, 2000);
}

}  // namespace
}  // namespace mojara::testing
