// The battle window: one fight between side 0 (the player) and side 1 (the computer), run by
// three timers: Timer3 the opening, Timer1 the battle tick, Timer2 the closing.
#pragma once

#include <array>
#include <functional>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/game_form.h"
#include "battle/fight.h"
#include "battle/fight_state.h"
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

// The battle window shows a fight: its load makes the fight's value from the shared state, each
// timer event moves it on by the rules, and the window writes it into its controls, plays its
// sounds and beeps, and hands over when the rules say so. Its timers follow the fight's phase.
class Form2 : public GameForm<BattleControls> {
 public:
  explicit Form2(Program& program);

  void Form_Load() override;
  void Form_Unload() override;
  void Form_KeyDown(int keyCode, int shift);
  // The second player's key: the same rules as the first player's, for side 1's command.
  void secondPlayerKeyDown(int keyCode);

  // The fight as it stands. It outlives the window's load, as the window's variables do: the next
  // load starts from it. Changing it shows from the next event on.
  const battle::FightState& fight() const { return fight_; }
  battle::FightState& fight() { return fight_; }
  const battle::FightRules& rules() const { return rules_; }

  // Online, the fight is moved on by the session with the other player, not by the window's
  // timers (which stay off): after the load, this window's keys go to `keys` instead of the rules,
  // the session shows each event (after any going back) with showEvent, and the window hands over
  // when both players have confirmed the end. Until the window unloads.
  void goOnline(std::function<void(int player, int keyCode)> keys);
  bool online() const { return static_cast<bool>(onlineKeys_); }
  // The fight as the session has it now, and what its last event plays (nothing when no event ran).
  void showEvent(const battle::FightState& fight, const battle::FightStep& step);
  void handOver(battle::HandOver handOver);

 private:
  void onKeyDown(int keyCode, int shift) override { Form_KeyDown(keyCode, shift); }
  void onSecondPlayerKeyDown(int keyCode) override { secondPlayerKeyDown(keyCode); }
  void onTimer(forms::Timer& timer) override;
  void press(int player, int keyCode);
  void showStep(const battle::FightStep& step);  // what a step did, into the controls and the slots

  // What the fight says, into the controls: what changed since it was last shown, or everything.
  void show(bool everything);
  void remember(const battle::FightState& fight);  // what show() has now shown
  void showTimers();
  void showNameLabel(std::int32_t side);
  void showMessage();
  void showClock();
  void play(forms::SoundSlot& slot, std::string_view file);
  void playSounds(const battle::FightStep& step);
  void shareFight();  // the fighters' values back into the shared state

  battle::FightState fight_{};
  battle::FightRules rules_{};
  forms::Nanos loadedAt_ = 0;
  std::function<void(int player, int keyCode)> onlineKeys_;
  std::string soundFolder_;  // the program's folder, where the sound files are
  // What the controls show now, of what the fight says.
  struct Shown {
    BySide<std::int32_t> lifeGauge, powGauge, points;
    BySide<battle::Sprite> sprite;
    battle::Phase phase{};
    battle::Banner banner{};
    battle::Message message;
    std::int32_t seconds = 0;
  } shown_;
};

}  // namespace mojara
