// The settings file: $XDG_CONFIG_HOME/mojara/settings.ini (~/.config/... when that is unset), in
// INI format. A missing file gives the defaults; an unreadable or damaged one, or a value out of
// its range, gives the defaults for what could not be read and one warning line. The file is only
// ever written with what the player changed, each setting on its own, so nothing it held is lost:
// not the values it could not read, not keys of other versions, and not at all when it could not
// be read.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "play/settings.h"

class QSettings;

namespace mojara::qt {

class SettingsFile {
 public:
  using Warn = std::function<void(const std::string&)>;
  // Reads the file at `path` (settingsPath() for the player's own).
  SettingsFile(const QString& path, Warn warn);
  ~SettingsFile();

  static QString settingsPath();

  const Settings& settings() const { return settings_; }
  // Keeps what changed since the last time (a setting the player has not touched is not written).
  void keep(const Settings& changed);

 private:
  // The players' keys and buttons; a value that names no key is `unusable`, and bindings that
  // cannot be played with (a key bound twice) give the default keys and one warning.
  void readBindings(const std::function<void(const char*)>& unusable);

  std::unique_ptr<QSettings> file_;
  bool writable_ = true;
  Settings settings_;
  Warn warn_;
};

}  // namespace mojara::qt
