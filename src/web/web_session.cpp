#include "web/web_session.h"

#include <cstdint>
#include <optional>

#include "app/roster.h"
#include "play/options/cli_numbers.h"
#include "play/input/input_file.h"
#include "play/input/input_script.h"
#include "play/texts/language.h"
#include "play/texts/page_words.h"
#include "sim/json.h"
#include "web/json_catalogue.h"
#include "web/key_codes.h"
#include "web/page_json.h"

namespace mojara::web {

namespace {

constexpr const char* kNotStarted = "{\"error\":\"the game has not started\"}";

std::string playerText(int p) { return "player " + std::to_string(p + 1) + "'s "; }

// The key settings' keys: for each player, the key codes of their commands in the settings file's
// order; a list may be short, leaving the commands after it as they are.
void readKeys(const Json& keys, KeyBindings& bindings) {
  const Json& players = array(keys, "keys");
  for (int p = 0; p < kPlayers && p < static_cast<int>(players.size()); ++p) {
    const Json& codes = array(players[p], playerText(p) + "keys");
    for (int c = 0; c < kBindableCount && c < static_cast<int>(codes.size()); ++c)
      bindings.keys[p][c] = static_cast<int>(wholeNumber(
          codes[c], playerText(p) + "key for " + std::string(kBindableCommands[c].settingName), 0xFFFF));
  }
}

// The same for the controllers' buttons, by name.
void readButtons(const Json& buttons, KeyBindings& bindings) {
  const Json& players = array(buttons, "buttons");
  for (int p = 0; p < kPlayers && p < static_cast<int>(players.size()); ++p) {
    const Json& names = array(players[p], playerText(p) + "buttons");
    for (int c = 0; c < kBindableCount && c < static_cast<int>(names.size()); ++c) {
      const std::string what = playerText(p) + "button for " + std::string(kBindableCommands[c].settingName);
      const std::string name = text(names[c], what);
      const auto button = padButtonOf(name);
      if (!button) throw JsonError(what + " must be a controller button's name, not " + quote(name));
      bindings.buttons[p][c] = *button;
    }
  }
}

// A roster pair, [p0, p1].
std::pair<int, int> pairOf(const Json& value, const std::string& what) {
  const Json& pair = array(value, what);
  if (pair.size() != 2) throw JsonError(what + " must be two roster slots, not " + std::to_string(pair.size()));
  const auto slot = [&](std::size_t k) {
    return static_cast<int>(wholeNumber(pair[k], what + "'s " + (k ? "second" : "first") + " roster slot", kRoster.size() - 1));
  };
  return {slot(0), slot(1)};
}

}  // namespace

std::string WebSession::start(std::string_view optionsJson) {
  try {
    const Json options = object(parseJson(optionsJson.empty() ? "{}" : optionsJson), "the options");
    WebOptions o;
    if (const Json* v = member(options, "folder")) o.programFolder = text(*v, "folder");
    if (const Json* v = member(options, "settings")) o.settingsText = text(*v, "settings");
    if (const Json* v = member(options, "lang")) o.lang = text(*v, "lang");
    if (const Json* v = member(options, "catalogue")) o.catalogue = catalogueLookup(*v);
    if (const Json* v = member(options, "timerResolution"))
      o.timerResolution = millis(*v, "timerResolution", kMinTimerResolution, kMaxTimerResolution);
    if (const Json* v = member(options, "attract")) o.attract = truth(*v, "attract");
    if (const Json* v = member(options, "demo")) o.demo = truth(*v, "demo");
    if (const Json* v = member(options, "record")) o.record = truth(*v, "record");
    if (const Json* v = member(options, "log")) o.log = truth(*v, "log");
    if (const Json* v = member(options, "fight")) o.fight = pairOf(*v, "fight");
    if (const Json* v = member(options, "versus")) o.versus = pairOf(*v, "versus");
    if (const Json* v = member(options, "seed")) o.seed = wholeNumber(*v, "seed", UINT64_MAX);
    frontEnd_ = std::make_unique<WebFrontEnd>(std::move(o));
    frontEnd_->start();
    std::string out = "{\"assets\":" + assetsJson() + ",\"lang\":" + sim::jsonString(frontEnd_->lang());
    // The fighters by roster slot, as the versus window names them.
    out += ",\"fighters\":[";
    for (std::size_t k = 0; k < kRoster.size(); ++k)
      out += (k ? "," : "") + sim::jsonString(frontEnd_->texts()(std::string(kRoster[k].name)));
    out += "]";
    // The page's own words, by their names, as the fighters in the player's language.
    out += ",\"words\":{";
    for (const PageWord& word : pageWords())
      out += (out.back() == '{' ? "" : ",") + sim::jsonString(word.name) + ":" +
             sim::jsonString(frontEnd_->texts()(word.text));
    out += "}";
    return out + ",\"scene\":" + writer_.scene(*frontEnd_) + "}";
  } catch (const std::exception& e) {
    frontEnd_.reset();
    return "{\"error\":" + sim::jsonString(e.what()) + "}";
  }
}

std::string WebSession::answer() { return writer_.scene(*frontEnd_); }

std::string WebSession::scene() {
  if (!frontEnd_) return kNotStarted;
  return "{\"forms\":" + SceneWriter::formsJson(*frontEnd_) + "}";
}

std::string WebSession::frame(double ms) {
  if (!frontEnd_) return kNotStarted;
  try {
    frontEnd_->advanceTo(millis(ms, "the time", 0, kLatestMillis));
  } catch (const JsonError& e) {
    return "{\"error\":" + sim::jsonString(e.what()) + "}";
  }
  return answer();
}

std::string WebSession::step() {
  if (!frontEnd_) return kNotStarted;
  frontEnd_->step();
  return answer();
}

std::string WebSession::input(std::string_view line) {
  if (!frontEnd_) return kNotStarted;
  try {
    frontEnd_->scriptInput(line);
  } catch (const ScriptError& e) {
    return "{\"error\":" + sim::jsonString(e.what()) + "}";
  }
  return answer();
}

std::string WebSession::log(const std::string& endReason) { return frontEnd_ ? frontEnd_->log(endReason) : ""; }

std::string WebSession::trace() const { return frontEnd_ ? frontEnd_->trace() : ""; }

std::string WebSession::keyDown(std::string_view code, std::string_view key, int shift) {
  return virtualKeyDown(virtualKeyOf(code, key), shift);
}

std::string WebSession::virtualKeyDown(int code, int shift) {
  if (!frontEnd_) return kNotStarted;
  if (code) frontEnd_->keyDown(code, shift);
  return answer();
}

std::string WebSession::padPressed(int player, int button, bool repeat) {
  if (!frontEnd_) return kNotStarted;
  if (player >= 0 && player < kPlayers && button >= 0 && button < kPadButtonCount)
    frontEnd_->padPressed(player, static_cast<PadButton>(button), repeat);
  return answer();
}

std::string WebSession::command(int player, int row) {
  if (!frontEnd_) return kNotStarted;
  if (player >= 0 && player < kPlayers && row >= 0 && row < kBindableCount)
    frontEnd_->command(player, kBindableCommands[row].command);
  return answer();
}

std::string WebSession::mouseDown(const std::string& form, double x, double y, int button) {
  if (!frontEnd_) return kNotStarted;
  frontEnd_->mouseDown(form, static_cast<float>(x), static_cast<float>(y), button);
  return answer();
}

std::string WebSession::mouseMove(const std::string& form, double x, double y, int buttons) {
  if (!frontEnd_) return kNotStarted;
  frontEnd_->mouseMove(form, static_cast<float>(x), static_cast<float>(y), buttons);
  return answer();
}

std::string WebSession::click(const std::string& form, const std::string& control, int index) {
  if (!frontEnd_) return kNotStarted;
  frontEnd_->click(form, control, index);
  return answer();
}

std::string WebSession::change(const std::string& form, const std::string& control, int index, int value) {
  if (!frontEnd_) return kNotStarted;
  frontEnd_->change(form, control, index, value);
  return answer();
}

std::string WebSession::choose(const std::string& form, const std::string& control, int index, int listIndex) {
  if (!frontEnd_) return kNotStarted;
  frontEnd_->choose(form, control, index, listIndex);
  return answer();
}

std::string WebSession::closeRequest(const std::string& form) {
  if (!frontEnd_) return kNotStarted;
  frontEnd_->closeRequest(form);
  return answer();
}

std::string WebSession::closeMessageBox() {
  if (!frontEnd_) return kNotStarted;
  frontEnd_->closeMessageBox();
  return answer();
}

std::string WebSession::versusFight(int p0, int p1) {
  if (!frontEnd_) return kNotStarted;
  if (p0 >= 0 && p0 < 8 && p1 >= 0 && p1 < 8) frontEnd_->versusFight(p0, p1);
  return answer();
}

std::string WebSession::versusClosed() {
  if (!frontEnd_) return kNotStarted;
  frontEnd_->versusClosed();
  return answer();
}

std::string WebSession::keyWindowClosed() {
  if (!frontEnd_) return kNotStarted;
  frontEnd_->keyWindowClosed();
  return answer();
}

std::string WebSession::playReplay(const std::string& text) {
  if (!frontEnd_) return kNotStarted;
  frontEnd_->playReplay(text);
  return answer();
}

std::string WebSession::setSettings(std::string_view json) {
  if (!frontEnd_) return kNotStarted;
  try {
    // Everything is read before anything changes: a refused part leaves the settings as they were.
    const Json v = object(parseJson(json), "the settings");
    std::optional<KeyBindings> bindings;
    if (const Json* keys = member(v, "keys")) {
      bindings = frontEnd_->settings().bindings;
      readKeys(*keys, *bindings);
      if (const Json* buttons = member(v, "buttons")) readButtons(*buttons, *bindings);
      if (const auto problem = bindings->problem()) throw JsonError(*problem);
    }
    std::optional<bool> attract;
    if (const Json* a = member(v, "attract")) attract = truth(*a, "attract");
    std::optional<std::string> lang;
    if (const Json* l = member(v, "lang")) lang = text(*l, "lang");
    if (bindings) frontEnd_->setBindings(*bindings);
    if (attract) frontEnd_->setAttract(*attract);
    if (lang) frontEnd_->setLang(*lang);
  } catch (const JsonError& e) {
    frontEnd_->showNotice(e.what());
  }
  return answer();
}

namespace {

std::string changeJson(const KeyBindings::Change& change, const WindowTexts& texts, const std::string& settings) {
  return "{\"done\":" + std::string(change.done ? "true" : "false") + ",\"message\":" +
         sim::jsonString(change.message.text([&texts](const std::string& part) { return texts(part); })) +
         ",\"settings\":" + settings + "}";
}

}  // namespace

std::string WebSession::bindKey(int player, int row, int code) {
  if (!frontEnd_) return kNotStarted;
  if (player < 0 || player >= kPlayers || row < 0 || row >= kBindableCount)
    return "{\"error\":\"no such command\"}";
  const auto change = frontEnd_->bindKey(player, kBindableCommands[row].command, code);
  return changeJson(change, frontEnd_->texts(), settingsJson());
}

std::string WebSession::bindButton(int player, int row, int button) {
  if (!frontEnd_) return kNotStarted;
  if (player < 0 || player >= kPlayers || row < 0 || row >= kBindableCount || button < 0 ||
      button >= kPadButtonCount)
    return "{\"error\":\"no such command or button\"}";
  const auto change =
      frontEnd_->bindButton(player, kBindableCommands[row].command, static_cast<PadButton>(button));
  return changeJson(change, frontEnd_->texts(), settingsJson());
}

std::string WebSession::settingsJson() const {
  if (!frontEnd_) return kNotStarted;
  const Settings& s = frontEnd_->settings();
  std::string out;
  sim::JsonWriter w(out);
  w.raw("{\"keys\":[");
  for (int p = 0; p < kPlayers; ++p) {
    w.raw(p ? ",[" : "[");
    for (int c = 0; c < kBindableCount; ++c) (c ? w.raw(',') : w).number(s.bindings.keys[p][c]);
    w.raw(']');
  }
  w.raw("],\"buttons\":[");
  for (int p = 0; p < kPlayers; ++p) {
    w.raw(p ? ",[" : "[");
    for (int c = 0; c < kBindableCount; ++c)
      (c ? w.raw(',') : w).string(padButtonName(s.bindings.buttons[p][c]));
    w.raw(']');
  }
  w.raw("],\"attract\":").boolean(s.attract).raw(",\"lang\":").string(s.lang).raw(",\"commands\":[");
  for (int c = 0; c < kBindableCount; ++c) {
    const BindableCommand& bindable = kBindableCommands[static_cast<std::size_t>(c)];
    (c ? w.raw(',') : w).raw("{\"name\":").string(bindable.settingName);
    w.raw(",\"label\":").string(frontEnd_->texts()(std::string(bindable.label)));
    w.raw(",\"battleKey\":").number(keyOf(bindable.command)).raw('}');
  }
  // How each bound key and button shows, in the player's language.
  w.raw("],\"keyLabels\":{");
  bool first = true;
  for (int p = 0; p < kPlayers; ++p)
    for (int c = 0; c < kBindableCount; ++c) {
      const int code = s.bindings.keys[p][c];
      (first ? w : w.raw(',')).raw('"').number(code).raw("\":").string(frontEnd_->texts()(keyLabel(code)));
      first = false;
    }
  w.raw("},\"buttonLabels\":[");
  for (int b = 0; b < kPadButtonCount; ++b)
    (b ? w.raw(',') : w).string(frontEnd_->texts()(std::string(padButtonLabel(static_cast<PadButton>(b)))));
  w.raw("],\"players\":[").string(frontEnd_->texts()(playerName(0))).raw(',').string(frontEnd_->texts()(playerName(1)));
  // The table's column heads, as the windowed program's key window has them.
  w.raw("],\"heads\":[");
  for (std::string_view head : kBindingColumnHeads)
    (head == kBindingColumnHeads[0] ? w : w.raw(',')).string(frontEnd_->texts()(std::string(head)));
  w.raw("]}");
  return out;
}

double WebSession::nextDue() const {
  if (!frontEnd_) return -1;
  const auto due = frontEnd_->nextDue();
  return due ? static_cast<double>(*due) / 1'000'000.0 : -1;
}

}  // namespace mojara::web
