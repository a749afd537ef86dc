// The whole program: the shared state, the program-wide random generator and every window.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "app/module1.h"
#include "app/program_random.h"
#include "forms/desktop.h"

namespace mojara {

class Form3;
class Form4;
class Form5;

class Game {
 public:
  explicit Game(forms::Desktop& desktop);
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  forms::Desktop& desktop;
  Module1 M;
  ProgramRandom rnd;

 private:
  struct Windows;
  std::unique_ptr<Windows> windows_;  // built after the state above, before the references below

 public:

  // Reseeds the program's random generator from the system clock.
  void Randomize() { rnd.reseed(desktop.clockSeed()); }

  // Program start: the title window is the start-up window.
  void start();

  std::vector<forms::Form*> forms() const;
  forms::Form* findForm(std::string_view name) const;

  Form3& title;   // Form3
  Form4& help;    // Form4
  Form5& select;  // Form5
};

}  // namespace mojara
