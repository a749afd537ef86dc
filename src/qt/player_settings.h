// The player's settings at work in the windowed program: the settings file keeps each change the
// play session hands it, and the key-settings window (F2 on the title) changes them. What the
// settings file could not read or write is said over the front game window, once the first
// window shows.
#pragma once

#include <memory>

#include "play/session/play_session.h"
#include "qt/front_end.h"
#include "qt/key_settings_window.h"
#include "qt/settings_file.h"

namespace mojara::qt {

class PlayerSettings {
 public:
  PlayerSettings(SettingsFile& file, FrontEnd& frontEnd, PlaySession& play);

  // The key-settings window, while it is open (none before F2).
  KeySettingsWindow* keyWindow() const { return keyWindow_ && keyWindow_->isVisible() ? keyWindow_.get() : nullptr; }
  void openKeyWindow();
  // What the key-settings window says of this run (its scale and language), set before F2.
  void setInEffect(const KeySettingsWindow::InEffect& inEffect) { inEffect_ = inEffect; }
  // Keeps `changed` in the file, and says in the window what the file could not do.
  void keep(const Settings& changed);

 private:
  void showFileNotices();

  SettingsFile& file_;
  FrontEnd& frontEnd_;
  PlaySession& play_;
  KeySettingsWindow::InEffect inEffect_;
  std::unique_ptr<KeySettingsWindow> keyWindow_;
};

}  // namespace mojara::qt
