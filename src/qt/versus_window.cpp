#include "qt/versus_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "app/roster.h"
#include "assets/pictures.h"
#include "forms/types.h"
#include "play/texts/versus_words.h"
#include "qt/centred.h"
#include "qt/key_map.h"
#include "qt/online_panel.h"

namespace mojara::qt {

namespace {

constexpr int kSlots = static_cast<int>(kRoster.size());  // one portrait a roster slot
constexpr int kCell = 36, kMargin = 8, kRowHeight = 66, kTop = 30;  // pixels at scale 1
constexpr int kButtonsTop = kTop + 2 * kRowHeight + 24, kPanelTop = kButtonsTop + 30;
const QColor kPlayerColors[2] = {QColor(220, 0, 0), QColor(0, 64, 220)};

}  // namespace

VersusWindow::VersusWindow(const PictureLibrary& pictures, const ShownTexts& texts, int scale,
                           std::function<bool(int, int)> fight, std::function<void()> toTitle)
    : pictures_(pictures), texts_(texts), scale_(scale), fight_(std::move(fight)), toTitle_(std::move(toTitle)) {
  const VersusWords words = versusWords(std::nullopt, false);
  setWindowTitle(texts_(words.title));
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(12 * scale);
  setFont(font);
  const int width = sizeAt(scale).width();
  const int buttonsTop = kButtonsTop * scale;
  setFixedSize(sizeAt(scale));
  fightButton_ = new QPushButton(texts_(words.fight), this);
  titleButton_ = new QPushButton(texts_(words.back), this);
  fightButton_->setGeometry(kMargin * scale, buttonsTop, width / 2 - 2 * kMargin * scale, 24 * scale);
  titleButton_->setGeometry(width / 2 + kMargin * scale, buttonsTop, width / 2 - 2 * kMargin * scale, 24 * scale);
  // The keys are the players': the buttons take the mouse only.
  fightButton_->setFocusPolicy(Qt::NoFocus);
  titleButton_->setFocusPolicy(Qt::NoFocus);
  setFocusPolicy(Qt::StrongFocus);
  connect(fightButton_, &QPushButton::clicked, this, [this] { startFight(); });
  connect(titleButton_, &QPushButton::clicked, this, &QWidget::close);
  panel_ = new OnlinePanel(texts_, scale, width, this);
  panel_->move(0, kPanelTop * scale);
  move(centredOnScreen(size()));
}

QSize VersusWindow::sizeAt(int scale) {
  return QSize((2 * kMargin + kSlots * kCell) * scale, (kPanelTop + 4) * scale + OnlinePanel::heightAt(scale));
}

void VersusWindow::playOnline(std::optional<int> seat) {
  seat_ = seat;
  // Back at one keyboard, a row whose player was never heard from starts on its own fighter.
  if (!seat_ && picks_.first < 0) picks_.first = 0;
  if (!seat_ && picks_.second < 0) picks_.second = 1;
  ready_ = otherReady_ = false;
  showFightButton();
  update();
}

void VersusWindow::showOther(int slot, bool ready) {
  if (!seat_) return;
  int& other = *seat_ == 0 ? picks_.second : picks_.first;
  if (other == slot && otherReady_ == ready) return;
  other = slot;
  otherReady_ = ready;
  update();
}

void VersusWindow::setReady(bool ready) {
  if (!seat_ || ready_ == ready) return;
  ready_ = ready;
  showFightButton();
  update();
  if (onlineChanged) onlineChanged(*seat_ == 0 ? picks_.first : picks_.second, ready_);
}

void VersusWindow::showFightButton() {
  fightButton_->setText(!seat_ ? texts_(versusWords(std::nullopt, false).fight)
                        : ready_ ? texts_("とりけし")
                                 : texts_("じゅんびOK"));
}

void VersusWindow::open(std::pair<int, int> picks, std::optional<int> winner) {
  picks_ = picks;
  winner_ = winner;
  leaving_ = false;
  update();
  show();
  raise();
  activateWindow();
  // The keys are the players', not the address box's (which Tab or a click reaches).
  setFocus(Qt::OtherFocusReason);
}

QString VersusWindow::resultLine() const {
  return texts_(versusWords(winner_, seat_.has_value()).heading);
}

QRect VersusWindow::portraitBox(int player, int slot) const {
  const int s = scale_;
  return {(kMargin + slot * kCell + 2) * s, (kTop + player * kRowHeight + 16) * s, (kCell - 4) * s, (kCell - 4) * s};
}

void VersusWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int s = scale_;
  p.fillRect(rect(), QColor(255, 192, 192));
  QFont big = font();
  big.setPixelSize(16 * s);
  p.setFont(big);
  p.setPen(winner_ ? kPlayerColors[*winner_] : QColor(0, 0, 0));
  p.drawText(QRect(0, 4 * s, width(), 22 * s), Qt::AlignCenter, resultLine());
  p.setFont(font());
  for (int player = 0; player < 2; ++player) {
    const int pick = player == 0 ? picks_.first : picks_.second;
    const bool theirs = seat_ && *seat_ != player;
    p.setPen(kPlayerColors[player]);
    // Online, this player's row is picked with either player's keys; the other's is only shown.
    const int keysOf = seat_ ? 0 : player;
    QString right = texts_("%1 %2 でえらぶ")
                        .arg(texts_(keyLabel(bindings_.key(keysOf, command::WalkLeft))),
                             texts_(keyLabel(bindings_.key(keysOf, command::WalkRight))));
    if (seat_ && ((theirs && otherReady_) || (!theirs && ready_))) right = texts_("じゅんびOK！");
    else if (theirs) right = texts_("相手");
    const QString name =
        pick >= 0 && pick < kSlots ? texts_(std::string(kRoster[static_cast<std::size_t>(pick)].name)) : QStringLiteral("…");
    p.drawText(QRect(kMargin * s, (kTop + player * kRowHeight) * s, width() - 2 * kMargin * s, 14 * s),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1  %2").arg(texts_(playerName(player)), name));
    p.drawText(QRect(kMargin * s, (kTop + player * kRowHeight) * s, width() - 2 * kMargin * s, 14 * s),
               Qt::AlignRight | Qt::AlignVCenter, right);
    for (int slot = 0; slot < kSlots; ++slot) {
      const QRect box = portraitBox(player, slot);
      if (const QImage* face = pictures_.find(assets::portrait(slot))) p.drawImage(box, *face);
      if (slot == pick) {
        p.setPen(QPen(kPlayerColors[player], 2 * s));
        p.drawRect(box.adjusted(-s, -s, s, s));
      }
    }
  }
  p.setPen(QColor(0, 0, 0));
  const QString punch = texts_(keyLabel(bindings_.key(0, command::Punch)));
  const QString pause = texts_(keyLabel(bindings_.key(0, command::Pause)));
  const QString start = !seat_   ? texts_("%1 か %2 でたたかう・Esc でタイトルへ").arg(punch, pause)
                        : ready_ ? texts_("相手を待っています・%1 でとりけし").arg(punch)
                                 : texts_("%1 か %2 でじゅんびOK・Esc でタイトルへ").arg(punch, pause);
  p.drawText(QRect(0, (kTop + 2 * kRowHeight) * s, width(), 20 * s), Qt::AlignCenter, start);
}

void VersusWindow::gameKey(GameKey key) {
  if (!isVisible()) return;
  const int player = seat_.value_or(key.player);
  const int pick = player == 0 ? picks_.first : picks_.second;
  const std::optional<command::Command> asked = commandOfKey(key.code);
  if (asked == command::WalkLeft)
    changePick(player, (std::max(pick, 0) + kSlots - 1) % kSlots);
  else if (asked == command::WalkRight)
    changePick(player, (pick + 1) % kSlots);
  else if (asked == command::Punch || asked == command::Pause)
    startFight();
}

void VersusWindow::changePick(int player, int slot) {
  // Online, the other player's row is theirs; and a player who said they are ready keeps their
  // pick until they take it back.
  if (seat_ && (player != *seat_ || ready_)) return;
  (player == 0 ? picks_.first : picks_.second) = slot;
  update();
  if (seat_ && onlineChanged) onlineChanged(slot, ready_);
}

void VersusWindow::navigationKey(int player, int keyCode) {
  if (!isVisible()) return;
  if (keyCode == forms::vk::Return) return startFight();
  if (keyCode == forms::vk::Escape) return void(close());
  if (keyCode == forms::vk::Left) gameKey({player, keyOf(command::WalkLeft)});
  if (keyCode == forms::vk::Right) gameKey({player, keyOf(command::WalkRight)});
}

void VersusWindow::startFight() {
  // Online, the fight starts when both players are ready.
  if (seat_) return setReady(!ready_);
  if (fight_ && !fight_(picks_.first, picks_.second)) return;
  dismiss();
}

void VersusWindow::dismiss() {
  leaving_ = true;
  hide();
}

void VersusWindow::keyPressEvent(QKeyEvent* event) {
  const int code = virtualKeyOf(*event);
  if (code == forms::vk::Escape) return void(close());
  if (code == 0 || frontEndKey(code)) return QWidget::keyPressEvent(event);
  gameKey(bindings_.gameKey(code, true));
}

void VersusWindow::mousePressEvent(QMouseEvent* event) {
  for (int player = 0; player < 2; ++player)
    for (int slot = 0; slot < kSlots; ++slot)
      if (portraitBox(player, slot).contains(event->position().toPoint())) return changePick(player, slot);
}

void VersusWindow::closeEvent(QCloseEvent* event) {
  // Closed by the player: back to the title (a fight starting only hides the window).
  QWidget::closeEvent(event);
  if (!leaving_ && toTitle_) toTitle_();
}

}  // namespace mojara::qt
