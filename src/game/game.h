// The Game: owns the seven windows and carries out the hand-overs between them, including the one
// function that starts a fight, whoever starts it.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "forms/desktop.h"

namespace mojara {

class Form1;
class Form2;
class Form3;
class Form4;
class Form5;
class Form6;
class Form7;

// What follows once a fight opened by Game::startFight is decided.
enum class AfterFight {
  HandOver,    // the next window opens, as in a game
  Stop,        // nothing opens: only the fight was wanted (a headless fight, the attract demo)
  EndProgram,  // the program ends (a replay played in the window)
  ToTitle,     // the title window opens afresh, as after a game over (practice; a replay played
               // from the title)
};

// Told of the start and the end of every fight, and of every hand-over between windows.
class FightObserver {
 public:
  virtual ~FightObserver() = default;
  // The battle window is about to load on `fight`; its seed is the one the load reseeds with.
  virtual void fightStarting(const FightSetup& fight) { (void)fight; }
  // The battle window has run its timer event number `event` (counted from its load).
  virtual void eventRan(long long event) { (void)event; }
  // The fight is decided and the battle window hands over to `next`; it has not closed yet.
  virtual void fightOver(Window next) { (void)next; }
  // A window hands over to `window`, which is about to be shown ("Ｐｌａｙ　Ｇａｍｅ" on the title
  // shows the select window).
  virtual void windowShowing(Window window) { (void)window; }
};

class Game : public Program {
 public:
  explicit Game(forms::Desktop& desktop);
  ~Game() override;

  // Program start: the title window is the start-up window.
  void start();

  // Opens the battle window on `fight`: the shared state is set as the fight says, as an
  // accepted draw on the select window leaves it, what it carries over from the last fight is set
  // when it says (its observers are told what it carries over either way), and the battle window
  // loads. `after` says what follows once the fight is decided.
  void startFight(const FightSetup& fight, AfterFight after);
  void startFight(const FightSetup& fight) override { startFight(fight, AfterFight::HandOver); }
  void fightOver(Window next) override;
  // What follows the fight running now, changed while it runs (an observer told of its end may).
  void setAfterFight(AfterFight after) { after_ = after; }
  void fightEventRan() override;
  // The state checksum of the fight running now or run last (see battle::checksum).
  std::uint64_t fightChecksum() const;

  // Demo play: side 0 of every fight draws its commands at random too, keys or no keys.
  void setDemoPlay(bool on) { demoPlay_ = on; }
  bool demoPlay() const { return demoPlay_; }

  void addObserver(FightObserver& observer) { observers_.push_back(&observer); }
  void removeObserver(FightObserver& observer);
  // The fight running now or run last, with its seed.
  const std::optional<FightSetup>& currentFight() const { return currentFight_; }
  // Whether the last fight was started with AfterFight::Stop and is decided.
  bool fightStopped() const { return fightStopped_; }

  void show(Window window) override;
  void unload(Window window);
  void releaseStore() override;

  forms::Form& form(Window window) const;
  forms::Form* findForm(std::string_view name) const;
  std::vector<forms::Form*> forms() const;

 protected:
  forms::PictureRef loadStoreAndRead(std::int32_t index) override;

 private:
  struct Windows;
  std::unique_ptr<Windows> windows_;  // built after the shared state, before the references below

  std::uint64_t randomizeSeed() override;

  bool demoPlay_ = false;
  std::vector<FightObserver*> observers_;
  std::optional<FightSetup> currentFight_;
  std::optional<std::uint64_t> loadSeed_;  // the seed the battle window's load takes
  AfterFight after_ = AfterFight::HandOver;
  bool fightStopped_ = false;

 public:
  // The windows by type, for the runners and tests that read a window's own variables.
  Form1& store;           // Form1
  Form2& battle;          // Form2
  Form3& title;           // Form3
  Form4& help;            // Form4
  Form5& select;          // Form5
  Form6& continueScreen;  // Form6
  Form7& ending;          // Form7
};

}  // namespace mojara
