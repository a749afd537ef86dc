#include "qt/desktop_play.h"

namespace mojara::qt {

DesktopPlay::DesktopPlay(FrontEnd& frontEnd, forms::Desktop& desktop, audio::SdlSound& sound, SettingsFile& file,
                         net::OnlineVersus::Settings online)
    : frontEnd_(frontEnd),
      sound_(sound),
      play_(desktop, frontEnd, *this, file.settings(), true),
      settings_(file, frontEnd, play_) {
  frontEnd_.setPlay(play_);
  versus_ = std::make_unique<VersusPlay>(play_, frontEnd_, std::move(online));
  controllers_ = std::make_unique<ControllerInput>(frontEnd_, play_, settings_, *versus_);
  QObject::connect(&looks_, &QTimer::timeout, [this] {
    if (play_.look()) frontEnd_.afterEvent();
  });
}

void DesktopPlay::start(const PlaySession::Start& start) {
  play_.start(start);
  looks_.start(static_cast<int>(PlaySession::kLookInterval / 1'000'000));
  frontEnd_.afterEvent();
}

}  // namespace mojara::qt
