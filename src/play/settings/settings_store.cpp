#include "play/settings/settings_store.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <ostream>

#include "play/options/cli_numbers.h"
#include "play/input/key_names.h"

namespace mojara {

namespace {

struct Key {
  const char* section;
  const char* key;
  std::string name() const { return std::string(section) + "/" + key; }
};
constexpr Key kScale{"window", "scale"}, kFullScreen{"window", "fullScreen"}, kMusic{"sound", "music"},
    kEffects{"sound", "effects"}, kMuted{"sound", "muted"}, kAttract{"title", "attract"}, kLang{"game", "lang"};

// A binding: a player's key (or controller button) for a command.
struct Slot {
  bool pad;
  int player;
  command::Command command;

  std::string section() const { return (pad ? "pad" : "keys") + std::to_string(player + 1); }
  std::string key() const { return std::string(bindableOf(command).settingName); }
  std::string name() const { return section() + "/" + key(); }
  // A key's code, or a button's number.
  int of(const KeyBindings& b) const {
    return pad ? static_cast<int>(b.button(player, command)) : b.key(player, command);
  }
  KeyBindings::Change bind(KeyBindings& b, int value) const {
    return pad ? b.bindButton(player, command, static_cast<PadButton>(value)) : b.bindKey(player, command, value);
  }
  std::string valueName(int value) const {
    return pad ? std::string(padButtonName(static_cast<PadButton>(value))) : settingsKeyName(value);
  }
  // The value a line names, or none.
  std::optional<int> valueOf(const std::string& name) const {
    if (pad) {
      const auto button = padButtonOf(name);
      return button ? std::optional<int>(static_cast<int>(*button)) : std::nullopt;
    }
    const int code = keyCodeOf(name, true);
    return code > 0 ? std::optional<int>(code) : std::nullopt;
  }
};

constexpr int kSlots = 2 * kPlayers * kBindableCount;
std::array<Slot, kSlots> allSlots() {
  std::array<Slot, kSlots> slots{};
  int i = 0;
  for (bool pad : {false, true})
    for (int player = 0; player < kPlayers; ++player)
      for (const BindableCommand& c : kBindableCommands) slots[i++] = {pad, player, c.command};
  return slots;
}

std::optional<int> slotOf(const SettingsText::Entry& entry) {
  static const std::map<std::pair<std::string, std::string>, int> byName = [] {
    std::map<std::pair<std::string, std::string>, int> names;
    const auto slots = allSlots();
    for (int i = 0; i < kSlots; ++i) names[{slots[i].section(), slots[i].key()}] = i;
    return names;
  }();
  const auto found = byName.find({entry.section, entry.key});
  return found == byName.end() ? std::nullopt : std::optional<int>(found->second);
}

// The bindings as the text holds them, and what each binding's line says.
struct FileBindings {
  KeyBindings bindings = KeyBindings::defaults();
  // Per slot: none without a line, the value its line names, or kUnusable.
  static constexpr int kUnusable = -1;
  std::array<std::optional<int>, kSlots> stated{};
  std::vector<std::string> unusable, moved;
};

FileBindings readBindings(const SettingsText& text) {
  FileBindings file;
  const auto slots = allSlots();
  // Each binding's last line, in the file's order.
  const auto entries = text.entries();
  std::map<int, std::size_t> last;
  for (std::size_t e = 0; e < entries.size(); ++e)
    if (auto slot = slotOf(entries[e])) last[*slot] = e;
  std::vector<std::pair<std::size_t, int>> lines;  // (entry, slot)
  for (const auto& [slot, entry] : last) lines.emplace_back(entry, slot);
  std::sort(lines.begin(), lines.end());
  for (const auto& [entry, i] : lines) {
    const Slot& slot = slots[i];
    const auto value = slot.valueOf(entries[entry].value);
    if (value && slot.bind(file.bindings, *value).done) {
      file.stated[i] = *value;
    } else {
      file.stated[i] = FileBindings::kUnusable;
      file.unusable.push_back(slot.name());
    }
  }
  const KeyBindings defaults = KeyBindings::defaults();
  for (int i = 0; i < kSlots; ++i) {
    const int said = file.stated[i].value_or(FileBindings::kUnusable);
    if (slots[i].of(file.bindings) != (said == FileBindings::kUnusable ? slots[i].of(defaults) : said))
      file.moved.push_back(slots[i].name());
  }
  return file;
}

std::string boolText(bool value) { return value ? "true" : "false"; }

}  // namespace

std::ostream& operator<<(std::ostream& out, const Settings& s) {
  out << kScale.key << '=';
  if (s.scale)
    out << *s.scale;
  else
    out << "(the largest that fits)";
  out << ' ' << kFullScreen.key << '=' << boolText(s.fullScreen) << ' ' << kMusic.key << '=' << s.music << ' '
      << kEffects.key << '=' << s.effects << ' ' << kMuted.key << '=' << boolText(s.muted) << ' '
      << kAttract.key << '=' << boolText(s.attract) << ' ' << kLang.key << '=' << s.lang << ' ';
  return out << s.bindings;
}

SettingsReading readSettings(const SettingsText& text) {
  SettingsReading read;
  Settings& s = read.settings;
  std::vector<std::string> unusable;
  const auto readInt = [&](const Key& key, int lowest, int highest, auto set) {
    const auto value = text.get(key.section, key.key);
    if (!value) return;
    const auto number = parseInteger<int>(*value);
    if (number && *number >= lowest && *number <= highest)
      set(*number);
    else
      read.unusable.push_back(key.name());
  };
  const auto readBool = [&](const Key& key, bool& into) {
    const auto value = text.get(key.section, key.key);
    if (!value) return;
    std::string lower = *value;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower == "true" || lower == "1")
      into = true;
    else if (lower == "false" || lower == "0")
      into = false;
    else
      read.unusable.push_back(key.name());
  };
  readInt(kScale, 1, Settings::kMaxScale, [&s](int v) { s.scale = v; });
  readBool(kFullScreen, s.fullScreen);
  readInt(kMusic, 0, Settings::kLevelSteps, [&s](int v) { s.music = v; });
  readInt(kEffects, 0, Settings::kLevelSteps, [&s](int v) { s.effects = v; });
  readBool(kMuted, s.muted);
  readBool(kAttract, s.attract);
  FileBindings bindings = readBindings(text);
  s.bindings = bindings.bindings;
  read.unusable.insert(read.unusable.end(), bindings.unusable.begin(), bindings.unusable.end());
  read.moved = std::move(bindings.moved);
  if (const auto lang = text.get(kLang.section, kLang.key)) {
    if (isLanguage(*lang))
      s.lang = *lang;
    else
      read.unusable.push_back(kLang.name());
  }
  read.unreadLines = text.unreadLines();
  return read;
}

void writeChange(SettingsText& text, const Settings& before, const Settings& after) {
  const auto put = [&text](const Key& key, const std::string& value) { text.set(key.section, key.key, value); };
  if (after.scale != before.scale) {
    if (after.scale)
      put(kScale, std::to_string(*after.scale));
    else
      text.remove(kScale.section, kScale.key);
  }
  if (after.fullScreen != before.fullScreen) put(kFullScreen, boolText(after.fullScreen));
  if (after.music != before.music) put(kMusic, std::to_string(after.music));
  if (after.effects != before.effects) put(kEffects, std::to_string(after.effects));
  if (after.muted != before.muted) put(kMuted, boolText(after.muted));
  if (after.attract != before.attract) put(kAttract, boolText(after.attract));
  if (after.lang != before.lang) put(kLang, after.lang);

  const KeyBindings defaults = KeyBindings::defaults();
  const bool backToDefaults = after.bindings == defaults && before.bindings != defaults;
  const FileBindings file = readBindings(text);
  KeyBindings merged = file.bindings;
  const auto slots = allSlots();
  std::array<bool, kSlots> changed{};
  for (int i = 0; i < kSlots; ++i) {
    const Slot& slot = slots[i];
    changed[i] = backToDefaults || slot.of(after.bindings) != slot.of(before.bindings);
    if (changed[i]) slot.bind(merged, slot.of(after.bindings));
  }
  for (int i = 0; i < kSlots; ++i) {
    const Slot& slot = slots[i];
    const int holds = slot.of(merged), byDefault = slot.of(defaults);
    const std::optional<int> said = file.stated[i];
    const bool rewrite = changed[i] || (said ? (*said == FileBindings::kUnusable ? holds != byDefault : holds != *said)
                                             : holds != byDefault);
    if (!rewrite) continue;
    if (holds == byDefault)
      text.remove(slot.section(), slot.key());
    else
      text.set(slot.section(), slot.key(), slot.valueName(holds));
  }
}

}  // namespace mojara
