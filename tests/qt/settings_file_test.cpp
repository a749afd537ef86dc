// The settings file: what the player changes comes back at the next start, and no kind of broken
// file crashes the game or loses what it held.
#include "qt/settings_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <filesystem>

#include "forms/types.h"
#include "qt/qt_print.h"

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
    changed.bindings.bindKey(1, command::Punch, 'G');
    changed.bindings.bindKey(0, command::Pause, forms::vk::Return);  // swapped with player 2's
    changed.bindings.bindButton(1, command::Kick, PadButton::Back);
    changed.lang = "en";
    file.keep(changed);
  }
  EXPECT_EQ(SettingsFile(path, warn).settings(), changed);
  EXPECT_TRUE(warnings.empty());
  // Only the bindings that changed are written, by their names.
  const QByteArray text = contents();
  EXPECT_TRUE(text.contains("[keys1]\npause=RETURN\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("[keys2]\npunch=G\npause=SPACE\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("[pad2]\nkick=BACK\n")) << text.toStdString();
  EXPECT_FALSE(text.contains("walkLeft"));
}

TEST_F(SettingsFileTest, BindingsThatCannotAllHoldKeepWhatCanHoldAndStayInTheFile) {
  // A key no one can name, one of the game's own keys, a button no one can name, and J, which is
  // player 2's walk left by default.
  const QByteArray broken = "[keys1]\npunch=NOSUCHKEY\nkick=J\n[pad1]\nkick=TRIGGER\n[keys2]\npause=F1\n";
  write(broken);
  SettingsFile file(path, warn);
  KeyBindings expected = KeyBindings::defaults();
  expected.bindKey(0, command::Kick, 'J');  // player 2's walk left takes Z
  EXPECT_EQ(file.settings().bindings, expected);
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_NE(warnings[0].find("(keys1/punch, pad1/kick, keys2/pause)"), std::string::npos) << warnings[0];
  EXPECT_NE(warnings[1].find("(keys2/walkLeft)"), std::string::npos) << warnings[1];
  EXPECT_EQ(file.takeNotices(), (std::vector<std::string>{SettingsFile::kPartlyRead, SettingsFile::kBindingsMoved}));
  EXPECT_TRUE(file.takeNotices().empty()) << "each said once";
  EXPECT_EQ(contents(), broken);

  // One key on two commands: the later line holds, the earlier command takes the key the later
  // one had. The next change writes the bindings as they hold.
  warnings.clear();
  write("[keys1]\nkick=G\n[keys2]\npunch=G\n");
  SettingsFile clash(path, warn);
  EXPECT_EQ(clash.settings().bindings.key(1, command::Punch), 'G');
  EXPECT_EQ(clash.settings().bindings.key(0, command::Kick), 'U');
  EXPECT_EQ(clash.settings().bindings.problem(), std::nullopt);
  EXPECT_EQ(warnings.size(), 1u);
  Settings changed = clash.settings();
  changed.music = 1;
  clash.keep(changed);
  EXPECT_EQ(contents(), "[keys1]\nkick=U\n[keys2]\npunch=G\n\n[sound]\nmusic=1\n");
}

// Two copies of the game on one settings folder, each keeping its own changes.
TEST_F(SettingsFileTest, TwoCopiesOfTheGameKeepEachOthersChangesAndNeverBindAKeyTwice) {
  SettingsFile first(path, warn), second(path, warn);
  Settings mine = first.settings(), theirs = second.settings();
  mine.bindings.bindKey(0, command::Punch, 'G');
  first.keep(mine);
  ::chmod(path.toLocal8Bit().constData(), 0600);
  theirs.bindings.bindKey(1, command::Kick, 'G');  // G is free as this copy sees it
  theirs.fullScreen = true;
  second.keep(theirs);
  mine.music = 2;  // the first copy goes on, its bindings as it knows them
  first.keep(mine);

  const Settings next = SettingsFile(path, warn).settings();
  EXPECT_TRUE(warnings.empty()) << warnings.front();
  EXPECT_EQ(next.bindings.problem(), std::nullopt);
  EXPECT_EQ(next.bindings.key(1, command::Kick), 'G') << "the newest change holds";
  EXPECT_EQ(next.bindings.key(0, command::Punch), 'O')
      << "the other takes the key the newest one's command had";
  EXPECT_TRUE(next.fullScreen);
  EXPECT_EQ(next.music, 2);
  struct stat info{};
  ASSERT_EQ(::stat(path.toLocal8Bit().constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u) << "the file keeps its permissions";
}

TEST_F(SettingsFileTest, DefaultsLeaveOnlyTheChangedValuesInTheFile) {
  write("[window]\nscale=2\n[keys1]\npunch=G\nkick=A\nwalkLeft=LEFT\n[pad2]\nkick=BACK\n");
  SettingsFile file(path, warn);
  Settings changed = file.settings();
  changed.bindings = KeyBindings::defaults();
  file.keep(changed);
  EXPECT_EQ(contents(), "[window]\nscale=2\n[keys1]\n[pad2]\n");
  EXPECT_EQ(SettingsFile(path, warn).settings(), changed);
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

TEST_F(SettingsFileTest, AHandEditedFileIsReadAsFarAsItCanBeAndTheChangesGoOnBeingKept) {
  const struct {
    QByteArray text;
    int music;      // as read
    bool warned;    // one warning, and the window told
    QByteArray after;  // the file after muting
  } cases[] = {
      {"\xEF\xBB\xBF[sound]\nmusic=2\n", 2, false, "\xEF\xBB\xBF[sound]\nmusic=2\nmuted=true\n"},
      {"; my own notes\n[sound]\nmusic=2 # quiet\n", 2, false, "; my own notes\n[sound]\nmusic=2 # quiet\nmuted=true\n"},
      {"[sound]\n; music=8 was too loud\n#music=1\nmusic=2\n", 2, false,
       "[sound]\n; music=8 was too loud\n#music=1\nmusic=2\nmuted=true\n"},
      {"[sound]\r\nmusic=2\r\nthis line is no setting\r\n", 2, true,
       "[sound]\r\nmusic=2\r\nmuted=true\r\nthis line is no setting\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    warnings.clear();
    write(c.text);
    SettingsFile file(path, warn);
    EXPECT_EQ(file.settings().music, c.music);
    EXPECT_EQ(warnings.size(), c.warned ? 1u : 0u);
    EXPECT_EQ(file.takeNotices().size(), c.warned ? 1u : 0u);
    Settings changed = file.settings();
    changed.muted = true;
    file.keep(changed);
    EXPECT_EQ(contents(), c.after);
  }
}

TEST_F(SettingsFileTest, AFileThatIsNoTextGivesTheDefaultsAndIsNeverWritten) {
  const QByteArray junk("\x7f" "ELF\x02\x01\x01\0\0\0 binary", 17);
  write(junk);
  SettingsFile file(path, warn);
  EXPECT_EQ(file.settings(), Settings{});
  EXPECT_EQ(warnings.size(), 1u);
  EXPECT_EQ(file.takeNotices(), std::vector<std::string>{SettingsFile::kCannotRead});
  Settings changed;
  changed.fullScreen = true;
  file.keep(changed);
  EXPECT_EQ(contents(), junk) << "the file was written over";
  EXPECT_TRUE(file.settings().fullScreen) << "the change holds for this run";
}

TEST_F(SettingsFileTest, AFolderThatCannotBeWrittenIsSaidOnce) {
  write("");
  const QString beyond = path + QStringLiteral("/settings.ini");  // under a file: no folder can be made
  SettingsFile file(beyond, warn);
  EXPECT_TRUE(file.takeNotices().empty());
  for (int scale : {2, 3}) file.keep(Settings{.scale = scale});
  EXPECT_EQ(file.settings().scale, 3);
  EXPECT_EQ(warnings.size(), 1u);
  EXPECT_EQ(file.takeNotices(), std::vector<std::string>{SettingsFile::kCannotWrite});
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
  write("[game]\nlang=klingon\n");
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
