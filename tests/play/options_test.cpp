// The windowed program's command line: what each option sets, and that every bad argument is
// refused with exit status 2 and a message naming it.
#include "play/options/options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "play/full_disk.h"
#include "play/texts/language.h"

namespace mojara {
namespace {

struct Read {
  std::optional<int> stop;
  Options options;
  std::string out, err;
};

Read read(const std::vector<std::string>& args) {
  Read r;
  std::ostringstream out, err;
  r.stop = readOptions(args, r.options, out, err, "9.9");
  r.out = out.str();
  r.err = err.str();
  return r;
}

TEST(WindowedOptions, EachOptionSetsWhatItSays) {
  const Read none = read({});
  EXPECT_FALSE(none.stop);
  EXPECT_FALSE(none.options.fight || none.options.scale || none.options.demo);
  EXPECT_TRUE(none.options.attract);
  EXPECT_EQ(none.options.timerResolution, 54'925'000);

  const Read all = read({"--fight", "2", "7", "--demo", "--record", "f.txt", "--no-attract", "--scale", "3",
                         "--timer-resolution", "16.667"});
  ASSERT_FALSE(all.stop) << all.err;
  EXPECT_EQ(all.options.fight, std::make_pair(2, 7));
  EXPECT_TRUE(all.options.demo);
  EXPECT_EQ(all.options.record, "f.txt");
  EXPECT_FALSE(all.options.attract);
  EXPECT_EQ(all.options.scale, 3);
  EXPECT_EQ(all.options.timerResolution, 16'667'000);
  EXPECT_EQ(read({"--replay", "r.txt"}).options.replay, "r.txt");
  EXPECT_EQ(read({"--versus", "4", "0"}).options.versus, std::make_pair(4, 0));
}

TEST(WindowedOptions, HelpAndVersionPrintAndStopWithStatusZero) {
  const Read help = read({"--help"});
  EXPECT_EQ(help.stop, 0);
  EXPECT_NE(help.out.find("--fight"), std::string::npos);
  EXPECT_NE(help.out.find("--timer-resolution"), std::string::npos);
  const Read version = read({"--scale", "2", "--version"});
  EXPECT_EQ(version.stop, 0);
  EXPECT_EQ(version.out, "mojara 9.9\n");
}

TEST(WindowedOptions, BadArgumentsStopWithStatusTwoNamingThem) {
  auto refused = [](const std::vector<std::string>& args, const std::string& named) {
    const Read r = read(args);
    EXPECT_EQ(r.stop, 2) << args[0];
    EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  };
  refused({"--fight", "3"}, "--fight needs two roster slots");
  refused({"--fight", "3", "8"}, "--fight P1 must be a roster slot from 0 to 7, not '8'");
  refused({"--scale", "9"}, "--scale needs a whole number from 1 to 8, not '9'");
  refused({"--scale"}, "--scale needs a value");
  refused({"--scale", "2", "--scale", "3"}, "--scale");
  refused({"--timer-resolution", "0"},
          "--timer-resolution needs a number of milliseconds from 0.001 to 60000");
  refused({"--timer-resolution", "1e12"}, "--timer-resolution");
  refused({"--record"}, "--record needs a value");
  refused({"--frobnicate"}, "unknown option --frobnicate");
  refused({"stray"}, "unexpected argument 'stray'");
  refused({"--replay", "r.txt", "--demo"}, "--replay plays its own fight");
  refused({"--replay", "r.txt", "--versus", "0", "1"}, "--replay plays its own fight");
  refused({"--versus", "1"}, "--versus needs two roster slots");
  refused({"--versus", "1", "9"}, "--versus P1 must be a roster slot");
  refused({"--versus", "1", "2", "--demo"}, "--versus is a fight of two players");
  refused({"--versus", "1", "2", "--fight", "3", "4"}, "--versus is a fight of two players");
  refused({"--lang", "klingon"}, "--lang knows no language 'klingon' (it knows ja, en");
  refused({"--lang"}, "--lang needs a value");
}

TEST(WindowedOptions, TheLanguageIsTheGamesOwnOrOneWithACatalogue) {
  EXPECT_FALSE(read({}).options.lang) << "no --lang: the kept setting decides";
  for (const char* lang : {"ja", "en"}) {
    const Read r = read({"--lang", lang});
    EXPECT_FALSE(r.stop) << r.err;
    EXPECT_EQ(r.options.lang, lang);
  }
  EXPECT_EQ(languages().front(), "ja");
  EXPECT_FALSE(isLanguage("")) << "an empty name is no language";
  EXPECT_FALSE(isLanguage("en,ja")) << "the build's list is read name by name";
}

// Online: --host with or without its port, --join with HOST or HOST:PORT (the port checked, the
// host looked up only in the window), the host's input delay; and what they cannot go with.
TEST(WindowedOptions, HostAndJoinOpenTheVersusWindowOnline) {
  EXPECT_EQ(read({"--host"}).options.host, kDefaultOnlinePort);
  EXPECT_EQ(read({"--host", "--no-attract"}).options.host, kDefaultOnlinePort);
  EXPECT_EQ(read({"--host", "0", "--input-delay", "0"}).options.host, 0);
  EXPECT_EQ(read({"--host=5000", "--input-delay", "8"}).options.inputDelay, 8);
  for (const char* address : {"192.0.2.7", "example.org:4913", "[2001:db8::7]:1", "::1", "[::1]"})
    EXPECT_EQ(read({"--join", address}).options.join, address);

  auto refused = [](const std::vector<std::string>& args, const std::string& named) {
    const Read r = read(args);
    EXPECT_EQ(r.stop, 2) << args[0];
    EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
  };
  refused({"--host", "65536"}, "--host needs a whole number from 0 to 65535, not '65536'");
  refused({"--host", "x"}, "--host needs a whole number");
  refused({"--join"}, "--join needs a value");
  refused({"--join", "h:0"}, "--join's port needs a whole number from 1 to 65535, not '0'");
  refused({"--join", "h:"}, "has no port after its colon");
  refused({"--join", ":4913"}, "names no host");
  refused({"--join", "[::1"}, "has no closing ]");
  refused({"--join", "[::1]4913"}, "is not [ADDRESS]:PORT");
  refused({"--host", "--join", "h"}, "--host and --join cannot go together");
  refused({"--join", "h", "--versus", "0", "1"}, "--join opens the versus window");
  refused({"--host", "--fight", "0", "1"}, "--host opens the versus window");
  refused({"--host", "--demo"}, "--host opens the versus window");
  refused({"--input-delay", "9", "--host"}, "--input-delay needs a whole number from 0 to 8");
  refused({"--input-delay", "2", "--join", "h"}, "--input-delay is the host's to give");
}

// The room's code: the host's own with --code, the joiner's at the end of the invitation or with
// --code, whatever its case and dash; it is refused when it is not a code, when it is given
// twice as two codes, and without --host or --join.
TEST(WindowedOptions, TheRoomCodeComesWithTheInvitationOrCode) {
  const auto code = RoomCode::parse("ABCD-EFGH");
  struct Case {
    std::vector<std::string> args;
    std::string join;
    std::optional<RoomCode> code;
  };
  const Case cases[] = {
      {{"--join", "192.0.2.7:4913/ABCD-EFGH"}, "192.0.2.7:4913", code},
      {{"--join", "[2001:db8::7]:4913/abcdefgh"}, "[2001:db8::7]:4913", code},
      {{"--join", "example.org", "--code", "abcd-efgh"}, "example.org", code},
      {{"--code", "ABCD-EFGH", "--join", "example.org/ABCD EFGH"}, "example.org", code},
      {{"--join", "example.org"}, "example.org", std::nullopt},  // the versus window asks for it
      {{"--join", "h:4913/"}, "h:4913", std::nullopt},
      {{"--host", "--code", "ABCDEFGH"}, "", code},
  };
  for (const Case& c : cases) {
    const Read r = read(c.args);
    EXPECT_FALSE(r.stop) << c.args[1] << ": " << r.err;
    EXPECT_EQ(r.options.join, c.join) << c.args[1];
    EXPECT_EQ(r.options.code, c.code) << c.args[1];
  }
  const std::pair<std::vector<std::string>, std::string> refusals[] = {
      {{"--join", "h/ABCD-EFG1"}, "--join: 'ABCD-EFG1' is not a room code"},
      {{"--join", "h:4913 ABCD"}, "--join: 'ABCD' is not a room code"},
      {{"--host", "--code", "ABCD-EFGHJ"}, "--code: 'ABCD-EFGHJ' is not a room code"},
      {{"--host", "--code", "OOOO-IIII"}, "is not a room code"},
      {{"--code", "ABCD-EFGH"}, "--code is a room's code: it goes with --host or --join"},
      {{"--join", "h/ABCD-EFGH", "--code", "ABCD-EFGJ"}, "ABCD-EFGH and --code gives ABCD-EFGJ"},
  };
  for (const auto& [args, named] : refusals) {
    const Read r = read(args);
    EXPECT_EQ(r.stop, 2) << args[1];
    EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
  }
}

// A recording that cannot be written is refused at start-up, before any fight is played and lost.
TEST(WindowedOptions, ARecordingThatCannotBeWrittenIsRefusedAtOnce) {
  const std::string folder = ::testing::TempDir();
  const auto refused = [](const std::string& path, const std::string& why) {
    const Read r = read({"--record", path});
    EXPECT_EQ(r.stop, 2) << path;
    EXPECT_NE(r.err.find("--record cannot write"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(why), std::string::npos) << r.err;
  };
  refused(folder + "/no-such-folder/fights.txt", "does not exist");
  refused(folder, "it is a folder");
  refused("/dev/full", "not an ordinary file");
  // The system's own files, which even root could write (and must not).
  refused("/proc/mojara-fights.txt", "the system's own files");
  refused("/proc/self/comm", "the system's own files");
  const std::string fights = folder + "/fights.txt";
  {
    const testing::FullDisk full(0);
    refused(fights, "there is no room to write it");
  }
  EXPECT_FALSE(std::filesystem::exists(fights)) << "the check leaves nothing behind";
  const Read fine = read({"--record", fights});
  EXPECT_FALSE(fine.stop) << fine.err;
  EXPECT_FALSE(std::filesystem::exists(fights));
  // A file that is there is checked as it will be written, and left as it was.
  std::ofstream(fights) << "kept\n";
  EXPECT_FALSE(read({"--record", fights}).stop);
  EXPECT_EQ(std::filesystem::file_size(fights), 5u);
  std::filesystem::remove(fights);
}

}  // namespace
}  // namespace mojara
