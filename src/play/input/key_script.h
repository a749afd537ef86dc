// Key presses by timer event: a line "EVENT KEY" each (or "EVENT 2:KEY" for a key of the second
// player in a two-player fight), the press coming just before that timer event of the battle
// window. Keys files, replays and the windowed replay all read and deliver
// them through this one place.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace mojara::forms {
class Desktop;
class Form;
}  // namespace mojara::forms

namespace mojara {

struct KeyPress {
  long long event;  // the battle window's timer event the press comes just before (from 1)
  int code;         // virtual-key code (for the second player: player 1's key of the same command)
  int player = 0;   // 0 the first player, 1 the second
  bool operator==(const KeyPress&) const = default;
};
std::ostream& operator<<(std::ostream& out, const KeyPress& press);  // as its key line: "51 A", "5 2:LEFT"

// Whether any of the presses is the second player's.
bool anySecondPlayerKey(const std::vector<KeyPress>& keys);

// Delivers a press to the window as a key-down of its player.
void pressKey(forms::Desktop& desktop, forms::Form& form, const KeyPress& press);

// Reads `lines` from index `first` on as key lines; blank lines and lines starting with # are
// skipped. A bad line throws InputError "line N: ..." (N counting the lines from 1).
std::vector<KeyPress> readKeyLines(const std::vector<std::string>& lines, std::size_t first = 0);

// The lines of a keys file for these presses.
std::string keyLinesText(const std::vector<KeyPress>& keys);

// Hands the presses out in order, each just before its timer event.
class KeyFeed {
 public:
  explicit KeyFeed(std::vector<KeyPress> keys) : keys_(std::move(keys)) {}

  // Calls press(keyPress) for every press that comes just before timer event `event`, in file order;
  // presses for events that have passed without them are dropped.
  template <class Press>
  void deliverBefore(long long event, Press&& press) {
    for (; next_ < keys_.size() && keys_[next_].event <= event; ++next_)
      if (keys_[next_].event == event) press(keys_[next_]);
  }

 private:
  std::vector<KeyPress> keys_;
  std::size_t next_ = 0;
};

}  // namespace mojara
