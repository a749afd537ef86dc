#include "play/session/stand_in_player.h"

namespace mojara {

namespace {

bool visible(const forms::Form& form, const char* control) {
  const forms::Control* c = form.findControl(control);
  return c && c->Visible;
}

ScriptLine action(ScriptLine::Action what, Window window, const char* control, int index = -1,
                  int number = 0) {
  ScriptLine line;
  line.action = what;
  line.form = std::string(formName(window));
  line.control = control;
  line.index = index;
  line.number = number;
  return line;
}

}  // namespace

StandInPlayer::StandInPlayer(Game& game, std::uint64_t seed) : game_(game) { choices_.reseed(seed); }

StandInPlayer::Scene StandInPlayer::sceneNow() const {
  if (game_.desktop.messageBoxOpen()) return Scene::GameOver;
  if (game_.form(Window::Title).shown()) return Scene::Title;
  if (game_.form(Window::Continue).shown()) return Scene::Continue;
  // The portrait strip is in and no fighter is chosen yet.
  const forms::Form& select = game_.form(Window::Select);
  if (select.shown() && visible(select, "Picture1") && game_.M.PRESSED != 1)
    return visible(select, "casol") ? Scene::Pointing : Scene::Choosing;
  return Scene::None;
}

std::optional<ScriptLine> StandInPlayer::look(forms::Nanos now) {
  const Scene scene = sceneNow();
  if (scene != scene_) {
    scene_ = scene;
    since_ = now;
    return std::nullopt;
  }
  if (scene == Scene::None || now - since_ < kThinkingTime) return std::nullopt;
  using A = ScriptLine::Action;
  std::optional<ScriptLine> line;
  switch (scene) {
    case Scene::Title:
      line = action(A::Click, Window::Title, "Command1");
      break;
    case Scene::Choosing:
      // The mouse onto a portrait chosen by the stand-in's own generator.
      line = action(A::Hover, Window::Select, "KYARA", static_cast<int>(choices_.next() * 8));
      break;
    case Scene::Pointing:
      line = action(A::Press, Window::Select, "casol", -1, forms::mouse::Left);
      break;
    case Scene::Continue:
      line = action(A::Click, Window::Continue, "Command1");
      break;
    case Scene::GameOver:
      line = ScriptLine{};
      line->action = A::Ok;
      break;
    case Scene::None:
      break;
  }
  if (!line) return std::nullopt;
  line->at = now;
  scene_ = Scene::None;
  since_ = now;
  return line;
}

}  // namespace mojara
