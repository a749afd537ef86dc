// The play session on the desktop: the windowed front end, the sound, the settings file, the
// key-settings window, the versus window with online play and the controllers, each doing what
// the session asks, and a clock for the session's looks between events.
#pragma once

#include <QTimer>
#include <memory>

#include "audio/sdl_sound.h"
#include "net/online_versus.h"
#include "play/session/play_session.h"
#include "qt/controller_input.h"
#include "qt/front_end.h"
#include "qt/player_settings.h"
#include "qt/settings_file.h"
#include "qt/versus_play.h"

namespace mojara::qt {

class DesktopPlay : public PlayHost {
 public:
  DesktopPlay(FrontEnd& frontEnd, forms::Desktop& desktop, audio::SdlSound& sound, SettingsFile& file,
              net::OnlineVersus::Settings online);

  PlaySession& session() { return play_; }
  Game& game() { return play_.game(); }
  PlayerSettings& settings() { return settings_; }
  VersusPlay& versus() { return *versus_; }
  // The session's start, its looks' clock set going.
  void start(const PlaySession::Start& start);

  // PlayHost
  void soundLevelsChanged(const SoundLevels& levels) override { sound_.setLevels(levels); }
  void fullScreenChanged(bool on) override { frontEnd_.setFullScreen(on); }
  void keepSettings(const Settings&, const Settings& after) override { settings_.keep(after); }
  void openKeyWindow() override { settings_.openKeyWindow(); }
  void openVersusWindow(const VersusOpening& opening) override { versus_->open(opening); }
  void versusTakenOver() override { versus_->takenOver(); }
  bool playersBusy() const override { return settings_.keyWindow() || versus_->busy(); }
  void noticesChanged() override { frontEnd_.noticesChanged(); }

 private:
  FrontEnd& frontEnd_;
  audio::SdlSound& sound_;
  PlaySession play_;
  PlayerSettings settings_;
  std::unique_ptr<VersusPlay> versus_;
  std::unique_ptr<ControllerInput> controllers_;
  QTimer looks_;
};

}  // namespace mojara::qt
