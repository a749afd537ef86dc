// Key names: whatever a name or code reads as, the name written for it reads back as the same
// code, with and without the names only scripts know (ESCAPE, RETURN, F1-F12).
#include "fuzz_target.h"
#include "play/input/key_names.h"

using namespace mojara;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const bool extraNames = data[0] & 1;
  // Any code a key can have...
  const int code = data[1] | (data[2] << 8);
  fuzz::require(keyCodeOf(keyNameOf(code, extraNames), extraNames) == code, "a code's name reads back as the code");
  // ... and any name.
  const std::string name(fuzz::textOf(data + 3, size - 3));
  const int read = keyCodeOf(name, extraNames);
  fuzz::require(read >= -1 && read <= 0xFFFF, "a name reads as a code from 0 to 65535, or as none");
  if (read >= 0)
    fuzz::require(keyCodeOf(keyNameOf(read, extraNames), extraNames) == read, "a name's code reads back as the code");
  return 0;
}
