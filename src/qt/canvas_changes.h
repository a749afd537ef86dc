// What a form's canvas showed at its last frame, control by control, so that the next frame
// repaints only where something changed: in a fight that is the two fighters and a gauge or two,
// not the whole window eighteen times a second.
#pragma once

#include <QRegion>
#include <vector>

#include "forms/form.h"
#include "qt/canvas_painter.h"

namespace mojara::qt {

class PictureLibrary;

class CanvasChanges {
 public:
  // Where the canvas (pixels, form coordinates) looks different from the last time this was
  // asked: where each changed control was and where it is now. The first time, and after
  // forget(), it is the whole canvas.
  // Captions are shown as `texts` has them.
  QRegion changed(const forms::Form& form, const PictureLibrary& pictures, const Scale& scale,
                  const ShownTexts& texts = ShownTexts::original());
  // The next frame repaints everything (the scale changed, the window was shown again).
  void forget() { seen_.clear(); }

  // Everything about a control that its painting depends on.
  struct Look {
    const forms::Control* control = nullptr;
    bool showing = false;
    forms::Box box;
    std::string caption;
    forms::FontSpec font;
    forms::Rgb fore, back, fill, border;
    int style = 0, alignment = 0;
    bool opaque = false, autoSize = false, wordWrap = false, stretch = false, fillSolid = false,
         borderVisible = false;
    forms::PictureRef picture;
    bool operator==(const Look&) const = default;
  };

 private:
  struct Seen {
    Look look;
    QRect area;
  };
  std::vector<Seen> seen_;  // in painting order
  Look scratch_;            // the look being compared, kept for its caption's room
  forms::Rgb backColor_;
  QSize size_;
};

}  // namespace mojara::qt
