#include "app/game.h"

#include <stdexcept>
#include <string>

#include "app/title_window.h"
#include "assets/sprite_store.h"
#include "battle/battle_window.h"
#include "help/help_window.h"
#include "screens/continue_window.h"
#include "screens/ending_window.h"
#include "select/roster.h"
#include "select/select_window.h"

namespace mojara {

struct Game::Windows {
  explicit Windows(Game& game)
      : store(game),
        battle(game),
        title(game),
        help(game),
        select(game),
        continueScreen(game),
        ending(game) {}
  Form1 store;
  Form2 battle;
  Form3 title;
  Form4 help;
  Form5 select;
  Form6 continueScreen;
  Form7 ending;
};

Game::Game(forms::Desktop& desktop)
    : desktop(desktop),
      windows_(std::make_unique<Windows>(*this)),
      store(windows_->store),
      battle(windows_->battle),
      title(windows_->title),
      help(windows_->help),
      select(windows_->select),
      continueScreen(windows_->continueScreen),
      ending(windows_->ending) {
  // F1 asks for help on the title window's help button; our help is the help window.
  desktop.setHelpHandler([this](int) { this->desktop.show(help); });
}

Game::~Game() = default;

void Game::start() { desktop.show(title); }

void Game::startFight(std::int32_t playerSlot, std::int32_t opponentSlot) {
  M.SPEED = 5;
  acceptDraw(M, playerSlot, opponentSlot);
  desktop.show(battle);
}

void Game::handOver(forms::Form& next) {
  if (onHandOver)
    onHandOver(next);
  else
    desktop.show(next);
}

forms::PictureRef Game::ORE(std::int32_t index) {
  desktop.load(store);
  const auto& pictures = store.ctl->ORE;
  if (index < 0 || index >= static_cast<std::int32_t>(pictures.size()))
    throw std::out_of_range("sprite store index " + std::to_string(index) + " outside 0 To 223");
  return pictures[static_cast<std::size_t>(index)]->Picture;
}

void Game::releaseStore() { desktop.unload(store); }

std::vector<forms::Form*> Game::forms() const {
  return {&store, &battle, &title, &help, &select, &continueScreen, &ending};
}

forms::Form* Game::findForm(std::string_view name) const {
  for (forms::Form* f : forms())
    if (f->name() == name) return f;
  return nullptr;
}

}  // namespace mojara
