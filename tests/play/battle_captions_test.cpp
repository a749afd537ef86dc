// The battle window's messages in another language, made from the fight's numbers: each line
// takes its catalogue entry, its number and its plural form; a catalogue without the entries
// gives the window's own captions, at every event of real fights.
#include "play/battle_captions.h"

#include <gtest/gtest.h>

#include <map>

#include "app/fight_setup.h"
#include "game_fixture.h"

namespace mojara::testing {
namespace {

using battle::Headline;
using battle::Message;

CaptionTranslator::Lookup catalogueOf(std::map<std::string, std::string> entries) {
  return [entries = std::move(entries)](const std::string& original,
                                        std::optional<unsigned long> count) -> std::optional<std::string> {
    const auto it = entries.find(original);
    if (it == entries.end()) return std::nullopt;
    // One plural form of its own: the hit counter's, for any count but one.
    if (original == "{n}ＨＩＴ！！" && count && *count != 1) return "{n} HITS!!";
    return it->second;
  };
}

const CaptionTranslator kEnglish(catalogueOf({
    {"{n}ＨＩＴ！！", "{n} HIT!!"},
    {"Ｔｉｍｅ　Ｕｐ！", "Time Up!"},
    {"Ｋ．Ｏ．！！", "K.O.!!"},
    {"ＬＩＦＥ：{n}", "LIFE: {n}"},
    {"ＴＩＭＥ：{n}", "TIME: {n}"},
    {"{n}Ｐ{name}", "{n}P {name}"},
    {"{n}Ｐ", "{n} PTS"},
    {"ＴＩＭＥ", "TIME"},
    {"ＴＩＭＥ９９", "TIME\n99"},
    {"だいさく", "Daisaku"},
}));
const CaptionTranslator kNoEntries(catalogueOf({}));

TEST(BattleCaptions, EachLineTakesItsEntryWithItsNumber) {
  const struct {
    Message message;
    std::string shown;
  } messages[] = {
      {{}, ""},
      {{Headline::Hits, 1}, "1 HIT!!"},
      {{Headline::Hits, 12}, "12 HITS!!"},
      {{Headline::TimeUp}, "Time Up!"},
      {{Headline::KnockOut, 0, true, 30000, 9900}, "K.O.!!\nLIFE: 30000\nTIME: 9900"},
      {{Headline::TimeUp, 0, true, 0, -4}, "Time Up!\nLIFE: 0\nTIME: -4"},
      // The bonuses go under whatever the headline says, none included.
      {{Headline::Hits, 3, true, 5, 6}, "3 HITS!!\nLIFE: 5\nTIME: 6"},
      {{Headline::None, 0, true, 5, 6}, "\nLIFE: 5\nTIME: 6"},
  };
  for (const auto& [message, shown] : messages) EXPECT_EQ(messageCaption(message, kEnglish), shown);
  EXPECT_EQ(nameCaption(0, "だいさく", 0, kEnglish), "1P Daisaku\n0 PTS");
  EXPECT_EQ(nameCaption(1, "新人", INT32_MAX, kEnglish), "2P 新人\n2147483647 PTS")
      << "a name it has no entry for";
  EXPECT_EQ(clockCaption(battle::kClockDesign, kEnglish), "TIME\n99");
  EXPECT_EQ(clockCaption(0, kEnglish), "TIME\n0");
  EXPECT_EQ(clockCaption(-1, kEnglish), "TIME\n-1");
  EXPECT_EQ(clockCaption(battle::kClockDesign, kNoEntries), "ＴＩＭＥ９９");
}

struct FightCase {
  std::int32_t player, opponent;
  std::uint64_t seed;
  bool timeUp;  // the clock is cut short and nobody can fall
  Headline ends;
};

void PrintTo(const FightCase& c, std::ostream* out) {
  *out << c.player << " against " << c.opponent << ", seed " << c.seed
       << (c.timeUp ? ", clock cut short" : "");
}

struct BattleCaptionsInAFight : GameTest, ::testing::WithParamInterface<FightCase> {
  // Every label the window makes from the fight reads as the window wrote it.
  void checkEveryLabel(const std::string& when) {
    SCOPED_TRACE(when);
    for (const forms::Control* control : game.battle.controls()) {
      if (control->Kind != forms::ControlKind::Label) continue;
      const auto& label = static_cast<const forms::Label&>(*control);
      const std::optional<std::string> made = battleCaption(game, label, kNoEntries);
      if (!made) continue;
      std::string caption = label.Caption;
      for (std::size_t at; (at = caption.find("\r\n")) != std::string::npos;) caption.erase(at, 1);
      EXPECT_EQ(*made, caption) << label.Name << " " << label.Index;
      ++checked;
    }
  }
  int checked = 0;
};

TEST_P(BattleCaptionsInAFight, WithoutEntriesTheyAreTheWindowsOwnCaptionsAtEveryEvent) {
  const FightCase c = GetParam();
  FightSetup fight = practiceFight(c.player, c.opponent);
  fight.demo = true;
  fight.seed = c.seed;
  fight.score = {123456, 7};
  game.startFight(fight, AfterFight::Stop);
  int maxHits = 0;
  checkEveryLabel("the load");
  EXPECT_EQ(checked, 4) << "the message, both name labels and the clock";
  for (int event = 0; event < 3000 && !game.fightStopped(); ++event) {
    run(55);
    if (!game.battle.loaded()) break;
    if (c.timeUp && game.battle.fight().phase == battle::Phase::Live && game.battle.fight().CLOCK > 300) {
      game.battle.fight().CLOCK = 300;
      game.battle.fight().LIFE[0] = game.battle.fight().LIFE[1] = 100000;
    }
    // A pause and its end in the middle of the fight.
    if (event == 200 || event == 203) v.desktop.keyDown(game.battle, forms::vk::Space, 0);
    checkEveryLabel("event " + std::to_string(event));
    if (game.battle.loaded()) maxHits = std::max(maxHits, game.battle.fight().message.hits);
  }
  EXPECT_TRUE(game.fightStopped()) << "the fight did not end";
  const Message& last = game.battle.fight().message;
  EXPECT_EQ(last.headline, c.ends);
  EXPECT_TRUE(last.result);
  EXPECT_GE(maxHits, 2) << "no combo";
  // Labels of other windows are not the battle's.
  game.start();
  for (const forms::Control* control : game.title.controls()) {
    if (control->Kind != forms::ControlKind::Label) continue;
    EXPECT_EQ(battleCaption(game, static_cast<const forms::Label&>(*control), kEnglish), std::nullopt);
  }
}

INSTANTIATE_TEST_SUITE_P(DemoFights, BattleCaptionsInAFight,
                         ::testing::Values(FightCase{0, 3, 7, false, Headline::TimeUp},
                                           FightCase{4, 2, 11, false, Headline::KnockOut},
                                           FightCase{6, 7, 5, true, Headline::TimeUp}));

}  // namespace
}  // namespace mojara::testing
