#include "play/key_script.h"

#include <sstream>

#include "play/cli_numbers.h"
#include "play/input_file.h"
#include "play/key_names.h"

namespace mojara {

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
    const int code = keyCodeOf(key, false);
    if (code < 0) throw InputError(where + "unknown key " + quote(key));
    keys.push_back({*e, code});
  }
  return keys;
}

std::string keyLinesText(const std::vector<KeyPress>& keys) {
  std::string text;
  for (const KeyPress& k : keys) text += std::to_string(k.event) + ' ' + keyNameOf(k.code) + '\n';
  return text;
}

}  // namespace mojara
