#include "qt/key_settings_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>

#include "app/program.h"
#include "forms/types.h"
#include "play/texts/language.h"
#include "qt/key_map.h"

namespace mojara::qt {

namespace {

QString utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// This run's scale, beside the choice for the next start: where it came from, and the larger one
// asked for that did not fit.
Wording scaleWording(const InEffect& run) {
  const std::string now = std::to_string(run.scale);
  if (run.scaleAsked) {
    const std::string asked = std::to_string(*run.scaleAsked);
    if (run.scaleFromCommandLine)
      return {"この起動は %1 倍（コマンドラインの --scale %2 は画面に入りません）", {now, asked}};
    return {"この起動は %1 倍（%2 倍は画面に入りません）", {now, asked}};
  }
  if (run.scaleFromCommandLine) return {"この起動は %1 倍（コマンドラインの --scale %1）", {now}};
  return {"この起動は %1 倍", {now}};
}

// This run's language, by its name for itself.
Wording langWording(const InEffect& run) {
  const std::string name(languageName(run.lang));
  if (run.langFromCommandLine) return {"この起動は %1（コマンドラインの --lang %2）", {name, run.lang}};
  return {"この起動は %1", {name}};
}

}  // namespace

KeySettingsWindow::KeySettingsWindow(int scale, const ShownTexts& texts, Choices current,
                                     std::function<void(const Choices&)> changed, const InEffect& inEffect)
    : texts_(texts), choices_(std::move(current)), changed_(std::move(changed)) {
  setWindowTitle(shown("キー設定"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(12 * scale);
  setFont(font);

  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(6 * scale);
  grid->setVerticalSpacing(2 * scale);
  QStringList heads = {QString()};
  for (std::string_view head : kBindingColumnHeads) heads.append(shown(std::string(head)));
  for (int column = 0; column < heads.size(); ++column) {
    auto* head = new QLabel(heads[column], this);
    head->setAlignment(Qt::AlignCenter);
    grid->addWidget(head, 0, column);
  }
  int row = 1;
  for (const BindableCommand& c : kBindableCommands) {
    grid->addWidget(new QLabel(shown(std::string(c.label)), this), row, 0);
    for (int player = 0; player < kPlayers; ++player)
      for (int pad = 0; pad <= 1; ++pad) {
        auto* cell = new QPushButton(this);
        cell->setMinimumWidth(64 * scale);
        connect(cell, &QPushButton::clicked, this, [this, player, pad, command = c.command] {
          wait({player, command, pad != 0});
        });
        cells_[player][bindingRow(c.command)][pad] = cell;
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
  auto* scales = static_cast<QStandardItemModel*>(scale_->model());
  for (int n = 1; n <= Settings::kMaxScale; ++n) {
    // A scale the screen has no room for is shown, but cannot be chosen.
    const bool fits = n <= inEffect.largestScale;
    scale_->addItem(shown(fits ? "%1 倍" : "%1 倍（画面に入りません）").arg(n));
    scales->item(n)->setEnabled(fits);
  }
  scale_->setCurrentIndex(choices_.scale.value_or(0));
  grid->addWidget(scale_, row++, 1, 1, 2);
  // This run's own under each choice for the next start.
  scaleNow_ = new QLabel(this);
  grid->addWidget(scaleNow_, row++, 1, 1, 4);
  grid->addWidget(new QLabel(shown("言葉"), this), row, 0);
  lang_ = new QComboBox(this);
  for (const std::string& lang : languages()) {
    lang_->addItem(utf8(languageName(lang)), QString::fromStdString(lang));
    if (lang == choices_.lang) lang_->setCurrentIndex(lang_->count() - 1);
  }
  grid->addWidget(lang_, row++, 1, 1, 2);
  langNow_ = new QLabel(this);
  grid->addWidget(langNow_, row++, 1, 1, 4);
  if (inEffect.scale > 0) {
    scaleNow_->setText(shown(scaleWording(inEffect)));
    langNow_->setText(shown(langWording(inEffect)));
  } else {
    scaleNow_->hide();
    langNow_->hide();
  }
  attract_ = new QCheckBox(shown("タイトルで30秒たつとデモ"), this);
  attract_->setChecked(choices_.attract);
  grid->addWidget(attract_, row++, 0, 1, 5);
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

QPushButton* KeySettingsWindow::cell(int player, command::Command command, bool pad) const {
  return cells_[player][bindingRow(command)][pad ? 1 : 0];
}

QString KeySettingsWindow::message() const { return message_->text(); }

QString KeySettingsWindow::shown(const Wording& text) const {
  return QString::fromStdString(text.text([this](const std::string& s) { return shown(s).toStdString(); }));
}

bool KeySettingsWindow::offers(int scale) const {
  return scale_->model()->flags(scale_->model()->index(scale, 0)) & Qt::ItemIsEnabled;
}

QString KeySettingsWindow::scaleNow() const { return scaleNow_->text(); }
QString KeySettingsWindow::langNow() const { return langNow_->text(); }

QSize KeySettingsWindow::sizeAt(int scale, const ShownTexts& texts) {
  // Its longest lines: a scale asked for on the command line that does not fit, the language too.
  const std::string lang(kGameLanguage);
  const KeySettingsWindow window(scale, texts, {KeyBindings::defaults(), std::nullopt, true, lang}, {},
                                 {scale, 1, Settings::kMaxScale, true, lang, true});
  return window.sizeHint();
}

// Told on every controller poll: the label changes only when the controllers do.
void KeySettingsWindow::setControllers(const QString& line) {
  if (controllers_->text() != line) controllers_->setText(line);
}

void KeySettingsWindow::refresh() {
  for (int player = 0; player < kPlayers; ++player)
    for (const BindableCommand& c : kBindableCommands) {
      cell(player, c.command, false)->setText(shown(keyLabel(choices_.bindings.key(player, c.command))));
      cell(player, c.command, true)->setText(shown(std::string(padButtonLabel(choices_.bindings.button(player, c.command)))));
    }
  if (waiting_) cell(waiting_->player, waiting_->command, waiting_->pad)->setText(QStringLiteral("？"));
}

void KeySettingsWindow::say(const std::string& line) { message_->setText(shown(line)); }

void KeySettingsWindow::say(const Wording& message) { message_->setText(shown(message)); }

void KeySettingsWindow::tell() {
  if (changed_) changed_(choices_);
}

void KeySettingsWindow::wait(Waiting waiting) {
  waiting_ = waiting;
  // Every key goes to the window while it waits, the space bar and Enter included.
  qApp->installEventFilter(this);
  refresh();
  const std::string who = playerName(waiting.player), what(bindableOf(waiting.command).label);
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
    escape();
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
  if (virtualKeyOf(*event) == forms::vk::Escape) return escape();
  QWidget::keyPressEvent(event);
}

void KeySettingsWindow::escape() {
  if (!waiting_) return void(close());
  stopWaiting();
  say("そのままにしました");
}

void KeySettingsWindow::hideEvent(QHideEvent* event) {
  stopWaiting();
  QWidget::hideEvent(event);
}

}  // namespace mojara::qt
