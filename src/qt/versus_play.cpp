#include "qt/versus_play.h"

namespace mojara::qt {

VersusPlay::VersusPlay(Game& game, FrontEnd& frontEnd)
    : game_(game),
      frontEnd_(frontEnd),
      session_(game),
      window_(
          frontEnd.pictures(), frontEnd.texts(), frontEnd.scale().factor, [this](int p0, int p1) { fight(p0, p1); },
          [this] {
            // After a fight or from the title: the title, with the game as it was.
            if (session_.active())
              session_.toTitle();
            else if (!game_.form(Window::Title).shown())
              game_.start();
            frontEnd_.afterEvent();
          }) {
  frontEnd_.hooks.twoPlayers = [this] { return session_.fighting(); };
  frontEnd_.hooks.openVersus = [this](forms::Form& form) {
    if (&form != &game_.form(Window::Title)) return;
    window_.setBindings(frontEnd_.bindings());
    window_.open(window_.picks(), std::nullopt);
  };
  // When a fight has ended (after its result has shown), the players choose the next one.
  QObject::connect(&look_, &QTimer::timeout, &window_, [this] {
    if (!session_.look()) return;
    window_.setBindings(frontEnd_.bindings());
    window_.open(session_.fighters(), session_.winner());
  });
  look_.start(100);
}

void VersusPlay::fight(int p0, int p1) {
  session_.fight(p0, p1);
  frontEnd_.afterEvent();
}

}  // namespace mojara::qt
