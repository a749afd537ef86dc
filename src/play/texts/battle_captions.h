// The battle window's messages in a catalogue's language, made from what the fight says: the hit
// count and the result's bonuses (the centre message, Label3), each side's points (the name
// labels, WAKUN) and the seconds shown (the clock, ZIKAN). The window composes its own Japanese
// captions from the same numbers; a front end that shows a translation shows these instead, and
// reads nothing back from the Japanese.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "battle/fight_state.h"
#include "forms/controls.h"
#include "play/texts/caption_translator.h"

namespace mojara {

class Game;

// The centre message: its headline ("5 HITS!!", "K.O.!!", ...), then under it the result's
// bonuses when it has them.
std::string messageCaption(const battle::Message& message, const CaptionTranslator& translator);
// A name label: side `side` (0 or 1) and the fighter's `name`, their `points` under them.
std::string nameCaption(std::int32_t side, std::string_view name, std::int32_t points,
                        const CaptionTranslator& translator);
// The clock, at `seconds` (battle::kClockDesign: as the window is designed, before the fight runs).
std::string clockCaption(std::int32_t seconds, const CaptionTranslator& translator);

// What `label` shows when it is one of the labels the battle window of `game` makes from the
// fight (the message, a name label, the clock): the fight's value and the fighters' names in the
// shared state, in the catalogue's language. Nothing for any other label.
std::optional<std::string> battleCaption(const Game& game, const forms::Label& label,
                                         const CaptionTranslator& translator);

// The catalogue's entries these captions are made of, in the game's words.
const std::vector<std::string_view>& battleCaptionEntries();

}  // namespace mojara
