// The player's settings at work in the windowed program: read from the settings file at the
// start, applied to the front end and the sound, kept as the player changes them (the sound
// keys, full screen, the key-settings window). What the settings file could not read or write is
// said over the front game window, once the first window shows.
#pragma once

#include <memory>

#include "audio/sdl_sound.h"
#include "qt/front_end.h"
#include "qt/key_settings_window.h"
#include "qt/settings_file.h"

namespace mojara::qt {

class PlayerSettings {
 public:
  // Applies the kept settings to `frontEnd` and `sound` and hooks their changes (mute, volume,
  // full screen, F2 on `title`).
  PlayerSettings(SettingsFile& file, FrontEnd& frontEnd, audio::SdlSound& sound, const forms::Form& title);

  // The key-settings window, while it is open (none before F2).
  KeySettingsWindow* keyWindow() const { return keyWindow_ && keyWindow_->isVisible() ? keyWindow_.get() : nullptr; }
  void openKeyWindow();
  // What the key-settings window says of this run (its scale and language), set before F2.
  void setInEffect(const KeySettingsWindow::InEffect& inEffect) { inEffect_ = inEffect; }

 private:
  void soundChanged();  // shows the new levels and keeps them
  // Keeps `changed` in the file, and says in the window what the file could not do.
  void keep(const Settings& changed);
  void showFileNotices();

  SettingsFile& file_;
  FrontEnd& frontEnd_;
  audio::SdlSound& sound_;
  KeySettingsWindow::InEffect inEffect_;
  std::unique_ptr<KeySettingsWindow> keyWindow_;
};

}  // namespace mojara::qt
