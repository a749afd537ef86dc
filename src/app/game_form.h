// The base of every game window: a form that knows the game it belongs to and its shared state.
#pragma once

#include "app/game.h"
#include "forms/desktop.h"
#include "forms/form.h"

namespace mojara {

template <class Controls>
class GameForm : public forms::FormOf<Controls> {
 public:
  GameForm(Game& game, std::string name)
      : forms::FormOf<Controls>(game.desktop, std::move(name)), game(game), M(game.M) {}

 protected:
  Game& game;
  Module1& M;
};

}  // namespace mojara
