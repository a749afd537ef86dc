#include "web/web_session.h"

#include <cmath>

#include "app/roster.h"
#include "play/input_script.h"
#include "play/language.h"
#include "sim/json.h"
#include "web/json_catalogue.h"
#include "web/key_codes.h"

namespace mojara::web {

namespace {

constexpr const char* kNotStarted = "{\"error\":\"the game has not started\"}";

forms::Nanos nanosOf(double ms) { return static_cast<forms::Nanos>(std::llround(ms * 1'000'000.0)); }

std::optional<std::pair<int, int>> pairOf(const JsonValue& options, std::string_view name) {
  const JsonValue* v = options.find(name);
  if (!v || v->array.size() != 2) return std::nullopt;
  const auto slot = [](const JsonValue& n) {
    if (n.type != JsonValue::Type::Number || n.number < 0 || n.number > 7 || n.number != std::floor(n.number))
      throw JsonError("a roster slot is 0 to 7");
    return static_cast<int>(n.number);
  };
  return std::pair{slot(v->array[0]), slot(v->array[1])};
}

}  // namespace

std::string WebSession::start(std::string_view optionsJson) {
  try {
    const JsonValue options = JsonValue::parse(optionsJson.empty() ? "{}" : optionsJson);
    WebOptions o;
    o.programFolder = options.stringOr("folder", o.programFolder);
    o.settingsText = options.stringOr("settings", "");
    o.lang = options.stringOr("lang", "");
    if (const JsonValue* catalogue = options.find("catalogue"); catalogue && catalogue->type == JsonValue::Type::Object)
      o.catalogue = catalogueLookup(*catalogue);
    const double resolution = options.numberOr("timerResolution", 0);
    if (resolution > 0) o.timerResolution = nanosOf(resolution);
    o.attract = options.boolOr("attract", true);
    o.demo = options.boolOr("demo", false);
    o.record = options.boolOr("record", false);
    o.log = options.boolOr("log", false);
    o.fight = pairOf(options, "fight");
    o.versus = pairOf(options, "versus");
    if (const double seed = options.numberOr("seed", -1); seed >= 0) o.seed = static_cast<std::uint64_t>(seed);
    frontEnd_ = std::make_unique<WebFrontEnd>(std::move(o));
    frontEnd_->advanceTo(nanosOf(options.numberOr("now", 0)));
    frontEnd_->start();
    std::string out = "{\"assets\":" + assetsJson() + ",\"lang\":" + sim::jsonString(frontEnd_->lang());
    // The fighters by roster slot, as the versus window names them.
    out += ",\"fighters\":[";
    for (std::size_t k = 0; k < kRoster.size(); ++k)
      out += (k ? "," : "") + sim::jsonString(frontEnd_->texts()(std::string(kRoster[k].name)));
    out += "]";
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
  frontEnd_->advanceTo(nanosOf(ms));
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

std::string WebSession::command(int player, int command) {
  if (!frontEnd_) return kNotStarted;
  if (player >= 0 && player < kPlayers && command >= 0 && command < kCommandCount)
    frontEnd_->command(player, static_cast<Command>(command));
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

std::string WebSession::playReplay(const std::string& text) {
  if (!frontEnd_) return kNotStarted;
  frontEnd_->playReplay(text);
  return answer();
}

std::string WebSession::setSettings(std::string_view json) {
  if (!frontEnd_) return kNotStarted;
  try {
    const JsonValue v = JsonValue::parse(json);
    if (const JsonValue* keys = v.find("keys")) {
      KeyBindings bindings = frontEnd_->settings().bindings;
      for (int p = 0; p < kPlayers && p < static_cast<int>(keys->array.size()); ++p)
        for (int c = 0; c < kCommandCount && c < static_cast<int>(keys->array[p].array.size()); ++c)
          bindings.keys[p][c] = static_cast<int>(keys->array[p].array[c].number);
      if (const JsonValue* buttons = v.find("buttons"))
        for (int p = 0; p < kPlayers && p < static_cast<int>(buttons->array.size()); ++p)
          for (int c = 0; c < kCommandCount && c < static_cast<int>(buttons->array[p].array.size()); ++c)
            if (auto b = padButtonOf(buttons->array[p].array[c].string)) bindings.buttons[p][c] = *b;
      frontEnd_->setBindings(bindings);
    }
    if (const JsonValue* attract = v.find("attract"); attract && attract->type == JsonValue::Type::Bool)
      frontEnd_->setAttract(attract->boolean);
    if (const JsonValue* lang = v.find("lang"); lang && lang->type == JsonValue::Type::String)
      frontEnd_->setLang(lang->string);
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

std::string WebSession::bindKey(int player, int command, int code) {
  if (!frontEnd_) return kNotStarted;
  if (player < 0 || player >= kPlayers || command < 0 || command >= kCommandCount) return "{\"error\":\"no such command\"}";
  const auto change = frontEnd_->bindKey(player, static_cast<Command>(command), code);
  return changeJson(change, frontEnd_->texts(), settingsJson());
}

std::string WebSession::bindButton(int player, int command, int button) {
  if (!frontEnd_) return kNotStarted;
  if (player < 0 || player >= kPlayers || command < 0 || command >= kCommandCount || button < 0 ||
      button >= kPadButtonCount)
    return "{\"error\":\"no such command or button\"}";
  const auto change = frontEnd_->bindButton(player, static_cast<Command>(command), static_cast<PadButton>(button));
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
    for (int c = 0; c < kCommandCount; ++c) (c ? w.raw(',') : w).number(s.bindings.keys[p][c]);
    w.raw(']');
  }
  w.raw("],\"buttons\":[");
  for (int p = 0; p < kPlayers; ++p) {
    w.raw(p ? ",[" : "[");
    for (int c = 0; c < kCommandCount; ++c) (c ? w.raw(',') : w).string(padButtonName(s.bindings.buttons[p][c]));
    w.raw(']');
  }
  w.raw("],\"attract\":").boolean(s.attract).raw(",\"lang\":").string(s.lang).raw(",\"commands\":[");
  for (int c = 0; c < kCommandCount; ++c) {
    const CommandInfo& info = commands()[static_cast<std::size_t>(c)];
    (c ? w.raw(',') : w).raw("{\"name\":").string(info.settingName);
    w.raw(",\"label\":").string(frontEnd_->texts()(std::string(info.label)));
    w.raw(",\"battleKey\":").number(info.battleKey).raw('}');
  }
  // How each bound key and button shows, in the player's language.
  w.raw("],\"keyLabels\":{");
  bool first = true;
  for (int p = 0; p < kPlayers; ++p)
    for (int c = 0; c < kCommandCount; ++c) {
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
