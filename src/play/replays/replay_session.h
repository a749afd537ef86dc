// Recording fights as they are played, and playing a recorded fight again in the window.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/form.h"
#include "game/game.h"
#include "play/replays/recording_file.h"
#include "play/replays/replay.h"

namespace mojara {

// What the player is shown when a fight's replay cannot be written (the game's own Japanese; the
// catalogues translate it).
inline constexpr const char* kReplayNotSavedNotice = "リプレイを保存できませんでした";
// And when a replay no longer agrees with its recording.
inline constexpr const char* kReplayDisagreesNotice = "リプレイが記録と食い違ったので、そこで止めました";

// Writes a replay file for every fight played: the fight's set-up with the seed its load drew,
// and every key press with the number of the timer event it came before, each appended as a whole
// line as it happens, then the line that says how the fight ended.
class ReplayRecorder : public FightObserver {
 public:
  // `warn` is told, once, when a replay file cannot be written (which file, and why); the game
  // goes on, and that fight's file keeps what was written, to be played as far as it goes.
  ReplayRecorder(Game& game, std::string path, std::function<void(const std::string&)> warn);
  ~ReplayRecorder() override { game_.removeObserver(*this); }

  void fightStarting(const FightSetup& fight) override;
  void eventRan(long long event) override;
  void fightOver(Window next) override;
  // A key press of `player` (0 or 1) about to be delivered to `form`.
  void keyPressed(const forms::Form& form, int code, int player = 0);
  // The program is ending (a window closed, a signal, the display lost): a fight still being
  // played is ended as far as it went, to be replayed up to there.
  void programEnding();

  // An online fight, from its start to its end: the keys this window is handed and the events it
  // shows are not the fight's (the other player's presses come late, and events are run again),
  // so the session gives instead, in order, each event both players have confirmed, with the
  // presses of both that came before it and the fight's state checksum after it. Both players'
  // files are then the same file.
  void followConfirmed();
  void confirmed(long long event, const std::vector<KeyPress>& presses, std::uint64_t checksum);
  // The online fight ended without a result after the last event confirmed (the other player is
  // gone, or the two fights parted).
  void cutShort();

 private:
  // Appends `text` to the fight's file; when it cannot, that file is written no more.
  void append(const std::string& text);
  // The fight's last event's checksum (unless it was just written) and the end line.
  void finish(const std::string& endLine);
  // The fight's file could not be opened or written: it is closed, and the player told once.
  void fail();
  // The events the fight has run, and its checksum now: the battle window's, or online the last
  // confirmed.
  long long eventsRun() const;
  std::uint64_t checksumNow() const;

  Game& game_;
  std::string path_;
  std::function<void(const std::string&)> warn_;
  bool recording_ = false;
  bool warned_ = false;
  int fights_ = 0;
  long long checkedAfter_ = -1;  // the event whose checksum was written last
  bool online_ = false;          // the fight's events come from the session (followConfirmed)
  long long confirmed_ = 0;      // online: the last event confirmed, and the checksum after it
  std::uint64_t confirmedChecksum_ = 0;
  std::string fightPath_;
  RecordingFile file_;
};

// What a replay that stopped agreeing with its recording says: the event after which its state
// checksum first differed (checks[failed] is that check), and the last check it passed.
std::string disagreement(long long event, const std::vector<StateCheck>& checks, std::size_t failed);

// Where a replay played in the window goes when it is over.
enum class AfterReplay {
  EndProgram,  // the program ends (a replay asked for on the command line)
  Title,       // the title window opens afresh (a replay started while the game is on its title)
};

// Plays one recorded fight in the battle window: the same start, the same seed, the same keys at
// the same timer events. The player's own keys are not taken while it plays; Escape ends it. At
// its end (the fight's hand-over, where the recording was cut short, or Escape) the program ends,
// or the title comes back. A replay that stops agreeing with its recording says so in a message
// box before the program ends, or in the front end's notice over the title.
class ReplayPlayer : public FightObserver {
 public:
  // `disagree` is told, once, when the fight comes to another state checksum than the recording
  // gives: it is then another fight, and the replay ends there.
  ReplayPlayer(Game& game, RecordedFight fight, AfterReplay after = AfterReplay::EndProgram,
               std::function<void(const std::string&)> disagree = {});
  ~ReplayPlayer() override { game_.removeObserver(*this); }

  // Starts the fight (the title, if open, closes while it plays).
  void start();
  bool playing() const { return playing_; }
  // Whether a real key press may go to the game: none while the replay plays (Escape ends it);
  // every one once it has ended on the title.
  bool takeKey(int code);
  // After every timer event: the recorded keys that come before the battle's next event.
  void timerFired();

  void eventRan(long long event) override;
  void fightOver(Window next) override;
  // The event after which the replay stopped agreeing with the recording, if it did.
  const std::optional<long long>& disagreedAfter() const { return disagreedAfter_; }

 private:
  void end();
  // Where the replay stopped agreeing: said in a message box, and the program ends when it closes.
  void sayDisagreed();

  Game& game_;
  FightSetup fight_;
  KeyFeed keys_;
  std::vector<StateCheck> checks_;
  std::size_t nextCheck_ = 0;
  std::optional<long long> disagreedAfter_;
  std::function<void(const std::string&)> disagree_;
  std::optional<long long> cutShortAfter_;  // the replay ends there, as the recording did
  AfterReplay after_;
  bool playing_ = false;
};

}  // namespace mojara
