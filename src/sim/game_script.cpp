#include "sim/game_script.h"

#include <cctype>
#include <sstream>

#include "app/cli_numbers.h"
#include "forms/types.h"

namespace mojara::sim {

namespace {

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

[[noreturn]] void fail(int line, const std::string& why) {
  throw ScriptError("line " + std::to_string(line) + ": " + why);
}

// FORM.CONTROL or FORM.CONTROL(I)
void readTarget(const std::string& word, int line, ScriptLine& out) {
  const auto dot = word.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == word.size())
    fail(line, "expected FORM.CONTROL, got '" + word + "'");
  out.form = word.substr(0, dot);
  std::string control = word.substr(dot + 1);
  if (const auto open = control.find('('); open != std::string::npos) {
    if (control.back() != ')') fail(line, "unclosed control index in '" + word + "'");
    auto index = parseInteger<int>(std::string_view(control).substr(open + 1, control.size() - open - 2));
    if (!index || *index < 0) fail(line, "bad control index in '" + word + "'");
    out.index = *index;
    control.resize(open);
  }
  if (control.empty()) fail(line, "expected FORM.CONTROL, got '" + word + "'");
  out.control = control;
}

}  // namespace

std::vector<ScriptLine> readGameScript(std::istream& in) {
  std::vector<ScriptLine> lines;
  std::string raw;
  int number = 0;
  std::int64_t last = 0;
  while (std::getline(in, raw)) {
    ++number;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    std::istringstream words(raw);
    std::string when, verb;
    if (!(words >> when) || when[0] == '#') continue;
    ScriptLine line;
    line.lineNumber = number;
    auto at = parseMillis(when);
    if (!at) fail(number, "bad time '" + when + "' (milliseconds, 0 or more)");
    if (*at < last) fail(number, "lines are not sorted by time");
    last = line.at = *at;
    if (!(words >> verb)) fail(number, "missing action");
    std::string arg;
    using A = ScriptLine::Action;
    if (verb == "key") {
      line.action = A::Key;
      if (!(words >> arg)) fail(number, "missing key");
      line.number = keyCodeOf(arg, true);
      if (line.number < 0) fail(number, "unknown key '" + arg + "'");
    } else if (verb == "click" || verb == "hover") {
      line.action = verb == "click" ? A::Click : A::Hover;
      if (!(words >> arg)) fail(number, "missing FORM.CONTROL");
      readTarget(arg, number, line);
    } else if (verb == "press") {
      line.action = A::Press;
      std::string button;
      if (!(words >> arg >> button)) fail(number, "expected FORM.CONTROL BUTTON");
      readTarget(arg, number, line);
      const std::string b = upper(button);
      line.number = b == "LEFT" || b == "1"     ? 1
                    : b == "RIGHT" || b == "2"  ? 2
                    : b == "MIDDLE" || b == "4" ? 4
                                                : 0;
      if (!line.number) fail(number, "unknown mouse button '" + button + "'");
    } else if (verb == "scroll") {
      line.action = A::Scroll;
      std::string value;
      if (!(words >> arg >> value)) fail(number, "expected FORM.CONTROL VALUE");
      readTarget(arg, number, line);
      auto v = parseInteger<int>(value);
      if (!v) fail(number, "bad scroll value '" + value + "'");
      line.number = *v;
    } else if (verb == "choose") {
      line.action = A::Choose;
      if (!(words >> arg)) fail(number, "expected FORM.CONTROL TEXT");
      readTarget(arg, number, line);
      std::getline(words >> std::ws, line.text);
      if (line.text.empty()) fail(number, "missing item text");
    } else if (verb == "ok") {
      line.action = A::Ok;
    } else if (verb == "close") {
      line.action = A::Close;
      if (!(words >> line.form)) fail(number, "missing FORM");
    } else {
      fail(number, "unknown action '" + verb + "'");
    }
    if (line.action != A::Choose && (words >> arg)) fail(number, "unexpected '" + arg + "'");
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace mojara::sim
