#include "qt/online_panel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace mojara::qt {

namespace {

constexpr int kMargin = 8, kRow = 22, kGap = 4, kLines = 30;  // pixels at scale 1
constexpr int kHostWidth = 96, kJoinWidth = 84;
// The room's code, in letters of one width large enough to read out from across the room.
constexpr int kCodeRow = 32, kCodeSize = 26;
constexpr int kRoomTop = kRow + kGap + kLines + kGap, kInvitationTop = kRoomTop + kCodeRow + kGap;

}  // namespace

OnlinePanel::OnlinePanel(const ShownTexts& texts, int scale, int width, QWidget* parent)
    : QWidget(parent), texts_(texts) {
  const int s = scale;
  setFixedSize(width, heightAt(scale));
  host_ = new QPushButton(texts_("ホストになる"), this);
  address_ = new QLineEdit(this);
  join_ = new QPushButton(texts_("参加する"), this);
  leave_ = new QPushButton(texts_("ぬける"), this);
  lines_ = new QLabel(this);
  host_->setGeometry(kMargin * s, 0, kHostWidth * s, kRow * s);
  address_->setGeometry((kMargin + kHostWidth + kGap) * s, 0,
                        width - (2 * kMargin + kHostWidth + kJoinWidth + 2 * kGap) * s, kRow * s);
  join_->setGeometry(width - (kMargin + kJoinWidth) * s, 0, kJoinWidth * s, kRow * s);
  leave_->setGeometry(width - (kMargin + kJoinWidth) * s, 0, kJoinWidth * s, kRow * s);
  lines_->setGeometry(kMargin * s, (kRow + kGap) * s, width - 2 * kMargin * s, kLines * s);
  lines_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lines_->setWordWrap(false);
  roomTitle_ = new QLabel(texts_("ルームコード"), this);
  codeLabel_ = new QLabel(this);
  invitationLine_ = new QLabel(this);
  copy_ = new QPushButton(texts_("招待をコピー"), this);
  // The title and the copy button as wide as their words (either of the button's), the code
  // between them.
  const auto advance = [&](const QString& text) { return roomTitle_->fontMetrics().horizontalAdvance(text); };
  const int titleWidth = advance(roomTitle_->text()) + kGap * s;
  const int copyWidth =
      std::max(advance(texts_("招待をコピー")), advance(texts_("コピー済み"))) + 3 * kGap * s;
  roomTitle_->setGeometry(kMargin * s, kRoomTop * s, titleWidth, kCodeRow * s);
  roomTitle_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QFont codeFont(QStringLiteral("IPAGothic"));
  codeFont.setPixelSize(kCodeSize * s);
  codeFont.setBold(true);
  codeLabel_->setFont(codeFont);
  codeLabel_->setGeometry(kMargin * s + titleWidth, kRoomTop * s,
                          width - (2 * kMargin + kGap) * s - titleWidth - copyWidth, kCodeRow * s);
  codeLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  copy_->setGeometry(width - kMargin * s - copyWidth, (kRoomTop + (kCodeRow - kRow) / 2) * s, copyWidth,
                     kRow * s);
  // The invitation under both, the whole width for its address, in letters of one width (no
  // character to take for another when it is read off the screen).
  QFont invitationFont(QStringLiteral("IPAGothic"));
  invitationFont.setPixelSize(font().pixelSize());
  invitationLine_->setFont(invitationFont);
  invitationLine_->setGeometry(kMargin * s, kInvitationTop * s, width - 2 * kMargin * s, kRow * s);
  invitationLine_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  address_->setPlaceholderText(texts_("アドレス/コード"));
  address_->setMaxLength(255);
  // The keys are the players': the buttons take the mouse only, and the address box the keyboard
  // once it is clicked (or reached with Tab).
  for (QPushButton* button : {host_, join_, leave_, copy_}) button->setFocusPolicy(Qt::NoFocus);
  address_->setFocusPolicy(Qt::StrongFocus);
  connect(host_, &QPushButton::clicked, this, [this] {
    if (hostAsked) hostAsked();
  });
  connect(join_, &QPushButton::clicked, this, [this] { join(); });
  address_->installEventFilter(this);
  connect(leave_, &QPushButton::clicked, this, [this] {
    if (leaveAsked) leaveAsked();
  });
  connect(copy_, &QPushButton::clicked, this, [this] { copyInvitation(); });
  setInSession(false);
  for (QWidget* part : {static_cast<QWidget*>(roomTitle_), static_cast<QWidget*>(codeLabel_),
                        static_cast<QWidget*>(invitationLine_), static_cast<QWidget*>(copy_)})
    part->hide();
}

bool OnlinePanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched != address_ || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    join();
    return true;
  }
  if (key == Qt::Key_Escape) {
    if (parentWidget()) parentWidget()->setFocus();
    return true;
  }
  return false;
}

int OnlinePanel::heightAt(int scale) { return (kInvitationTop + kRow) * scale; }

void OnlinePanel::join() {
  const QString text = address_->text().trimmed();
  // Back to the players' keys.
  if (parentWidget()) parentWidget()->setFocus();
  if (!text.isEmpty() && !inSession_) askToJoin(text);
}

void OnlinePanel::askToJoin(const QString& text) {
  address_->setText(text);
  const Invitation asked = readInvitation(text.toStdString());
  const std::optional<RoomCode> code = asked.code ? asked.code : givenCode_;
  QString problem;
  if (asked.notACode)
    problem = texts_("「%1」はルームコードではありません").arg(QString::fromStdString(*asked.notACode));
  else if (asked.address.empty())
    problem = texts_("ホストのアドレスを入れてください");
  else if (!code)
    problem = texts_("ルームコードを入れてください");
  if (problem.isEmpty()) {
    if (joinAsked) joinAsked(asked.address, *code);
    return;
  }
  setStatus({problem, example(texts_)});
  address_->setFocus(Qt::OtherFocusReason);
  address_->end(false);
}

QString OnlinePanel::example(const ShownTexts& texts) {
  return texts("例：%1").arg(QStringLiteral("192.168.1.20:4913/ABCD-EFGH"));
}

void OnlinePanel::setInSession(bool inSession) {
  inSession_ = inSession;
  host_->setEnabled(!inSession);
  address_->setEnabled(!inSession);
  join_->setVisible(!inSession);
  leave_->setVisible(inSession);
}

void OnlinePanel::setAddress(const QString& address) { address_->setText(address); }

QString OnlinePanel::address() const { return address_->text(); }

void OnlinePanel::setStatus(const QStringList& lines) {
  status_ = lines;
  QStringList shown;
  for (const QString& line : lines)
    shown << lines_->fontMetrics().elidedText(line, Qt::ElideRight, lines_->width());
  lines_->setText(shown.join(QLatin1Char('\n')));
  lines_->setToolTip(shown == lines ? QString() : lines.join(QLatin1Char('\n')));
}

void OnlinePanel::showRoom(const QString& code, const QString& invitation) {
  if (code == code_ && invitation == invitation_) return;
  copy_->setText(texts_("招待をコピー"));
  code_ = code;
  invitation_ = invitation;
  codeLabel_->setText(code);
  const QString line = texts_("招待：%1").arg(invitation);
  const QString shown =
      invitationLine_->fontMetrics().elidedText(line, Qt::ElideRight, invitationLine_->width());
  invitationLine_->setText(shown);
  invitationLine_->setToolTip(shown == line ? QString() : line);
  roomTitle_->setVisible(!code.isEmpty());
  codeLabel_->setVisible(!code.isEmpty());
  invitationLine_->setVisible(!code.isEmpty() && !invitation.isEmpty());
  copy_->setVisible(!code.isEmpty() && !invitation.isEmpty());
}

void OnlinePanel::copyInvitation() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(invitation_);
  // And for the middle button, where the system has a selection.
  if (clipboard->supportsSelection()) clipboard->setText(invitation_, QClipboard::Selection);
  copy_->setText(texts_("コピー済み"));
}

bool OnlinePanel::fits(const QString& line) const {
  return lines_->fontMetrics().horizontalAdvance(line) <= lines_->width();
}

}  // namespace mojara::qt
