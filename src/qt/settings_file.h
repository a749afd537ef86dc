// The settings file: $XDG_CONFIG_HOME/mojara/settings.ini (~/.config/... when that is unset), in
// INI format (play/settings/settings_text.h reads it, play/settings/settings_store.h holds what it means). A missing
// file gives the defaults. What can be read is used; a line that cannot be read, a value out of its
// range and a binding that cannot hold give one warning each and stay in the file as they are. A
// file that cannot be read at all (a folder, unreadable, binary) gives every default, one warning,
// and is never written.
//
// Each change the player makes is written as a change: under a lock beside the file
// (settings.ini.lock), the file is read again, only this change is made to what it holds now
// (another copy of the game may have written it), and the whole text is written to a new file in
// the same folder that then takes the old one's place, so the file is never left half written.
//
// Each warning is a line of detail for standard error, said when it happens, and a short text of
// the game's for the window (each said once a run), which the front end takes with takeNotices().
#pragma once

#include <QString>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "play/settings/settings.h"
#include "play/settings/settings_store.h"

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
  // The change holds for this run whether or not the file could be written.
  void keep(const Settings& changed);

  // The texts of the window, as the game writes them (the catalogue has them in English).
  static constexpr const char* kCannotRead = "設定ファイルが読めないので、初期設定で始めます（ファイルはそのままです）";
  static constexpr const char* kPartlyRead = kSettingsPartlyRead;
  static constexpr const char* kBindingsMoved = kSettingsBindingsMoved;
  static constexpr const char* kCannotWrite = "設定を保存できません。変えた設定はこの回だけです";
  // What the window is to say, each text once a run, and only once taken.
  std::vector<std::string> takeNotices();

 private:
  // Writes the change from `before` to `after`; why it could not, or "".
  std::string write(const Settings& before, const Settings& after) const;
  void warn(const std::string& detail, const char* notice);

  std::string path_;
  bool usable_ = true;  // false: the file is left as it is
  bool writeFailed_ = false;
  Settings settings_;
  Warn warn_;
  std::vector<std::string> notices_;
  std::set<std::string> noticed_;
};

}  // namespace mojara::qt
