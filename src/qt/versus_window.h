// The versus window (F3 on the title, and after every versus fight): each player picks a fighter
// with their own walk keys (or controller), and either starts the fight with punch or pause;
// Escape or closing the window returns to the title. After a fight it says who won. The select
// window of the campaign is left as it is.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <utility>

#include "play/key_bindings.h"
#include "qt/picture_library.h"
#include "qt/shown_texts.h"

class QPushButton;

namespace mojara::qt {

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

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QRect portraitBox(int player, int slot) const;
  void startFight();

  const PictureLibrary& pictures_;
  const ShownTexts& texts_;
  int scale_;
  std::function<bool(int, int)> fight_;
  std::function<void()> toTitle_;
  KeyBindings bindings_ = KeyBindings::defaults();
  std::pair<int, int> picks_{0, 1};
  std::optional<int> winner_;
  bool leaving_ = false;  // the window closes for a fight, not for the title
  QPushButton* fightButton_ = nullptr;
  QPushButton* titleButton_ = nullptr;
};

}  // namespace mojara::qt
