// Key names as key files, scripts and replays write them.
#pragma once

#include <string>

namespace mojara {

// Reads a key name or code: a decimal code 0..65535, a letter A..Z (either case), LEFT, UP, RIGHT,
// DOWN, SPACE, and with `allowExtraNames` also ESCAPE, RETURN, F1..F12 and the number pad's keys
// (KP_0..KP_9, KP_ENTER, KP_LEFT, ...: keypadKeyName's names). Returns -1 when it is none of these.
int keyCodeOf(const std::string& name, bool allowExtraNames);

// The name a key file writes for a code: one of the names above (with `extraNames` also ESCAPE,
// RETURN and F1..F12), or the decimal code.
std::string keyNameOf(int code, bool extraNames = false);

// The name of a number-pad key (KP_0 .. KP_9, KP_MULTIPLY, KP_ADD, KP_SUBTRACT, KP_DECIMAL,
// KP_DIVIDE, KP_ENTER, KP_LEFT, KP_UP, KP_RIGHT, KP_DOWN, KP_HOME, KP_END, KP_PAGEUP, KP_PAGEDOWN,
// KP_INSERT, KP_DELETE, KP_CLEAR), or "" for any other code.
std::string keypadKeyName(int code);

// The name the settings file writes for a key: the number pad's by their names, the others as
// keyNameOf with the extra names.
std::string settingsKeyName(int code);

}  // namespace mojara
