// The battle window's messages in another language, made from the fight's numbers: each line
// takes its catalogue entry, its number and its plural form; a catalogue without the entries
// gives the window's own captions, at every event of real fights.
#include "play/texts/battle_captions.h"

#include <gtest/gtest.h>

#include <map>

#include "app/fight_setup.h"
#include "game_fixture.h"

namespace mojara::testing {
namespace {

using battle::Headline;

CaptionTranslator catalogueOf(std::map<std::string, std::string> entries) {
  return CaptionTranslator(
      [entries = std::move(entries)](const std::string& original,
                                     std::optional<unsigned long> count) -> std::optional<std::string> {
        const auto it = entries.find(original);
        if (it == entries.end()) return std::nullopt;
        if (original == "{n}ＨＩＴ！！" && count && *count != 1) return "{n} HITS!!";  // its plural form
        return it->second;
      });
}

TEST(BattleCaptions, EachLineTakesItsEntryWithItsNumber) {
  const CaptionTranslator english = catalogueOf({{"{n}ＨＩＴ！！", "{n} HIT!!"},
                                                 {"Ｋ．Ｏ．！！", "K.O.!!"},
                                                 {"ＬＩＦＥ：{n}", "LIFE: {n}"},
                                                 {"ＴＩＭＥ：{n}", "TIME: {n}"},
                                                 {"{n}Ｐ{name}", "{n}P {name}"},
                                                 {"ＴＩＭＥ", "TIME"}});
  const std::pair<battle::Message, std::string> messages[] = {
      {{}, ""},
      {{Headline::Hits, 1}, "1 HIT!!"},
      {{Headline::Hits, 12}, "12 HITS!!"},
      {{Headline::KnockOut, 0, true, 30000, -4}, "K.O.!!\nLIFE: 30000\nTIME: -4"},
      {{Headline::None, 0, true, 5, 6}, "\nLIFE: 5\nTIME: 6"},  // under whatever the headline says
  };
  for (const auto& [message, shown] : messages) EXPECT_EQ(messageCaption(message, english), shown);
  // A name, or a form, it has no entry for is as the game writes it.
  EXPECT_EQ(nameCaption(1, "新人", INT32_MAX, english), "2P 新人\n2147483647Ｐ");
  EXPECT_EQ(clockCaption(-1, english), "TIME\n-1");
  EXPECT_EQ(clockCaption(battle::kClockDesign, english), "ＴＩＭＥ９９");
}

struct FightCase {
  std::int32_t player, opponent;
  std::uint64_t seed;
  Headline ends;
};

void PrintTo(const FightCase& c, std::ostream* out) {
  *out << c.player << " against " << c.opponent << ", seed " << c.seed;
}

struct BattleCaptionsInAFight : GameTest, ::testing::WithParamInterface<FightCase> {
  const CaptionTranslator noEntries = catalogueOf({});
  int checked = 0;
  // Every label the window makes from the fight reads as the window wrote it.
  void checkEveryLabel(const forms::Form& form, const std::string& when) {
    for (const forms::Control* control : form.controls()) {
      if (control->Kind != forms::ControlKind::Label) continue;
      const auto& label = static_cast<const forms::Label&>(*control);
      const std::optional<std::string> made = battleCaption(game, label, noEntries);
      if (!made) continue;
      std::string caption = label.Caption;
      for (std::size_t at; (at = caption.find("\r\n")) != std::string::npos;) caption.erase(at, 1);
      EXPECT_EQ(*made, caption) << label.Name << " " << label.Index << ", " << when;
      ++checked;
    }
  }
};

TEST_P(BattleCaptionsInAFight, WithoutEntriesTheyAreTheWindowsOwnCaptionsAtEveryEvent) {
  const FightCase c = GetParam();
  FightSetup fight = practiceFight(c.player, c.opponent);
  fight.demo = true;
  fight.seed = c.seed;
  fight.score = {123456, 7};
  game.startFight(fight, AfterFight::Stop);
  checkEveryLabel(game.battle, "the load");
  EXPECT_EQ(checked, 4) << "the message, both name labels and the clock";
  int mostHits = 0;
  for (int event = 0; event < 3000 && game.battle.loaded(); ++event) {
    run(55);
    // A pause and its end in the middle of the fight.
    if (event == 200 || event == 203) v.desktop.keyDown(game.battle, forms::vk::Space, 0);
    checkEveryLabel(game.battle, "event " + std::to_string(event));
    mostHits = std::max(mostHits, game.battle.fight().message.hits);
  }
  EXPECT_TRUE(game.fightStopped()) << "the fight did not end";
  EXPECT_EQ(game.battle.fight().message.headline, c.ends);
  EXPECT_TRUE(game.battle.fight().message.result);
  EXPECT_GE(mostHits, 2) << "no combo";
  const int inTheFight = checked;
  game.start();
  checkEveryLabel(game.title, "the title");
  EXPECT_EQ(checked, inTheFight) << "another window's label taken for the battle's";
}

INSTANTIATE_TEST_SUITE_P(DemoFights, BattleCaptionsInAFight,
                         ::testing::Values(FightCase{0, 3, 7, Headline::TimeUp},
                                           FightCase{4, 2, 11, Headline::KnockOut}));

}  // namespace
}  // namespace mojara::testing
