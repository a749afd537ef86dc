// Small forms used by the forms-layer tests.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "forms/form.h"

namespace mojara::testing {

struct TimerControls {
  forms::Timer A{"A", 10, false};
  forms::Timer B{"B", 10, false};
  forms::Timer C{"C", 100, true};
  std::vector<forms::Control*> list() { return {&A, &B, &C}; }
};

// Records which timer fired when; a handler can be given to run on each event.
struct TimerForm : forms::FormOf<TimerControls> {
  explicit TimerForm(forms::Desktop& d) : FormOf(d, "TimerForm") {}
  std::vector<std::string> fired;
  std::function<void(forms::Timer&)> onEach;
  void onTimer(forms::Timer& t) override {
    fired.push_back(t.Name);
    if (onEach) onEach(t);
  }
  void Form_Unload() override { slideUp(); }
};

// A strip of overlapping pictures inside a panel, a cursor image above them, a label and a shape.
struct LayoutControls {
  LayoutControls() {
    Panel.Visible = true;
    for (auto& p : Pics) p.Container = &Panel;
    Cursor.Container = &Panel;
    Cursor.Visible = false;
  }
  forms::Label Caption{"Caption", {0, 0, 3000, 600}};
  forms::Shape Marker{"Marker", {0, 0, 3000, 600}};
  forms::Image Backdrop{"Backdrop", {0, 0, 6000, 3000}};
  forms::PictureBox Panel{"Panel", {300, 2000, 3000, 900}};
  forms::Image Cursor{"Cursor", {0, 0, 750, 855}};
  std::array<forms::Image, 3> Pics{forms::Image{"Pic", {0, 0, 750, 855}, 0},
                                   forms::Image{"Pic", {735, 0, 750, 855}, 1},
                                   forms::Image{"Pic", {1470, 0, 750, 855}, 2}};
  forms::CommandButton Button{"Button", {0, 3000, 1000, 300}};
  std::vector<forms::Control*> list() {
    return {&Caption, &Marker, &Backdrop, &Panel, &Cursor, &Pics[0], &Pics[1], &Pics[2], &Button};
  }
};

struct LayoutForm : forms::FormOf<LayoutControls> {
  explicit LayoutForm(forms::Desktop& d) : FormOf(d, "LayoutForm") {}
  std::vector<std::string> moves, downs;
  void onMouseMove(forms::Control& c, int, float, float) override {
    moves.push_back(c.Name + (c.Index >= 0 ? std::to_string(c.Index) : ""));
  }
  void onMouseDown(forms::Control& c, int button, float, float) override {
    downs.push_back(c.Name + (c.Index >= 0 ? std::to_string(c.Index) : "") + "/" + std::to_string(button));
  }
};

}  // namespace mojara::testing
