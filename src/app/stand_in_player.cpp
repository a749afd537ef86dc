#include "app/stand_in_player.h"

#include "app/game.h"
#include "app/title_window.h"
#include "forms/layout.h"
#include "screens/continue_window.h"
#include "select/select_window.h"

namespace mojara {

StandInPlayer::StandInPlayer(Game& game, std::uint64_t seed) : game_(game) { choices_.reseed(seed); }

StandInPlayer::Scene StandInPlayer::sceneNow() const {
  forms::Desktop& desktop = game_.desktop;
  if (desktop.messageBoxOpen()) return Scene::GameOver;
  if (game_.title.shown()) return Scene::Title;
  if (game_.continueScreen.shown()) return Scene::Continue;
  if (game_.select.shown() && game_.select.ctl->Picture1.Visible && game_.M.PRESSED != 1)
    return game_.select.ctl->casol.Visible ? Scene::Pointing : Scene::Choosing;
  return Scene::None;
}

bool StandInPlayer::look(forms::Nanos now) {
  const Scene scene = sceneNow();
  if (scene != scene_) {
    scene_ = scene;
    since_ = now;
    return false;
  }
  if (scene == Scene::None || now - since_ < kThinkingTime) return false;
  forms::Desktop& desktop = game_.desktop;
  switch (scene) {
    case Scene::Title:
      desktop.click(game_.title.ctl->Command1);
      break;
    case Scene::Choosing: {
      // Move the mouse onto a portrait chosen by the stand-in's own generator.
      pointedAt_ = static_cast<int>(choices_.next() * 8);
      const forms::Box box = forms::absoluteBox(game_.select.ctl->KYARA[pointedAt_]);
      desktop.mouseMove(game_.select, box.left + box.width / 2, box.top + box.height / 2);
      break;
    }
    case Scene::Pointing: {
      const forms::Box box = forms::absoluteBox(game_.select.ctl->casol);
      desktop.mouseDown(game_.select, box.left + box.width / 2, box.top + box.height / 2, forms::mouse::Left);
      break;
    }
    case Scene::Continue:
      desktop.click(game_.continueScreen.ctl->Command1);
      break;
    case Scene::GameOver:
      desktop.closeMessageBox();
      break;
    case Scene::None:
      break;
  }
  scene_ = Scene::None;
  since_ = now;
  return true;
}

}  // namespace mojara
