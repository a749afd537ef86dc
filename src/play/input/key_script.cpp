#include "play/input/key_script.h"

#include <algorithm>
#include <ostream>
#include <sstream>

#include "forms/desktop.h"
#include "play/options/cli_numbers.h"
#include "play/input/input_file.h"
#include "play/input/key_names.h"

namespace mojara {

namespace {
constexpr std::string_view kSecondPlayer = "2:";  // before a key of the second player
}  // namespace

std::vector<KeyPress> readKeyLines(const std::vector<std::string>& lines, std::size_t first) {
  std::vector<KeyPress> keys;
  for (std::size_t i = first; i < lines.size(); ++i) {
    std::istringstream words(lines[i]);
    std::string event, key, extra;
    if (!(words >> event) || event[0] == '#') continue;
    const std::string where = "line " + std::to_string(i + 1) + ": ";
    if (!(words >> key) || (words >> extra)) throw InputError(where + "expected 'EVENT KEY'");
    const auto e = parseInteger<long long>(event);
    if (!e) throw InputError(where + "bad event number " + quote(event));
    if (*e < 1) throw InputError(where + "event number " + event + " is below 1");
    if (!keys.empty() && *e < keys.back().event)
      throw InputError(where + "lines are not sorted by event number");
    const int player = key.starts_with(kSecondPlayer) ? 1 : 0;
    const int code = keyCodeOf(key.substr(player ? kSecondPlayer.size() : 0), false);
    if (code < 0) throw InputError(where + "unknown key " + quote(key));
    keys.push_back({*e, code, player});
  }
  return keys;
}

std::string keyLinesText(const std::vector<KeyPress>& keys) {
  std::string text;
  for (const KeyPress& k : keys)
    text += std::to_string(k.event) + ' ' + (k.player ? std::string(kSecondPlayer) : "") + keyNameOf(k.code) + '\n';
  return text;
}

std::ostream& operator<<(std::ostream& out, const KeyPress& press) {
  const std::string line = keyLinesText({press});
  return out << line.substr(0, line.size() - 1);
}

bool anySecondPlayerKey(const std::vector<KeyPress>& keys) {
  return std::any_of(keys.begin(), keys.end(), [](const KeyPress& k) { return k.player != 0; });
}

void pressKey(forms::Desktop& desktop, forms::Form& form, const KeyPress& press) {
  if (press.player)
    desktop.secondPlayerKeyDown(form, press.code);
  else
    desktop.keyDown(form, press.code);
}

}  // namespace mojara
