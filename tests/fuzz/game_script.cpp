// Game scripts of mojara-sim game: every line read, written again in the script's own syntax
// (its time and actionText, as the runner's input lines give them), reads back the same; a bad
// script is a ScriptError naming its line.
#include <cinttypes>
#include <tuple>

#include "fuzz_target.h"
#include "play/input/input_file.h"
#include "play/input/input_script.h"

using namespace mojara;

namespace {

// Everything a line says but the number of the line it stood on.
auto meaning(const ScriptLine& l) { return std::tie(l.at, l.action, l.form, l.control, l.index, l.number, l.text); }

bool same(const std::vector<ScriptLine>& a, const std::vector<ScriptLine>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (meaning(a[i]) != meaning(b[i])) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::textOf(data, size);
  std::vector<ScriptLine> script;
  try {
    script = readGameScript(text);
  } catch (const ScriptError& e) {
    fuzz::require(fuzz::namesALine(e.what(), splitLines(text).size()), "a script's error names one of its lines");
    return 0;
  }
  std::string written;
  for (const ScriptLine& line : script) {
    char time[32];  // times are whole microseconds
    std::snprintf(time, sizeof time, "%" PRId64 ".%03" PRId64 " ", line.at / 1'000'000, line.at / 1000 % 1000);
    written += time + actionText(line) + "\n";
  }
  fuzz::require(same(readGameScript(written), script), "a script written from what was read reads back the same");
  return 0;
}
