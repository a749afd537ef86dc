// The player-select window. For now an empty window that the title's "Ｐｌａｙ　Ｇａｍｅ" opens.
#pragma once

#include "app/game_form.h"

namespace mojara {

struct SelectControls {
  std::vector<forms::Control*> list() { return {}; }
};

class Form5 : public GameForm<SelectControls> {
 public:
  explicit Form5(Game& game);
  void Form_Unload() override;
};

}  // namespace mojara
