#include "qt/versus_play.h"

namespace mojara::qt {

VersusPlay::VersusPlay(PlaySession& play, FrontEnd& frontEnd, net::OnlineVersus::Settings online)
    : play_(play),
      frontEnd_(frontEnd),
      window_(
          frontEnd.pictures(), frontEnd.texts(), frontEnd.scale().factor,
          [this](int p0, int p1) {
            const bool started = play_.versusFight(p0, p1);
            frontEnd_.afterEvent();
            return started;
          },
          [this] {
            // An online session ends with the window.
            online_.leave();
            play_.versusClosed();
            frontEnd_.afterEvent();
          }),
      online_(play.game(), frontEnd, play.versus(), window_, std::move(online)) {}

void VersusPlay::open(const VersusOpening& opening) {
  window_.setBindings(play_.bindings());
  window_.open(opening.fighters.value_or(window_.picks()), opening.winner);
  // After a fight the window shows the online session as it stands.
  if (opening.fighters) online_.windowOpened();
}

void VersusPlay::takenOver() {
  online_.leave();
  window_.dismiss();
}

void VersusPlay::host(std::uint16_t port, std::optional<RoomCode> code) {
  play_.openVersus();
  online_.host(port, code);
}

void VersusPlay::join(const std::string& address, std::optional<RoomCode> code) {
  play_.openVersus();
  online_.join(address, code);
}

}  // namespace mojara::qt
