#include "qt/player_settings.h"

#include <QTimer>

#include "qt/centred.h"

namespace mojara::qt {

PlayerSettings::PlayerSettings(SettingsFile& file, FrontEnd& frontEnd, PlaySession& play)
    : file_(file), frontEnd_(frontEnd), play_(play) {
  // What the file said at the start waits for the first window, which the event loop shows.
  QTimer::singleShot(0, &frontEnd_, [this] { showFileNotices(); });
}

void PlayerSettings::keep(const Settings& changed) {
  file_.keep(changed);
  showFileNotices();
}

void PlayerSettings::showFileNotices() {
  for (const std::string& notice : file_.takeNotices()) play_.showNotice(notice, PlaySession::kFileNoticeTime);
}

void PlayerSettings::openKeyWindow() {
  if (!keyWindow_) {
    const Settings& kept = play_.settings();
    keyWindow_ = std::make_unique<KeySettingsWindow>(
        frontEnd_.scale().factor, frontEnd_.texts(),
        KeySettingsWindow::Choices{kept.bindings, kept.scale, kept.attract, kept.lang},
        [this](const KeySettingsWindow::Choices& chosen) {
          Settings now = play_.settings();
          now.bindings = chosen.bindings;
          now.scale = chosen.scale;
          now.attract = chosen.attract;
          now.lang = chosen.lang;
          play_.change(now);
        },
        inEffect_);
    keyWindow_->adjustSize();
    keyWindow_->move(centredOnScreen(keyWindow_->size()));
  }
  keyWindow_->show();
  keyWindow_->raise();
  keyWindow_->activateWindow();
}

}  // namespace mojara::qt
