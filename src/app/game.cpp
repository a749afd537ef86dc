#include "app/game.h"

#include "app/title_window.h"
#include "help/help_window.h"
#include "select/select_window.h"

namespace mojara {

struct Game::Windows {
  explicit Windows(Game& game) : title(game), help(game), select(game) {}
  Form3 title;
  Form4 help;
  Form5 select;
};

Game::Game(forms::Desktop& desktop)
    : desktop(desktop),
      windows_(std::make_unique<Windows>(*this)),
      title(windows_->title),
      help(windows_->help),
      select(windows_->select) {
  // F1 asks for help on the title window's help button; our help is the help window.
  desktop.setHelpHandler([this](int) { this->desktop.show(help); });
}

Game::~Game() = default;

void Game::start() { desktop.show(title); }

std::vector<forms::Form*> Game::forms() const { return {&title, &help, &select}; }

forms::Form* Game::findForm(std::string_view name) const {
  for (forms::Form* f : forms())
    if (f->name() == name) return f;
  return nullptr;
}

}  // namespace mojara
