// The sprite store: the hidden window Form1 whose image array ORE holds every fighter picture.
// It is never shown; screens read pictures from it, which loads it, and the battle and select
// windows release it when they close. A read after a release loads it again.
#pragma once

#include <array>
#include <vector>

#include "app/game_form.h"
#include "forms/controls.h"

namespace mojara {

struct StoreControls {
  StoreControls();
  std::vector<forms::Control*> list();
  // 224 pictures, eight fighters of 28. Held in place: the store loads at every fight.
  std::array<forms::Image, 224> ORE;
};

class Form1 : public GameForm<StoreControls> {
 public:
  explicit Form1(Program& program);
};

}  // namespace mojara
