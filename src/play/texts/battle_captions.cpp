#include "play/texts/battle_captions.h"

#include "battle/battle_window.h"
#include "battle/battle_words.h"
#include "game/game.h"

namespace mojara {

namespace {

// The catalogue's entries for the battle window's words: the words themselves, or forms of them
// with the numbers and the name they are written with.
const std::string kHits = "{n}" + std::string(battle::kHitsWord);
constexpr std::string_view kTimeUp = battle::kTimeUpWord;
constexpr std::string_view kKnockOut = battle::kKnockOutWord;
const std::string kLifeBonus = std::string(battle::kLifeBonusWord) + "{n}";
const std::string kTimeBonus = std::string(battle::kTimeBonusWord) + "{n}";
const std::string kSideAndName = "{n}" + std::string(battle::kPointsWord) + "{name}";
const std::string kPoints = "{n}" + std::string(battle::kPointsWord);
constexpr std::string_view kClock = battle::kClockWord;
constexpr std::string_view kClockDesign = battle::kClockDesignWord;

}  // namespace

std::string messageCaption(const battle::Message& message, const CaptionTranslator& translator) {
  std::string shown;
  switch (message.headline) {
    case battle::Headline::None:
      break;
    case battle::Headline::Hits:
      shown = translator.compose(kHits, message.hits);
      break;
    case battle::Headline::TimeUp:
      shown = translator.translate(kTimeUp);
      break;
    case battle::Headline::KnockOut:
      shown = translator.translate(kKnockOut);
      break;
  }
  if (message.result) {
    shown.append("\n").append(translator.compose(kLifeBonus, message.lifeBonus));
    shown.append("\n").append(translator.compose(kTimeBonus, message.timeBonus));
  }
  return shown;
}

std::string nameCaption(std::int32_t side, std::string_view name, std::int32_t points,
                        const CaptionTranslator& translator) {
  return translator.compose(kSideAndName, side + 1, name) + "\n" + translator.compose(kPoints, points);
}

std::string clockCaption(std::int32_t seconds, const CaptionTranslator& translator) {
  if (seconds == battle::kClockDesign) return translator.translate(kClockDesign);
  return translator.translate(kClock) + "\n" + std::to_string(seconds);
}

std::optional<std::string> battleCaption(const Game& game, const forms::Label& label,
                                         const CaptionTranslator& translator) {
  const Form2& window = game.battle;
  if (label.Parent != &window || !window.ctl) return std::nullopt;
  const BattleControls& c = *window.ctl;
  const battle::FightState& fight = window.fight();
  if (&label == &c.Label3) return messageCaption(fight.message, translator);
  if (&label == &c.ZIKAN) return clockCaption(fight.secondsShown, translator);
  for (std::int32_t side = 0; side <= 1; ++side)
    if (&label == &c.WAKUN[side])
      return nameCaption(side, game.M.PNAME[side], fight.pointsShown[side], translator);
  return std::nullopt;
}

const std::vector<std::string_view>& battleCaptionEntries() {
  static const std::vector<std::string_view> entries = {
      kHits, kTimeUp, kKnockOut, kLifeBonus, kTimeBonus, kSideAndName, kPoints, kClock, kClockDesign};
  return entries;
}

}  // namespace mojara
