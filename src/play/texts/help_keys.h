// The keys in effect beneath the help's controls topic: the topic is the game's own text and names
// the default keys, so once the player has rebound any key or button the window adds, after it,
// each command's key and button for both players. Only what the window shows changes, never the
// help's own control.
#pragma once

#include <string>
#include <vector>

#include "play/input/key_bindings.h"
#include "play/texts/wording.h"

namespace mojara {

// Whether `text` is the help's controls topic, as its text box holds it.
bool isControlsTopic(const std::string& text);
// The lines to add beneath it (the first one blank), each in the game's words; none while the
// bindings are the defaults.
std::vector<Wording> keysInEffect(const KeyBindings& bindings);

}  // namespace mojara
