// What every window shares and may ask of the program: the shared state, the program-wide random
// generator, the desktop, and the hand-overs between windows, which go by window name.
#pragma once

#include <cstdint>

#include "app/fight_setup.h"
#include "app/game_numbers.h"
#include "app/module1.h"
#include "app/program_random.h"
#include "app/window.h"
#include "forms/desktop.h"

namespace mojara {

// The application's title, which the message box shows as its caption.
inline constexpr const char* kProgramTitle = "モジャラ大戦";

class Program {
 public:
  explicit Program(forms::Desktop& desktop) : desktop(desktop) {}
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  virtual ~Program() = default;

  forms::Desktop& desktop;
  Module1 M;
  ProgramRandom rnd;

  // Reseeds the program's random generator from the system clock (or, at the load of a fight
  // whose seed is fixed, from that seed).
  void Randomize() { rnd.reseed(randomizeSeed()); }

  // Loads the window if it is not loaded and shows it.
  virtual void show(Window window) = 0;
  // Picture i (0..223) of the sprite store ORE; reading it loads the store if it is not loaded.
  // The battle reads pictures on every tick: while the store is loaded they come straight from it.
  forms::PictureRef ORE(std::int32_t index) {
    if (storeHolds(index)) return storePictures_[index].Picture;
    return loadStoreAndRead(index);
  }
  // Whether ORE(index) reads a loaded store, with nothing to load and nothing to refuse.
  bool storeHolds(std::int32_t index) const {
    return store_ && store_->loaded() && static_cast<std::uint32_t>(index) < kStorePictures;
  }
  // Unloads the sprite store; pictures already given to image slots stay shown.
  virtual void releaseStore() = 0;

  // Opens the battle window on this fight: the shared state is set up as the fight says (the
  // select window's accepted draw has already put it so) and the battle window loads.
  virtual void startFight(const FightSetup& fight) = 0;
  // The battle window's hand-over once its fight is decided: it closes and `next` (the select
  // window after a win, the continue window after a loss) opens.
  virtual void fightOver(Window next) = 0;
  // The battle window has run a timer event (after its sounds and beeps, before any hand-over).
  virtual void fightEventRan() {}

 protected:
  virtual std::uint64_t randomizeSeed() { return desktop.clockSeed(); }
  // ORE's reading when the store is not loaded (or the index is outside it): loads the store (or
  // refuses the index), then reads the picture.
  virtual forms::PictureRef loadStoreAndRead(std::int32_t index) = 0;
  // The store window and its pictures in store order, for ORE to read while it stays loaded.
  void storeAtHand(const forms::Form& store, const forms::Image* pictures) {
    store_ = &store;
    storePictures_ = pictures;
  }

 private:
  const forms::Form* store_ = nullptr;
  const forms::Image* storePictures_ = nullptr;
};

}  // namespace mojara
