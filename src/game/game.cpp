#include "game/game.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "app/roster.h"
#include "assets/sprite_store.h"
#include "battle/battle_window.h"
#include "help/help_window.h"
#include "screens/continue_window.h"
#include "screens/ending_window.h"
#include "select/select_window.h"
#include "title/title_window.h"

namespace mojara {

struct Game::Windows {
  explicit Windows(Program& program)
      : store(program),
        battle(program),
        title(program),
        help(program),
        select(program),
        continueScreen(program),
        ending(program) {}
  Form1 store;
  Form2 battle;
  Form3 title;
  Form4 help;
  Form5 select;
  Form6 continueScreen;
  Form7 ending;
};

Game::Game(forms::Desktop& desktop)
    : Program(desktop),
      windows_(std::make_unique<Windows>(*this)),
      store(windows_->store),
      battle(windows_->battle),
      title(windows_->title),
      help(windows_->help),
      select(windows_->select),
      continueScreen(windows_->continueScreen),
      ending(windows_->ending) {
  // F1 asks for help on the title window's help button; our help is the help window.
  desktop.setHelpHandler([this](int) { show(Window::Help); });
}

Game::~Game() = default;

void Game::start() { show(Window::Title); }

void Game::startFight(const FightSetup& setup, AfterFight after) {
  FightSetup fight = setup;
  fight.demo = fight.demo || demoPlay_;
  if (!fight.seed) fight.seed = desktop.clockSeed();
  // After the select window's accepted draw these writes change nothing: the draw left them so.
  setUpFight(M, fight);
  if (fight.carried)
    battle::carryOver(*fight.carried, battle.fight(), M);
  else
    fight.carried = battle::carriedOver(battle.fight(), M);
  currentFight_ = fight;
  after_ = after;
  fightStopped_ = false;
  for (FightObserver* observer : observers_) observer->fightStarting(fight);
  loadSeed_ = fight.seed;
  desktop.show(battle);
  loadSeed_.reset();
  // In demo play the computer steers side 0 too: the battle's load gave it to the keys.
  if (fight.demo && battle.loaded()) battle.fight().INPUTON = 0;
  // In a two-player fight the second player steers side 1.
  if (fight.versus && battle.loaded()) battle.fight().INPUTON2 = 1;
}

void Game::fightOver(Window next) {
  for (FightObserver* observer : observers_) observer->fightOver(next);
  desktop.unload(battle);
  switch (after_) {
    case AfterFight::HandOver:
      show(next);
      break;
    case AfterFight::Stop:
      fightStopped_ = true;
      break;
    case AfterFight::EndProgram:
      desktop.end();
      break;
    case AfterFight::ToTitle:
      show(Window::Title);
      break;
  }
}

void Game::fightEventRan() {
  const long long event = battle.timerEvents();
  for (FightObserver* observer : observers_) observer->eventRan(event);
}

std::uint64_t Game::fightChecksum() const { return battle::checksum(battle.fight()); }

void Game::removeObserver(FightObserver& observer) { std::erase(observers_, &observer); }

std::uint64_t Game::randomizeSeed() {
  if (!loadSeed_) return desktop.clockSeed();
  const std::uint64_t seed = *loadSeed_;
  loadSeed_.reset();
  return seed;
}

void Game::show(Window window) {
  for (FightObserver* observer : observers_) observer->windowShowing(window);
  desktop.show(form(window));
}

void Game::unload(Window window) { desktop.unload(form(window)); }

forms::PictureRef Game::loadStoreAndRead(std::int32_t index) {
  desktop.load(store);
  const auto& pictures = store.ctl->ORE;
  if (index < 0 || index >= static_cast<std::int32_t>(pictures.size()))
    throw std::out_of_range("sprite store index " + std::to_string(index) + " outside 0 To 223");
  storeAtHand(store, pictures.data());
  return pictures[static_cast<std::size_t>(index)].Picture;
}

void Game::releaseStore() { desktop.unload(store); }

forms::Form& Game::form(Window window) const {
  switch (window) {
    case Window::Store:
      return store;
    case Window::Battle:
      return battle;
    case Window::Title:
      return title;
    case Window::Help:
      return help;
    case Window::Select:
      return select;
    case Window::Continue:
      return continueScreen;
    case Window::Ending:
      return ending;
  }
  throw std::invalid_argument("no such window");
}

std::vector<forms::Form*> Game::forms() const {
  return {&store, &battle, &title, &help, &select, &continueScreen, &ending};
}

forms::Form* Game::findForm(std::string_view name) const {
  for (forms::Form* f : forms())
    if (f->name() == name) return f;
  return nullptr;
}

}  // namespace mojara
