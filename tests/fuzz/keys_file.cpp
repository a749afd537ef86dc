// Keys files: a file read and written again reads back the same presses; a bad one is an
// InputError naming its line.
#include "fuzz_target.h"
#include "play/input/input_file.h"
#include "play/input/key_script.h"

using namespace mojara;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> lines = splitLines(fuzz::textOf(data, size));
  std::vector<KeyPress> keys;
  try {
    keys = readKeyLines(lines);
  } catch (const InputError& e) {
    fuzz::require(fuzz::namesALine(e.what(), lines.size()), "a keys file's error names one of its lines");
    return 0;
  }
  const std::string written = keyLinesText(keys);
  fuzz::require(readKeyLines(splitLines(written)) == keys, "a keys file written from what was read reads back the same");
  return 0;
}
