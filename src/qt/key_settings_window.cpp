#include "qt/key_settings_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "app/program.h"
#include "forms/types.h"
#include "play/language.h"
#include "qt/key_map.h"

namespace mojara::qt {

namespace {

QString utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

KeySettingsWindow::KeySettingsWindow(int scale, const ShownTexts& texts, Choices current,
                                     std::function<void(const Choices&)> changed)
    : texts_(texts), choices_(std::move(current)), changed_(std::move(changed)) {
  setWindowTitle(shown("キー設定"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(12 * scale);
  setFont(font);

  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(6 * scale);
  grid->setVerticalSpacing(2 * scale);
  const QStringList heads = {QString(), shown("１Ｐ キー"), shown("１Ｐ パッド"), shown("２Ｐ キー"),
                             shown("２Ｐ パッド")};
  for (int column = 0; column < heads.size(); ++column) {
    auto* head = new QLabel(heads[column], this);
    head->setAlignment(Qt::AlignCenter);
    grid->addWidget(head, 0, column);
  }
  int row = 1;
  for (const CommandInfo& c : commands()) {
    grid->addWidget(new QLabel(shown(std::string(c.label)), this), row, 0);
    for (int player = 0; player < kPlayers; ++player)
      for (int pad = 0; pad <= 1; ++pad) {
        auto* cell = new QPushButton(this);
        cell->setMinimumWidth(64 * scale);
        connect(cell, &QPushButton::clicked, this, [this, player, pad, command = c.command] {
          wait({player, command, pad != 0});
        });
        cells_[player][static_cast<int>(c.command)][pad] = cell;
        grid->addWidget(cell, row, 1 + player * 2 + pad);
      }
    ++row;
  }

  controllers_ = new QLabel(this);
  grid->addWidget(controllers_, row++, 0, 1, 5);
  message_ = new QLabel(this);
  message_->setWordWrap(true);
  message_->setMinimumHeight(2 * font.pixelSize() + 4 * scale);
  grid->addWidget(message_, row++, 0, 1, 5);

  grid->addWidget(new QLabel(shown("画面の大きさ"), this), row, 0);
  scale_ = new QComboBox(this);
  scale_->addItem(shown("自動"));
  for (int n = 1; n <= 8; ++n) scale_->addItem(shown("%1 倍").arg(n));
  scale_->setCurrentIndex(choices_.scale.value_or(0));
  grid->addWidget(scale_, row, 1);
  attract_ = new QCheckBox(shown("タイトルで30秒たつとデモ"), this);
  attract_->setChecked(choices_.attract);
  grid->addWidget(attract_, row++, 2, 1, 3);
  grid->addWidget(new QLabel(shown("言葉"), this), row, 0);
  lang_ = new QComboBox(this);
  for (const std::string& lang : languages()) {
    lang_->addItem(utf8(languageName(lang)), QString::fromStdString(lang));
    if (lang == choices_.lang) lang_->setCurrentIndex(lang_->count() - 1);
  }
  grid->addWidget(lang_, row++, 1);
  grid->addWidget(new QLabel(shown("（画面の大きさ、デモと言葉は次の起動から）"), this), row++, 0, 1, 5);
  connect(scale_, &QComboBox::currentIndexChanged, this, [this](int index) {
    choices_.scale = index == 0 ? std::nullopt : std::optional<int>(index);
    tell();
  });
  connect(attract_, &QCheckBox::toggled, this, [this](bool on) {
    choices_.attract = on;
    tell();
  });
  connect(lang_, &QComboBox::currentIndexChanged, this, [this](int index) {
    choices_.lang = lang_->itemData(index).toString().toStdString();
    tell();
  });

  auto* defaults = new QPushButton(shown("初期設定に戻す"), this);
  connect(defaults, &QPushButton::clicked, this, [this] {
    stopWaiting();
    choices_.bindings = KeyBindings::defaults();
    refresh();
    say("キーとボタンを初期設定に戻しました");
    tell();
  });
  auto* close = new QPushButton(shown("閉じる"), this);
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  grid->addWidget(defaults, row, 1, 1, 2);
  grid->addWidget(close, row, 3, 1, 2);

  refresh();
  say("変えたいところを押してから、新しいキーかボタンを押してください");
}

KeySettingsWindow::~KeySettingsWindow() { stopWaiting(); }

QPushButton* KeySettingsWindow::cell(int player, Command command, bool pad) const {
  return cells_[player][static_cast<int>(command)][pad ? 1 : 0];
}

QString KeySettingsWindow::message() const { return message_->text(); }

// Told on every controller poll: the label changes only when the controllers do.
void KeySettingsWindow::setControllers(const QString& line) {
  if (controllers_->text() != line) controllers_->setText(line);
}

void KeySettingsWindow::refresh() {
  for (int player = 0; player < kPlayers; ++player)
    for (const CommandInfo& c : commands()) {
      cell(player, c.command, false)->setText(shown(keyLabel(choices_.bindings.key(player, c.command))));
      cell(player, c.command, true)->setText(shown(std::string(padButtonLabel(choices_.bindings.button(player, c.command)))));
    }
  if (waiting_) cell(waiting_->player, waiting_->command, waiting_->pad)->setText(QStringLiteral("？"));
}

void KeySettingsWindow::say(const std::string& line) { message_->setText(shown(line)); }

void KeySettingsWindow::say(const Wording& message) {
  message_->setText(QString::fromStdString(message.text([this](const std::string& s) { return shown(s).toStdString(); })));
}

void KeySettingsWindow::tell() {
  if (changed_) changed_(choices_);
}

void KeySettingsWindow::wait(Waiting waiting) {
  waiting_ = waiting;
  // Every key goes to the window while it waits, the space bar and Enter included.
  qApp->installEventFilter(this);
  refresh();
  const std::string who = playerName(waiting.player), what(infoOf(waiting.command).label);
  say(waiting.pad ? Wording{"%1の「%2」に使う、%3台目のコントローラーのボタンを押してください（Escでやめる）",
                            {who, what, std::to_string(waiting.player + 1)}}
                  : Wording{"%1の「%2」に使うキーを押してください（Escでやめる）", {who, what}});
}

void KeySettingsWindow::stopWaiting() {
  if (!waiting_) return;
  waiting_.reset();
  qApp->removeEventFilter(this);
  refresh();
}

bool KeySettingsWindow::padPressed(int player, PadButton button) {
  if (!waiting_ || !waiting_->pad || waiting_->player != player) return false;
  const Waiting w = *waiting_;
  stopWaiting();
  say(choices_.bindings.bindButton(w.player, w.command, button).message);
  refresh();
  tell();
  return true;
}

bool KeySettingsWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !waiting_) return QWidget::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->isAutoRepeat()) return true;
  const int code = virtualKeyOf(*key);
  const Waiting w = *waiting_;
  if (code == forms::vk::Escape) {
    stopWaiting();
    say("そのままにしました");
    return true;
  }
  if (w.pad) return true;  // waiting for a button: keys other than Escape do nothing
  if (code == 0) {
    say("そのキーは使えません");
    return true;
  }
  const KeyBindings::Change change = choices_.bindings.bindKey(w.player, w.command, code);
  if (change.done) stopWaiting();
  if (change.done)
    say(change.message);
  else
    say(Wording{change.message.form + "。ほかのキーを押してください", change.message.parts});
  refresh();
  if (change.done) tell();
  return true;
}

void KeySettingsWindow::keyPressEvent(QKeyEvent* event) {
  if (virtualKeyOf(*event) == forms::vk::Escape) return void(close());
  QWidget::keyPressEvent(event);
}

void KeySettingsWindow::hideEvent(QHideEvent* event) {
  stopWaiting();
  QWidget::hideEvent(event);
}

}  // namespace mojara::qt
