// The base of every game window: a form that knows the program it belongs to and its shared state.
#pragma once

#include "app/program.h"
#include "forms/desktop.h"
#include "forms/form.h"

namespace mojara {

template <class Controls>
class GameForm : public forms::FormOf<Controls> {
 public:
  GameForm(Program& program, Window window)
      : forms::FormOf<Controls>(program.desktop, std::string(formName(window))),
        program(program),
        M(program.M) {}

 protected:
  Program& program;
  Module1& M;
};

}  // namespace mojara
