// Whether what the page paints changed since the last scene, learnt from the windows' own values
// rather than by writing them out: every field the scene gives a window or a control
// (web/scene_json.h) is kept as it was last handed over, and compared with what it is now. A game
// that stands still costs the page nothing but this comparison.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/form.h"
#include "play/texts/window_texts.h"

namespace mojara::web {

class WebFrontEnd;

// A window's controls as the scene lists them: those the canvas paints, in its drawing order,
// then the widgets above it, the first of the form's list on top; the shown ones only.
std::vector<const forms::Control*> sceneOrder(const forms::Form& form);
// Where the scene places a control, in twips: its box as shown (a translated label may stand wider
// or lower than the game placed it) and what its containers show of it, if it is inside one.
forms::Box shownBox(const forms::Control& control, const LabelLook& look);
std::optional<forms::Box> containersClip(const forms::Control& control);

class SceneChanges {
 public:
  // Whether the shown windows look different from the last time this was asked; the first time,
  // and after forget(), they do.
  bool changed(const WebFrontEnd& frontEnd);
  void forget() { known_ = false; }

  // Everything the scene says of one control.
  struct ControlLook {
    const forms::Control* control = nullptr;
    forms::Box box;
    std::optional<forms::Box> clip;
    std::string text;  // a label's or button's caption, a text box's or combo's text, as shown
    std::vector<std::string> list;
    forms::FontSpec font;
    forms::Rgb fore, back, fill, border;
    forms::PictureRef picture;
    int style = 0, align = 0, listIndex = 0, min = 0, max = 0, value = 0, smallChange = 0, largeChange = 0;
    bool opaque = false, autoSize = false, wordWrap = false, stretch = false, fillSolid = false,
         borderVisible = false, enabled = false, isDefault = false, cancel = false, locked = false,
         multiLine = false, scrollBar = false;
    bool operator==(const ControlLook&) const = default;
  };
  // And of one window.
  struct FormLook {
    const forms::Form* form = nullptr;
    std::string caption;
    float width = 0, height = 0;
    forms::Rgb back;
    bool front = false, cues = false;
    const forms::Control* focus = nullptr;
    std::optional<forms::Box> mark;
    std::vector<ControlLook> controls;
  };

 private:
  std::vector<FormLook> forms_;
  ControlLook scratch_;
  bool known_ = false;
};

}  // namespace mojara::web
