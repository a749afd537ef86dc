// The settings file's text: what a player writes in it by hand is read where it can be and comes
// back byte for byte; a change touches its own line only.
#include "play/settings/settings_text.h"

#include <gtest/gtest.h>

namespace mojara {
namespace {

struct TextCase {
  const char* what;
  std::string text;
  const char *section, *key;
  std::optional<std::string> read;  // what `key` reads as
  std::vector<int> unread;
  // The change made, and the text after it.
  const char *changeSection, *changeKey, *changeTo;
  std::string after;
};

TEST(SettingsText, HandWrittenFilesAreReadWhereTheyCanBeAndAChangeTouchesItsOwnLineOnly) {
  const TextCase cases[] = {
      {"a byte-order mark", "\xEF\xBB\xBF[sound]\nmusic=3\n", "sound", "music", "3", {}, "sound", "music", "5",
       "\xEF\xBB\xBF[sound]\nmusic=5\n"},
      {"comment lines", "# mine\n[sound]\n; quiet at night\nmusic=2\n", "sound", "music", "2", {}, "sound", "music",
       "4", "# mine\n[sound]\n; quiet at night\nmusic=4\n"},
      {"a comment holding =", "[sound]\n; music=8 was too loud\nmusic=2\n", "sound", "music", "2", {}, "sound",
       "effects", "3", "[sound]\n; music=8 was too loud\nmusic=2\neffects=3\n"},
      {"a commented-out setting", "[keys1]\n#punch=G\n", "keys1", "punch", std::nullopt, {}, "keys1", "kick", "B",
       "[keys1]\n#punch=G\nkick=B\n"},
      {"a comment after a value", "[keys1]\npunch = G   ; my thumb\n", "keys1", "punch", "G", {}, "keys1", "punch",
       "H", "[keys1]\npunch = H   ; my thumb\n"},
      {"a comment right after an empty value", "[keys1]\npunch=;later\n", "keys1", "punch", "", {}, "keys1", "punch",
       "G", "[keys1]\npunch=G ;later\n"},
      {"a line without =", "[sound]\nturn it down\nmusic=2\n", "sound", "music", "2", {2}, "sound", "muted", "true",
       "[sound]\nturn it down\nmusic=2\nmuted=true\n"},
      {"Windows line ends", "[window]\r\nscale=2\r\n\r\n[other]\r\nx=1\r\n", "window", "scale", "2", {}, "window",
       "fullScreen", "true", "[window]\r\nscale=2\r\nfullScreen=true\r\n\r\n[other]\r\nx=1\r\n"},
      {"a new section, no last line end", "[window]\nscale=2", "sound", "music", std::nullopt, {}, "sound", "music",
       "1", "[window]\nscale=2\n\n[sound]\nmusic=1\n"},
      {"a key twice reads as the last", "[sound]\nmusic=1\nmusic=2\n[x]\nmusic=7\n", "sound", "music", "2", {},
       "sound", "music", "6", "[sound]\nmusic=1\nmusic=6\n[x]\nmusic=7\n"},
      {"a section with a comment", "[keys2] ; hers\npause = SPACE\n", "keys2", "pause", "SPACE", {}, "keys2", "kick",
       "O", "[keys2] ; hers\npause = SPACE\nkick=O\n"},
      {"a carriage return of the last line's own", "x=1\r", "", "y", std::nullopt, {}, "", "y", "2",
       "x=1\r\r\ny=2\r\n"},
      {"lines of no kind", "[]\n=x\n[a] b\n\x01\x02\n[a]\n", "a", "b", std::nullopt, {1, 2, 3, 4}, "a", "b", "c",
       "[]\n=x\n[a] b\n\x01\x02\n[a]\nb=c\n"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsText text = SettingsText::parse(c.text);
    EXPECT_EQ(text.text(), c.text) << "read and written back unchanged";
    EXPECT_EQ(text.get(c.section, c.key), c.read);
    EXPECT_EQ(text.unreadLines(), c.unread);
    ASSERT_TRUE(text.set(c.changeSection, c.changeKey, c.changeTo));
    EXPECT_EQ(text.text(), c.after);
    EXPECT_EQ(SettingsText::parse(text.text()).get(c.changeSection, c.changeKey), c.changeTo);
  }
}

TEST(SettingsText, RemovingAKeyRemovesEveryLineOfItAndValuesNoLineCanHoldAreRefused) {
  SettingsText text = SettingsText::parse("[keys1]\npunch=G\n# note\npunch=H\nkick=B\n");
  EXPECT_TRUE(text.remove("keys1", "punch"));
  EXPECT_FALSE(text.remove("keys1", "punch"));
  EXPECT_EQ(text.text(), "[keys1]\n# note\nkick=B\n");
  for (const char* value : {" G", "G ", "G ;x", "#x", "a\nb=c", "G\r"}) EXPECT_FALSE(text.set("keys1", "kick", value)) << value;
  EXPECT_FALSE(text.set("keys1", "a=b", "c"));
  EXPECT_FALSE(text.set("keys]", "a", "c"));
  EXPECT_EQ(text.text(), "[keys1]\n# note\nkick=B\n");
}

}  // namespace
}  // namespace mojara
