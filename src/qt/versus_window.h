// The versus window (F3 on the title, and after every versus fight): each player picks a fighter
// with their own walk keys (or controller), and either starts the fight with punch or pause;
// Escape or closing the window returns to the title. After a fight it says who won. The select
// window of the campaign is left as it is. Online, each player picks in their own window: this
// machine's player has one row (whichever player's keys are pressed), the other row shows the
// other player's pick as it is heard, and punch or pause says this player is ready (or no longer).
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <utility>

#include "play/input/key_bindings.h"
#include "qt/picture_library.h"
#include "qt/shown_texts.h"

class QPushButton;

namespace mojara::qt {

class OnlinePanel;

class VersusWindow : public QWidget {
 public:
  // `fight` starts a fight of the picks, or returns false when it cannot (the window stays).
  VersusWindow(const PictureLibrary& pictures, const ShownTexts& texts, int scale,
               std::function<bool(int p0, int p1)> fight, std::function<void()> toTitle);

  // The window's size at `scale`.
  static QSize sizeAt(int scale);
  void setBindings(const KeyBindings& bindings) { bindings_ = bindings; }
  // Shows the window with these picks, and the winner of the fight just played if there was one.
  void open(std::pair<int, int> picks, std::optional<int> winner);
  std::pair<int, int> picks() const { return picks_; }
  // Closes the window without going to the title: the one-player game has taken over.
  void dismiss();
  // A key or controller press, as the battle's key of its player (GameKey).
  void gameKey(GameKey key);
  // A controller button that commands nothing here, as the key it stands for outside a fight:
  // Enter starts the fight, Escape goes back to the title, ← and → change `player`'s pick.
  void navigationKey(int player, int keyCode);
  QString resultLine() const;

  // Online: this machine's player has `seat` (0: player 1, the host; 1: player 2). None: both
  // players at this keyboard again.
  void playOnline(std::optional<int> seat);
  std::optional<int> onlineSeat() const { return seat_; }
  // The other player's pick as heard (-1: nothing heard yet) and whether they are ready.
  void showOther(int slot, bool ready);
  bool ready() const { return ready_; }
  void setReady(bool ready);
  // Told when this player's pick or readiness changes online.
  std::function<void(int slot, bool ready)> onlineChanged;
  OnlinePanel& panel() const { return *panel_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QRect portraitBox(int player, int slot) const;
  void startFight();
  void changePick(int player, int slot);
  void showFightButton();

  const PictureLibrary& pictures_;
  const ShownTexts& texts_;
  int scale_;
  std::function<bool(int, int)> fight_;
  std::function<void()> toTitle_;
  KeyBindings bindings_ = KeyBindings::defaults();
  std::pair<int, int> picks_{0, 1};
  std::optional<int> winner_;
  bool leaving_ = false;  // the window closes for a fight, not for the title
  std::optional<int> seat_;  // online: this machine's player's row
  bool ready_ = false;       // online: this player is ready
  bool otherReady_ = false;
  QPushButton* fightButton_ = nullptr;
  QPushButton* titleButton_ = nullptr;
  OnlinePanel* panel_ = nullptr;
};

}  // namespace mojara::qt
