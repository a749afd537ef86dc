#include "qt/player_settings.h"

#include <QTimer>

#include "qt/centred.h"

namespace mojara::qt {

namespace {

// Long enough to read a line or two.
constexpr std::chrono::milliseconds kFileNoticeTime{8000};

}  // namespace

PlayerSettings::PlayerSettings(SettingsFile& file, FrontEnd& frontEnd, audio::SdlSound& sound,
                               const forms::Form& title)
    : file_(file), frontEnd_(frontEnd), sound_(sound) {
  static_assert(Settings::kLevelSteps == audio::SoundLevels::kSteps);
  const Settings& kept = file_.settings();
  sound_.setLevels({kept.music, kept.effects, kept.muted});
  frontEnd_.setFullScreen(kept.fullScreen);
  frontEnd_.setBindings(kept.bindings);
  frontEnd_.hooks.toggleMute = [this] {
    sound_.toggleMute();
    soundChanged();
  };
  frontEnd_.hooks.changeVolume = [this](int musicSteps, int effectsSteps) {
    sound_.changeVolume(musicSteps, effectsSteps);
    soundChanged();
  };
  frontEnd_.hooks.fullScreenChanged = [this](bool on) {
    Settings now = file_.settings();
    now.fullScreen = on;
    keep(now);
  };
  frontEnd_.hooks.openSettings = [this, &title](forms::Form& form) {
    if (&form == &title) openKeyWindow();
  };
  // What the file said at the start waits for the first window, which the event loop shows.
  QTimer::singleShot(0, &frontEnd_, [this] { showFileNotices(); });
}

void PlayerSettings::keep(const Settings& changed) {
  file_.keep(changed);
  showFileNotices();
}

void PlayerSettings::showFileNotices() {
  for (const std::string& notice : file_.takeNotices()) frontEnd_.showNotice(notice, kFileNoticeTime);
}

void PlayerSettings::soundChanged() {
  const audio::SoundLevels& levels = sound_.levels();
  const Wording notice =
      soundLevelsNotice(levels.music, levels.effects, levels.muted, audio::SoundLevels::kSteps);
  frontEnd_.showNotice(notice, FrontEnd::kNoticeTime, "sound");
  Settings now = file_.settings();
  now.music = sound_.levels().music;
  now.effects = sound_.levels().effects;
  now.muted = sound_.levels().muted;
  keep(now);
}

void PlayerSettings::openKeyWindow() {
  if (!keyWindow_) {
    const Settings& kept = file_.settings();
    keyWindow_ = std::make_unique<KeySettingsWindow>(
        frontEnd_.scale().factor, frontEnd_.texts(),
        KeySettingsWindow::Choices{kept.bindings, kept.scale, kept.attract, kept.lang},
        [this](const KeySettingsWindow::Choices& chosen) {
          Settings now = file_.settings();
          now.bindings = chosen.bindings;
          now.scale = chosen.scale;
          now.attract = chosen.attract;
          now.lang = chosen.lang;
          keep(now);
          frontEnd_.setBindings(chosen.bindings);
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
