// How a label is shown where the game's layout, made for its Japanese texts, does not suit a
// translation. Translation is for the eye only: the label itself stays where the game put it, so
// every front end moves it only as it draws it.
#pragma once

#include <optional>

#include "forms/controls.h"

namespace mojara {

struct LabelLook {
  float down = 0;                   // twips below the label's own place
  float wider = 0;                  // twips added on either side of its box
  std::optional<forms::Rgb> color;  // its text's colour, when not its own
};

// The look of `label` when the windows show a translation (in the game's own language every label
// is shown as the game placed it).
LabelLook translatedLookOf(const forms::Label& label);

}  // namespace mojara
