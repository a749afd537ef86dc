// The whole program: the shared state, the program-wide random generator and every window.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "app/module1.h"
#include "app/program_random.h"
#include "forms/desktop.h"

namespace mojara {

class Form1;
class Form2;
class Form3;
class Form4;
class Form5;
class Form6;
class Form7;

// The application's title, which the message box shows as its caption.
inline constexpr const char* kProgramTitle = "モジャラ大戦";

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

  // Picture i (0..223) of the sprite store ORE; reading it loads the store if it is not loaded.
  forms::PictureRef ORE(std::int32_t index);
  // Unloads the sprite store; pictures already given to image slots stay shown.
  void releaseStore();

  // Program start: the title window is the start-up window.
  void start();

  // The practice start: both sides filled from the roster as an accepted draw on the select
  // window leaves them, then the battle window opens directly.
  void startFight(std::int32_t playerSlot, std::int32_t opponentSlot);

  // The battle window hands over to the next window. A headless fight run sets `onHandOver` to
  // end there instead of opening it.
  void handOver(forms::Form& next);
  std::function<void(forms::Form&)> onHandOver;

  std::vector<forms::Form*> forms() const;
  forms::Form* findForm(std::string_view name) const;

  Form1& store;           // Form1
  Form2& battle;          // Form2
  Form3& title;           // Form3
  Form4& help;            // Form4
  Form5& select;          // Form5
  Form6& continueScreen;  // Form6
  Form7& ending;          // Form7

  // Demo play: side 0 of every fight draws its commands at random too, keys or no keys.
  bool demo = false;
};

}  // namespace mojara
