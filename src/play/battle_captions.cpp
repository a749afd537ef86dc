#include "play/battle_captions.h"

#include "battle/battle_window.h"
#include "game/game.h"

namespace mojara {

namespace {

// The game's words, as the battle window writes them; each is an entry of the catalogue.
constexpr std::string_view kHits = "{n}ＨＩＴ！！";
constexpr std::string_view kTimeUp = "Ｔｉｍｅ　Ｕｐ！";
constexpr std::string_view kKnockOut = "Ｋ．Ｏ．！！";
constexpr std::string_view kLifeBonus = "ＬＩＦＥ：{n}";
constexpr std::string_view kTimeBonus = "ＴＩＭＥ：{n}";
constexpr std::string_view kSideAndName = "{n}Ｐ{name}";
constexpr std::string_view kPoints = "{n}Ｐ";
constexpr std::string_view kClock = "ＴＩＭＥ";
constexpr std::string_view kClockDesign = "ＴＩＭＥ９９";

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
