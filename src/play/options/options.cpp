#include "play/options/options.h"

#include "play/options/command_line.h"
#include "play/input/input_file.h"
#include "play/texts/language.h"
#include "play/replays/recording_file.h"

namespace mojara {

namespace {

constexpr const char* kAbout =
    "Mojara Taisen, a small fighting game. Keys in a fight: arrows walk and jump-kick,\n"
    "A punch, Z kick, Q charge power, S rising dragon punch, X heel drop, W rampage,\n"
    "space pauses. F1 on the title window opens the help. F11 or Alt+Enter: full screen;\n"
    "M: sound off and on; minus and equals: everything softer and louder; [ and ]: the music;\n"
    "; and ': the effects. F2 on the title: the keys of both players; F3: two players.";

constexpr const char* kRoster =
    "Roster slots: 0 だいさく, 1 みよ, 2 タマ, 3 大顔面, 4 暗黒騎士 jiro, 5 はにい, 6 あいあんどーる, 7 "
    "黒炭人.";

// An option of two roster slots P0 P1 (--fight, --versus).
void addSlotPair(CLI::App& app, const std::string& name, std::optional<std::pair<int, int>>& into,
                 const std::string& description) {
  app.add_option_function<std::vector<std::string>>(
         name,
         [name, &into](const std::vector<std::string>& slots) {
           if (slots.size() != 2) throw cli::UsageError(name + " needs two roster slots P0 P1 from 0 to 7");
           into = {{cli::rosterSlot(name + " P0", slots[0]), cli::rosterSlot(name + " P1", slots[1])}};
         },
         description)
      ->expected(0, 2)
      ->type_name("P0 P1");
}

// HOST, HOST:PORT, [V6] or [V6]:PORT, as --join takes it; UsageError saying what is wrong. Whether
// the host can be found is for the versus window to say.
void checkHostAndPort(const std::string& text) {
  std::string host = text, port;
  if (text.starts_with('[')) {
    const auto close = text.find(']');
    if (close == std::string::npos)
      throw cli::UsageError("--join: the address " + quote(text) + " has no closing ]");
    host = text.substr(1, close - 1);
    if (close + 1 < text.size()) {
      if (text[close + 1] != ':')
        throw cli::UsageError("--join: the address " + quote(text) + " is not [ADDRESS]:PORT");
      port = text.substr(close + 2);
      if (port.empty())
        throw cli::UsageError("--join: the address " + quote(text) + " has no port after its colon");
    }
  } else if (const auto colon = text.rfind(':'); colon != std::string::npos && text.find(':') == colon) {
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
    if (port.empty())
      throw cli::UsageError("--join: the address " + quote(text) + " has no port after its colon");
  }
  if (host.empty()) throw cli::UsageError("--join: the address " + quote(text) + " names no host");
  if (!port.empty()) cli::wholeNumber<std::uint16_t>("--join's port", port, 1, 65535);
}

}  // namespace

std::optional<int> readOptions(const std::vector<std::string>& args, Options& o, std::ostream& out,
                               std::ostream& err, const std::string& version) {
  CLI::App app{kAbout, "mojara"};
  std::optional<RoomCode> invited;  // the code at the end of --join's invitation
  app.footer(kRoster);
  addSlotPair(app, "--fight", o.fight,
              "Practice: open a fight of roster slots P0 (you) and P1 (the computer) at once; the title "
              "comes back when it is decided");
  addSlotPair(app, "--versus", o.versus,
              "Two players: open a fight of roster slots P0 (player 1) and P1 (player 2) at once");
  app.add_flag("--demo", o.demo, "The computer plays the whole campaign (or the --fight) while you watch");
  cli::addValue(app, "--record", "FILE",
                "Write every fight played to FILE (the second to FILE-2, ...), a line at a time as it "
                "goes, to be played again with --replay or mojara-sim fight --replay; a FILE that cannot "
                "be written is refused at once",
                [&o](const std::string& v) { o.record = v; });
  cli::addValue(app, "--replay", "FILE", "Play a recorded fight again in the window (Escape quits)",
                [&o](const std::string& v) { o.replay = v; });
  app.add_flag_callback(
      "--no-attract", [&o] { o.attract = false; },
      "No demo fights when the title has been left alone for 30 s");
  cli::addValue(app, "--scale", "N",
                "Draw every window N times its size (1 to 8); by default the kept setting, or the largest "
                "whole scale at which the fight fits the screen",
                [&o](const std::string& v) { o.scale = cli::wholeNumber<int>("--scale", v, 1, 8); });
  cli::addValue(app, "--lang", "LANG",
                "Show the windows' texts in LANG (" + languageList() +
                    "); by default the kept setting, or the game's own Japanese",
                [&o](const std::string& v) {
                  if (!isLanguage(v))
                    throw cli::UsageError("--lang knows no language " + quote(v) + " (it knows " +
                                          languageList() + ")");
                  o.lang = v;
                });
  cli::addValue(app, "--timer-resolution", "MS",
                "The timer resolution in milliseconds (0.001 to 60000); default 54.925, the PC timer tick "
                "the game's pace was made for",
                [&o](const std::string& v) {
                  o.timerResolution =
                      cli::millis("--timer-resolution", v, kMinTimerResolution, kMaxTimerResolution);
                });
  CLI::Option* host =
      app.add_option_function<std::vector<std::string>>(
             "--host",
             [&o](const std::vector<std::string>& port) {
               // Without its port (the next argument another option, or none) it waits on the default.
               o.host = port.empty() || port[0].empty()
                            ? kDefaultOnlinePort
                            : cli::wholeNumber<std::uint16_t>("--host", port[0], 0, 65535);
             },
             "Online versus: open the versus window and wait for a player on this UDP port (default " +
                 std::to_string(kDefaultOnlinePort) + "; 0: any free port, shown in the window)")
          ->expected(0, 1)
          ->type_name("[PORT]");
  cli::addValue(app, "--join", "HOST[:PORT][/CODE]",
                "Online versus: open the versus window and join the host at this address (the port " +
                    std::to_string(kDefaultOnlinePort) +
                    " unless given), with its room code (the invitation "
                    "HOST:PORT/CODE, or --code)",
                [&o, &invited](const std::string& v) {
                  const Invitation invitation = readInvitation(v);
                  if (invitation.notACode)
                    throw cli::UsageError("--join: " + quote(*invitation.notACode) + " is not a room code");
                  checkHostAndPort(invitation.address);
                  o.join = invitation.address;
                  invited = invitation.code;
                });
  cli::addValue(app, "--code", "CODE",
                "Online versus: the room's code (ABCD-EFGH; case and dash do not matter), the host's own (by "
                "default one drawn at random) or the one to join",
                [&o](const std::string& v) {
                  o.code = RoomCode::parse(v);
                  if (!o.code)
                    throw cli::UsageError("--code: " + quote(v) +
                                          " is not a room code (8 letters and digits, such as ABCD-EFGH)");
                });
  cli::addValue(
      app, "--input-delay", "D",
      "Online, as the host: the timer events a press waits before it acts, on both machines, 0 to 8; "
      "default 2",
      [&o](const std::string& v) { o.inputDelay = cli::wholeNumber<int>("--input-delay", v, 0, 8); });
  cli::addVersion(app, "mojara " + version);
  if (auto stop = cli::parse(app, args, out, err)) return stop;
  if (host->count() > 0 && !o.host) o.host = kDefaultOnlinePort;
  if (invited && o.code && *invited != *o.code) {
    err << "mojara: --join's invitation has the room code " << invited->text() << " and --code gives "
        << o.code->text() << ": give one\n";
    return 2;
  }
  if (invited) o.code = invited;
  if (!o.replay.empty() && (o.fight || o.versus || o.demo || !o.record.empty())) {
    err << "mojara: --replay plays its own fight: it goes with none of --fight, --versus, --demo and "
           "--record\n";
    return 2;
  }
  if (o.versus && (o.fight || o.demo)) {
    err << "mojara: --versus is a fight of two players: it goes with neither --fight nor --demo\n";
    return 2;
  }
  const bool online = o.host || !o.join.empty();
  if (o.host && !o.join.empty()) {
    err << "mojara: --host and --join cannot go together: one machine hosts, the other joins\n";
    return 2;
  }
  if (online && (o.fight || o.versus || o.demo || !o.replay.empty())) {
    err << "mojara: " << (o.host ? "--host" : "--join")
        << " opens the versus window for a game online: it goes with none of --fight, --versus, --demo and "
           "--replay\n";
    return 2;
  }
  if (o.code && !online) {
    err << "mojara: --code is a room's code: it goes with --host or --join\n";
    return 2;
  }
  if (o.inputDelay && !o.host) {
    err << "mojara: --input-delay is the host's to give: it goes with --host\n";
    return 2;
  }
  if (!o.record.empty()) {
    if (auto problem = recordingProblem(o.record)) {
      err << "mojara: --record cannot write " << quote(o.record) << ": " << *problem << "\n";
      return 2;
    }
  }
  return std::nullopt;
}

}  // namespace mojara
