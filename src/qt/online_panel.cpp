#include "qt/online_panel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mojara::qt {

namespace {

constexpr int kMargin = 8, kRow = 22, kGap = 4, kLines = 30;  // pixels at scale 1
constexpr int kHostWidth = 96, kJoinWidth = 84;

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
  address_->setGeometry((kMargin + kHostWidth + kGap) * s, 0, width - (2 * kMargin + kHostWidth + kJoinWidth + 2 * kGap) * s,
                        kRow * s);
  join_->setGeometry(width - (kMargin + kJoinWidth) * s, 0, kJoinWidth * s, kRow * s);
  leave_->setGeometry(width - (kMargin + kJoinWidth) * s, 0, kJoinWidth * s, kRow * s);
  lines_->setGeometry(kMargin * s, (kRow + kGap) * s, width - 2 * kMargin * s, kLines * s);
  lines_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lines_->setWordWrap(false);
  address_->setPlaceholderText(texts_("ホストのアドレス"));
  address_->setMaxLength(255);
  // The keys are the players': the buttons take the mouse only, and the address box the keyboard
  // once it is clicked (or reached with Tab).
  for (QPushButton* button : {host_, join_, leave_}) button->setFocusPolicy(Qt::NoFocus);
  address_->setFocusPolicy(Qt::StrongFocus);
  connect(host_, &QPushButton::clicked, this, [this] {
    if (hostAsked) hostAsked();
  });
  connect(join_, &QPushButton::clicked, this, [this] { join(); });
  address_->installEventFilter(this);
  connect(leave_, &QPushButton::clicked, this, [this] {
    if (leaveAsked) leaveAsked();
  });
  setInSession(false);
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

int OnlinePanel::heightAt(int scale) { return (kRow + kGap + kLines) * scale; }

void OnlinePanel::join() {
  const std::string address = address_->text().trimmed().toStdString();
  // Back to the players' keys.
  if (parentWidget()) parentWidget()->setFocus();
  if (!address.empty() && !inSession_ && joinAsked) joinAsked(address);
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
  for (const QString& line : lines) shown << lines_->fontMetrics().elidedText(line, Qt::ElideRight, lines_->width());
  lines_->setText(shown.join(QLatin1Char('\n')));
  lines_->setToolTip(shown == lines ? QString() : lines.join(QLatin1Char('\n')));
}

bool OnlinePanel::fits(const QString& line) const {
  return lines_->fontMetrics().horizontalAdvance(line) <= lines_->width();
}

}  // namespace mojara::qt
