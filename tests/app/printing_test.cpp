// The values the tests compare print as words, never as the bytes Google Test shows otherwise.
#include <gtest/gtest.h>

#include "app/fight_setup.h"
#include "app/module1.h"
#include "app/window.h"
#include "forms/types.h"
#include "play/input/key_bindings.h"
#include "play/replays/replay.h"
#include "play/settings/settings.h"
#include "play/settings/sound_levels.h"

namespace mojara {
namespace {

using ::testing::PrintToString;

TEST(Printing, ComparedValuesReadAsTheGameSaysThem) {
  FightSetup fight = practiceFight(2, 7);
  fight.seed = 11;
  fight.pow = {30, 100};
  fight.versus = true;
  RecordedFight recorded{fight, {{51, 'A'}, {52, forms::vk::Left, 1}}, 75, std::nullopt, {}};
  Module1 M;
  M.LIFE[1] = 320;
  M.BEATEN[8] = 1;
  M.NL = "\r\n";
  const struct {
    std::string printed, expected;
  } cases[] = {
      {PrintToString(fight), "2 7 --seed 11 --speed 5 --pow 30,100 --score 0,0 --versus"},
      {PrintToString(practiceFight(0, 1)), "0 1 (seeded from the clock) --speed 5 --pow 0,0 --score 0,0"},
      {PrintToString(recorded),
       "fight 2 7 --seed 11 --speed 5 --pow 30,100 --score 0,0 --versus, 2 keys: 51 A, 52 2:LEFT, "
       "cut short after event 75"},
      {PrintToString(GameKey{1, forms::vk::Space}), "player 2 key SPACE"},
      {PrintToString(SoundLevels{1, 4, true}), "music 1/8, effects 4/8, muted"},
      {PrintToString(Window::Battle), "Form2"},
      {PrintToString(forms::Rgb{255, 128, 0}), "rgb(255,128,0)"},
      {PrintToString(forms::PictureRef{forms::PictureRef::Source::Store, 100}), "store picture 100"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.printed, c.expected);

  const std::string state = PrintToString(M);
  for (const char* part :
       {"PNAME [\"\",\"\"] ", "LIFE [0,320] ", "BEATEN [0,0,0,0,0,0,0,0,1] ", "NL \"\\r\\n\""})
    EXPECT_NE(state.find(part), std::string::npos) << part << " in " << state;
  Settings settings;
  settings.scale = 3;
  settings.bindings.key(1, command::Kick) = 'U';
  const std::string kept = PrintToString(settings);
  for (const char* part :
       {"scale=3 fullScreen=false music=8 ", "keys2 walkLeft=J ", " kick=U ", "pad2 walkLeft=DPADLEFT"})
    EXPECT_NE(kept.find(part), std::string::npos) << part << " in " << kept;
}

}  // namespace
}  // namespace mojara
