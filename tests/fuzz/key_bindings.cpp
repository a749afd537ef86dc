// Key bindings: from the defaults, any run of changes (a key or a controller button, of either
// player, for any command) leaves bindings the game can use, and a change done binds what was
// asked for.
#include "fuzz_target.h"
#include "play/input/key_bindings.h"

using namespace mojara;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  KeyBindings bindings = KeyBindings::defaults();
  // Four bytes a change: what and whose, the command, and a key code (two bytes) or a button.
  for (std::size_t i = 0; i + 4 <= size; i += 4) {
    const bool button = data[i] & 1;
    const int player = (data[i] >> 1) & 1;
    const auto command = kBindableCommands[data[i + 1] % kBindableCount].command;
    const KeyBindings before = bindings;
    if (button) {
      const auto pressed = static_cast<PadButton>(data[i + 2] % kPadButtonCount);
      const KeyBindings::Change change = bindings.bindButton(player, command, pressed);
      fuzz::require(change.done && bindings.button(player, command) == pressed, "a button is bound where asked");
      fuzz::require(bindings.commandOfButton(player, pressed) == command, "the button commands what it was bound to");
    } else {
      const int code = data[i + 2] | (data[i + 3] << 8);  // every code a key can have
      const KeyBindings::Change change = bindings.bindKey(player, command, code);
      if (!change.done) {
        fuzz::require(bindings == before, "a change refused changes nothing");
      } else {
        fuzz::require(bindings.key(player, command) == code, "a key is bound where asked");
        fuzz::require(bindings.gameKey(code) == GameKey{player, keyOf(command)},
                      "the key is its command's battle key for its player");
      }
    }
    fuzz::require(!bindings.problem(), "bindings changed from the defaults can always be used");
  }
  return 0;
}
