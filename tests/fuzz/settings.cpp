// The settings file: any text reads back byte for byte when nothing is changed; what is read can
// always be played with; a change written onto the text reads back as that change, with every
// other setting as it was, and writing no change leaves the text as it is.
#include <optional>
#include <string>

#include "fuzz_target.h"
#include "play/settings/settings_store.h"
#include "play/settings/settings_text.h"

using namespace mojara;

namespace {

// The change a player makes, picked from the input's own bytes so that an input always makes the
// same one.
Settings changed(Settings settings, std::uint64_t pick) {
  const auto take = [&pick](std::uint64_t count) {
    const auto value = pick % count;
    pick /= count;
    return static_cast<int>(value);
  };
  switch (take(6)) {
    case 0:
      settings.music = take(Settings::kLevelSteps + 1);
      settings.muted = !settings.muted;
      break;
    case 1: {
      const int scale = take(Settings::kMaxScale + 1);
      settings.scale = scale == 0 ? std::nullopt : std::optional<int>(scale);
      settings.fullScreen = !settings.fullScreen;
      break;
    }
    case 2:
      settings.lang = settings.lang == "en" ? "ja" : "en";
      settings.attract = !settings.attract;
      break;
    case 3: {
      // Keys of every kind: letters, digits, the arrows, the number pad's.
      constexpr int kKeys[] = {'A', 'G', 'J', 'Z', '0', '7', 37, 39, 13, 32, 96, 100, 107, 0x100 + 37, 0x100 + 13};
      const int player = take(2);
      const auto command = kBindableCommands[take(kBindableCount)].command;
      settings.bindings.bindKey(player, command, kKeys[take(std::size(kKeys))]);
      break;
    }
    case 4: {
      const int player = take(2);
      const auto command = kBindableCommands[take(kBindableCount)].command;
      settings.bindings.bindButton(player, command, static_cast<PadButton>(take(kPadButtonCount)));
      break;
    }
    default:
      settings.bindings = KeyBindings::defaults();
      break;
  }
  return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::textOf(data, size);
  SettingsText text = SettingsText::parse(input);
  fuzz::require(text.text() == input, "a settings file comes back byte for byte when nothing changes");
  const SettingsReading read = readSettings(text);
  fuzz::require(!read.settings.bindings.problem(), "the bindings read can always be played with");

  std::uint64_t pick = 14695981039346656037ull;  // FNV-1a of the input
  for (std::uint8_t byte : input) pick = (pick ^ byte) * 1099511628211ull;
  const Settings after = changed(read.settings, pick);
  writeChange(text, read.settings, after);
  const std::string written = text.text();
  const SettingsReading again = readSettings(SettingsText::parse(written));
  fuzz::require(again.settings == after, "a change written reads back as that change");
  fuzz::require(again.moved.empty(), "a file written by the game holds no key bound twice");

  SettingsText unchanged = SettingsText::parse(written);
  writeChange(unchanged, after, after);
  fuzz::require(unchanged.text() == written, "writing no change leaves the file as it is");
  return 0;
}
