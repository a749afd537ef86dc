// The battle window: one fight between side 0 (the player) and side 1 (the computer), run by
// three timers: Timer3 the opening, Timer1 the battle tick, Timer2 the closing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/game_form.h"
#include "battle/move_table.h"
#include "forms/controls.h"

namespace mojara {

struct BattleControls {
  BattleControls();
  std::vector<forms::Control*> list();

  std::array<forms::PictureBox, 2> WAKU{forms::PictureBox{"WAKU", {0, 0, 3270, 1065}, 0},
                                        forms::PictureBox{"WAKU", {4305, 0, 3270, 1065}, 1}};
  std::array<forms::Label, 2> WAKUN{forms::Label{"WAKUN", {0, 0, 3165, 435}, 0},
                                    forms::Label{"WAKUN", {0, 0, 3165, 435}, 1}};
  std::array<forms::Shape, 2> POWMATA{forms::Shape{"POWMATA", {0, 735, 2325, 120}, 0},
                                      forms::Shape{"POWMATA", {0, 735, 2325, 120}, 1}};
  std::array<forms::Shape, 2> POWMAX{forms::Shape{"POWMAX", {0, 735, 3165, 120}, 0},
                                     forms::Shape{"POWMAX", {0, 735, 3165, 120}, 1}};
  std::array<forms::Shape, 2> LIFEMATA{forms::Shape{"LIFEMATA", {0, 525, 2325, 225}, 0},
                                       forms::Shape{"LIFEMATA", {0, 525, 2325, 225}, 1}};
  std::array<forms::Shape, 2> LIFEMAX{forms::Shape{"LIFEMAX", {0, 525, 3165, 225}, 0},
                                      forms::Shape{"LIFEMAX", {0, 525, 3165, 225}, 1}};
  forms::SoundSlot MMControl3{"MMControl3"};
  forms::SoundSlot MMControl2{"MMControl2"};
  forms::SoundSlot MMControl1{"MMControl1"};
  forms::Image Image1{"Image1", {0, 0, 7680, 5265}};
  forms::Label Label3{"Label3", {1995, 2100, 3690, 1800}};
  forms::Label Label2{"Label2", {2415, 1365, 2760, 720}};
  forms::Shape Shape1{"Shape1", {2415, 4935, 855, 330}};
  std::array<forms::Image, 2> GAZOU{forms::Image{"GAZOU", {2415, 3885, 855, 1065}, 0},
                                    forms::Image{"GAZOU", {4305, 3885, 855, 1065}, 1}};
  forms::Label ZIKAN{"ZIKAN", {3360, 105, 915, 645}};
  forms::Label Label1{"Label1", {0, 4935, 7680, 330}};
  forms::Timer Timer3{"Timer3", 1, true};
  forms::Timer Timer2{"Timer2", 1, false};
  forms::Timer Timer1{"Timer1", 1, false};
};

class Form2 : public GameForm<BattleControls> {
 public:
  explicit Form2(Program& program);

  // Window variables: they live as long as the window object, so what Form_Load does not set
  // carries over from the last fight.
  BySide<std::int32_t> SHOWLIFE, SHOWPOW, MOVEDMG;
  std::int32_t CLOCK = 0;     // hundredths of a displayed second
  std::int32_t HITCOUNT = 0;  // hits of the current combo
  std::int32_t HITSIDE = 0;   // side that received the last hit
  std::int32_t SEQTICK = 0;   // events of the opening and the closing
  std::int32_t INPUTON = 0;   // 1: side 0 takes the player's keys
  std::int32_t KEYCMD = 0;    // the player's pending command code
  // Two-player play: side 1 takes the second player's keys instead of drawing its commands.
  std::int32_t INPUTON2 = 0;  // 1: side 1 takes the second player's keys (set after the load)
  std::int32_t KEYCMD2 = 0;   // the second player's pending command code
  std::int32_t DMGTALLY = 0;  // damage tally of the current combo

  void Form_Load() override;
  void Form_Unload() override;
  void Form_KeyDown(int keyCode, int shift);
  // The second player's key: the same rules as the first player's, for side 1's command.
  void secondPlayerKeyDown(int keyCode);
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();

  // The battle procedures; each works on the side in IX and leaves IX as it found it.
  void patan();
  void CPU();
  void DAMI();
  void GOOD();

  // The hit test for side IX: its striking picture's front edge inside the other side's box.
  bool hitTest() const;

 private:
  void onKeyDown(int keyCode, int shift) override { Form_KeyDown(keyCode, shift); }
  void onSecondPlayerKeyDown(int keyCode) override { secondPlayerKeyDown(keyCode); }
  void takeKey(int keyCode, std::int32_t& pending);
  void onTimer(forms::Timer& timer) override;

  void liveTick();
  void extraStep(battle::Extra extra);  // what a step row does besides moving (patan)
  // One side's turn in a live tick.
  void liveSide(std::int32_t s);
  // The bodies of CPU, patan and hitTest for side s (which IX holds too), in line for the tick
  // (steps.h).
  void stepCommand(std::int32_t s);
  void stepMoves(std::int32_t s);
  bool strikeConnects(std::int32_t s) const;
  void finishingTick();
  void gaugeStep(std::int32_t s);      // life and power gauges of side s step toward LIFE and POW
  void showNameLabel(std::int32_t s);  // WAKUN(s): side number, name, points
  void composeNameLabel();
  void showClock();      // ZIKAN: the clock's whole seconds
  void composeClock(std::int64_t seconds);
  std::int32_t spriteIndex(std::int32_t side) const;  // the store picture of its POSE
  void placeSprite(std::int32_t side);
  void placeSpriteAfterCommand(std::int32_t side);
  void togglePause();
  void play(forms::SoundSlot& slot, std::string_view file);

  // What the name labels and the clock show, so that a caption is composed again only when what
  // it shows changes (the names and the line break stay as the load set them for the whole fight).
  static constexpr std::int64_t kNothingShown = INT64_MIN;
  std::array<std::int64_t, 2> shownPoints_{kNothingShown, kNothingShown};
  std::int64_t shownSeconds_ = kNothingShown;
  std::string soundFolder_;  // the program's folder, where the sound files are
};

}  // namespace mojara
