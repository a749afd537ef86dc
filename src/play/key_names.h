// Key names as key files, scripts and replays write them.
#pragma once

#include <string>

namespace mojara {

// Reads a key name or code: a decimal code 0..65535, a letter A..Z (either case), LEFT, UP, RIGHT,
// DOWN, SPACE, and with `allowExtraNames` also ESCAPE, RETURN and F1..F12. Returns -1 when it is
// none of these.
int keyCodeOf(const std::string& name, bool allowExtraNames);

// The name a key file writes for a code: one of the names above (with `extraNames` also ESCAPE,
// RETURN and F1..F12), or the decimal code.
std::string keyNameOf(int code, bool extraNames = false);

}  // namespace mojara
