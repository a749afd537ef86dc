#include "qt/versus_play.h"

namespace mojara::qt {

VersusPlay::VersusPlay(Game& game, FrontEnd& frontEnd, net::OnlineVersus::Settings online)
    : game_(game),
      frontEnd_(frontEnd),
      session_(game),
      window_(
          frontEnd.pictures(), frontEnd.texts(), frontEnd.scale().factor,
          [this](int p0, int p1) { return fight(p0, p1); },
          [this] {
            // After a fight or from the title: the title, with the game as it was. An online
            // session ends with the window.
            online_.leave();
            session_.closed();
            if (session_.active())
              session_.toTitle();
            else if (!game_.form(Window::Title).shown())
              game_.start();
            frontEnd_.afterEvent();
          }),
      online_(game, frontEnd, session_, window_, std::move(online)) {
  frontEnd_.hooks.twoPlayers = [this] { return session_.fighting(); };
  frontEnd_.hooks.openVersus = [this](forms::Form& form) {
    if (&form != &game_.form(Window::Title)) return;
    open();
  };
  // When a fight has ended (after its result has shown), the players choose the next one.
  QObject::connect(&look_, &QTimer::timeout, &window_, [this] {
    if (!session_.look()) return;
    window_.setBindings(frontEnd_.bindings());
    window_.open(session_.fighters(), session_.winner());
    online_.windowOpened();
  });
  look_.start(100);
  // A game started from the title while the players choose ends the session: one fight at a time.
  session_.takenOver = [this](const std::string& notice) {
    online_.leave();
    window_.dismiss();
    frontEnd_.showNotice(notice);
  };
}

void VersusPlay::open() {
  session_.opened();
  window_.setBindings(frontEnd_.bindings());
  window_.open(window_.picks(), std::nullopt);
}

void VersusPlay::host(std::uint16_t port, std::optional<RoomCode> code) {
  open();
  online_.host(port, code);
}

void VersusPlay::join(const std::string& address, std::optional<RoomCode> code) {
  open();
  online_.join(address, code);
}

bool VersusPlay::fight(int p0, int p1) {
  if (const auto why = session_.refusal()) {
    frontEnd_.showNotice(*why);
    return false;
  }
  const bool started = session_.fight(p0, p1);
  frontEnd_.afterEvent();
  return started;
}

}  // namespace mojara::qt
