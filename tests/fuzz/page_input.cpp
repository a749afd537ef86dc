// What a page hands the browser's front end: start options, key settings, a replay opened, keys and
// the page's frames. Whatever it hands over, every answer is JSON (an error is an answer too), and
// the game neither crashes nor hangs.
//
// The input is up to four parts, each ended by a line "====": the start options, the key settings
// (handed over unless empty), a replay's text (opened unless empty), then one event a line:
//   f MS               a frame at MS (as the page's clock would say it; a time ahead is kept
//                      within a few seconds of the last, so that no input runs for long)
//   k CODE<tab>KEY<tab>SHIFT   a key of the browser, KeyboardEvent.code and .key
// The options' folder is always the target's own, where the game's sounds are (it writes its
// replays there).
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>
#include <unistd.h>

#include "fuzz_target.h"
#include "web/page_json.h"
#include "web/web_session.h"

using namespace mojara;

namespace {

constexpr std::size_t kMostEvents = 48;
constexpr double kLongestStep = 3000;  // ms

// The target's folder, with the game's sound files copied in: made once, gone at the end.
const std::string& folder() {
  // Never destroyed: the clean-up at exit still needs it.
  static const std::string* made = [] {
    namespace fs = std::filesystem;
    const fs::path path = fs::temp_directory_path() / ("mojara-fuzz-page-input-" + std::to_string(::getpid()));
    fs::create_directories(path);
    for (const char* file : {"music2.mid", "snd1.wav", "snd2.wav", "beep.wav"})
      fs::copy_file(fs::path(MOJARA_BIN_DIR) / file, path / file, fs::copy_options::overwrite_existing);
    std::atexit([] { std::filesystem::remove_all(folder()); });
    return new std::string(path.string());
  }();
  return *made;
}

void requireJson(const std::string& answer) {
  fuzz::require(nlohmann::json::accept(answer), "every answer is JSON");
}

std::vector<std::string_view> parts(std::string_view input) {
  std::vector<std::string_view> out;
  while (out.size() < 3) {
    // The line "====" at the start, or after a line of the part.
    const bool atStart = input.starts_with("====\n");
    const std::size_t end = atStart ? 0 : input.find("\n====\n");
    if (end == std::string_view::npos) break;
    out.push_back(input.substr(0, end));
    input.remove_prefix(end + (atStart ? 5 : 6));
  }
  out.push_back(input);
  out.resize(4);
  return out;
}

// Options that are an object get the target's folder; any others are handed over as they are.
std::string withFolder(std::string_view options) {
  if (!nlohmann::json::accept(options)) return std::string(options);
  nlohmann::json o = nlohmann::json::parse(options);
  if (!o.is_object()) return std::string(options);
  o["folder"] = folder();
  return o.dump();
}

int number(std::string_view text) {
  int n = 0;
  std::from_chars(text.data(), text.data() + text.size(), n);
  return n;
}

void event(web::WebSession& session, std::string_view line) {
  if (line.starts_with("f ")) {
    const std::string text(line.substr(2));
    double ms = std::strtod(text.c_str(), nullptr);
    // A time the clock can hold is kept within a step of where the game is.
    if (session.started() && ms >= 0 && ms <= web::kLatestMillis)
      ms = std::min(ms, static_cast<double>(session.frontEnd()->now()) / 1e6 + kLongestStep);
    requireJson(session.frame(ms));
  } else if (line.starts_with("k ")) {
    line.remove_prefix(2);
    const std::size_t tab = std::min(line.find('\t'), line.size());
    const std::string_view code = line.substr(0, tab);
    std::string_view rest = line.substr(std::min(tab + 1, line.size()));
    const std::size_t tab2 = std::min(rest.find('\t'), rest.size());
    requireJson(session.keyDown(code, rest.substr(0, tab2), number(rest.substr(std::min(tab2 + 1, rest.size())))));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string_view> part = parts(fuzz::textOf(data, size));
  web::WebSession session;
  const std::string started = session.start(withFolder(part[0]));
  requireJson(started);
  fuzz::require(session.started() != nlohmann::json::parse(started).contains("error"),
                "a start either starts the game or says why not");
  if (!part[1].empty()) requireJson(session.setSettings(part[1]));
  if (!part[2].empty()) requireJson(session.playReplay(std::string(part[2])));
  std::string_view events = part[3];
  for (std::size_t n = 0; n < kMostEvents && !events.empty(); ++n) {
    const std::size_t end = std::min(events.find('\n'), events.size());
    event(session, events.substr(0, end));
    events.remove_prefix(std::min(end + 1, events.size()));
  }
  requireJson(session.scene());
  requireJson(session.settingsJson());
  std::filesystem::remove(folder() + "/replay.txt");
  return 0;
}
