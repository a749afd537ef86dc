// The settings file: what the player changes comes back at the next start, and no kind of broken
// file crashes the game or loses what it held.
#include "qt/settings_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <filesystem>

#include "forms/types.h"

namespace mojara::qt {
namespace {

struct SettingsFileTest : ::testing::Test {
  std::filesystem::path folder =
      std::filesystem::path(::testing::TempDir()) / ("settings-" + std::to_string(::getpid()));
  QString path = QString::fromStdString((folder / "mojara" / "settings.ini").string());
  std::vector<std::string> warnings;
  SettingsFile::Warn warn = [this](const std::string& why) { warnings.push_back(why); };

  void SetUp() override { std::filesystem::remove_all(folder); }
  void TearDown() override { std::filesystem::remove_all(folder); }
  void write(const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QByteArray contents() const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

TEST_F(SettingsFileTest, WhatThePlayerChangesComesBackAtTheNextStart) {
  Settings changed;
  {
    SettingsFile file(path, warn);
    EXPECT_EQ(file.settings(), Settings{}) << "no file: the defaults";
    changed = file.settings();
    changed.scale = 3;
    changed.fullScreen = true;
    changed.music = 2;
    changed.effects = 0;
    changed.muted = true;
    changed.attract = false;
    changed.bindings.bindKey(1, Command::Punch, 'G');
    changed.bindings.bindKey(0, Command::Pause, forms::vk::Return);  // swapped with player 2's
    changed.bindings.bindButton(1, Command::Kick, PadButton::Back);
    changed.lang = "en";
    file.keep(changed);
  }
  EXPECT_EQ(SettingsFile(path, warn).settings(), changed);
  EXPECT_TRUE(warnings.empty());
  // Only the bindings that changed are written, by their names.
  const QByteArray text = contents();
  EXPECT_TRUE(text.contains("[keys1]\npause=RETURN\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("[keys2]\npause=SPACE\npunch=G\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("[pad2]\nkick=BACK\n")) << text.toStdString();
  EXPECT_FALSE(text.contains("walkLeft"));
}

TEST_F(SettingsFileTest, KeyBindingsThatCannotBePlayedGiveTheDefaultKeysAndStayInTheFile) {
  // A key no one can name, and the same key for two commands.
  const QByteArray broken = "[keys1]\npunch=NOSUCHKEY\nkick=J\n[pad1]\nkick=TRIGGER\n";
  write(broken);
  SettingsFile file(path, warn);
  EXPECT_EQ(file.settings().bindings, KeyBindings::defaults());
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_NE(warnings[0].find("shares its key"), std::string::npos) << warnings[0];
  EXPECT_NE(warnings[1].find("keys1/punch, pad1/kick"), std::string::npos) << warnings[1];
  EXPECT_EQ(contents(), broken);

  warnings.clear();
  write("[keys2]\npause=F1\n");
  EXPECT_EQ(SettingsFile(path, warn).settings().bindings, KeyBindings::defaults());
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("keeps for itself"), std::string::npos) << warnings[0];
}

TEST_F(SettingsFileTest, AValueOutOfItsRangeGivesItsDefaultAndIsKeptAsItWas) {
  write("[window]\nscale=12\nfullScreen=maybe\n[sound]\nmusic=3\neffects=-1\n[other]\nfromANewerVersion=7\n");
  SettingsFile file(path, warn);
  Settings expected;
  expected.music = 3;
  EXPECT_EQ(file.settings(), expected);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("window/scale, window/fullScreen, sound/effects"), std::string::npos) << warnings[0];

  Settings changed = file.settings();
  changed.muted = true;
  file.keep(changed);
  const QByteArray kept = contents();
  for (const char* line : {"scale=12", "fullScreen=maybe", "music=3", "effects=-1", "fromANewerVersion=7", "muted=true"})
    EXPECT_TRUE(kept.contains(line)) << line << " missing from\n" << kept.toStdString();
}

TEST_F(SettingsFileTest, AFileThatCannotBeKeptWholeGivesTheDefaultsAndIsNeverWritten) {
  const QByteArray junk("\x7f" "ELF\x02\x01\x01\0\0\0 binary", 17);
  for (const QByteArray& bytes : {QByteArray("; my own notes\n[sound]\nmusic=2\n"),
                                  QByteArray("[sound]\nmusic=2\nthis line is no setting\n"), junk}) {
    warnings.clear();
    write(bytes);
    SettingsFile file(path, warn);
    EXPECT_EQ(file.settings(), Settings{});
    EXPECT_EQ(warnings.size(), 1u);
    Settings changed;
    changed.fullScreen = true;
    file.keep(changed);
    EXPECT_EQ(contents(), bytes) << "the file was written over";
    EXPECT_TRUE(file.settings().fullScreen) << "the change holds for this run";
  }
}

TEST_F(SettingsFileTest, AFolderWhereTheFileShouldBeIsLeftAlone) {
  QDir().mkpath(path);
  SettingsFile file(path, warn);
  EXPECT_EQ(file.settings(), Settings{});
  EXPECT_EQ(warnings.size(), 1u);
  file.keep(Settings{.scale = 2});
  EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(SettingsFileTest, TheLanguageIsKeptWithTheGameAndAnUnknownOneGivesTheGamesOwn) {
  write("[game]\nlang=en\n");
  EXPECT_EQ(SettingsFile(path, warn).settings().lang, "en");
  EXPECT_TRUE(warnings.empty());
  write("[game]\nlang=klingon\n");  // of another length: QSettings knows a file by its size and time
  EXPECT_EQ(SettingsFile(path, warn).settings().lang, "ja");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("(game/lang)"), std::string::npos) << warnings[0];
}

TEST(Settings, TheCommandLineWinsForItsRun) {
  Settings kept;
  kept.scale = 4;
  kept.attract = false;
  Options plain;
  EXPECT_EQ(withSettings(plain, kept).scale, 4);
  EXPECT_FALSE(withSettings(plain, kept).attract);
  Options given;
  given.scale = 2;
  EXPECT_EQ(withSettings(given, kept).scale, 2);
  kept.attract = true;
  given.attract = false;  // --no-attract
  EXPECT_FALSE(withSettings(given, kept).attract);
  kept.lang = "en";
  EXPECT_EQ(withSettings(plain, kept).lang, "en");
  given.lang = "ja";
  EXPECT_EQ(withSettings(given, kept).lang, "ja");
}

TEST(Settings, ThePlayersOwnFileFollowsXdgConfigHome) {
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", "/somewhere/config");
  EXPECT_EQ(SettingsFile::settingsPath(), QStringLiteral("/somewhere/config/mojara/settings.ini"));
  qunsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(SettingsFile::settingsPath(), QDir::homePath() + QStringLiteral("/.config/mojara/settings.ini"));
  if (!saved.isNull()) qputenv("XDG_CONFIG_HOME", saved);
}

}  // namespace
}  // namespace mojara::qt
