// The key-settings window (F2 on the title): every command with its key and controller button for
// both players, changed by pressing the new key or button; a key bound elsewhere changes places
// with it. It also sets the window scale, attract mode and the language for the next start, beside
// the scale and language of this run; scales the screen has no room for are shown but cannot be
// chosen. Its texts are shown through the front end's texts, in the player's language.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "play/input/key_bindings.h"
#include "play/settings/settings.h"
#include "play/texts/wording.h"
#include "qt/shown_texts.h"

class QLabel;
class QPushButton;
class QComboBox;
class QCheckBox;

namespace mojara::qt {

// The scale and language in effect in this run, which the key-settings window shows beside the
// choices for the next start.
struct InEffect {
  int scale = 0;                   // the scale the windows are drawn at (0: not said)
  int largestScale = Settings::kMaxScale;  // the largest the screen has room for
  std::optional<int> scaleAsked;   // a larger scale asked for, which did not fit
  bool scaleFromCommandLine = false;
  std::string lang;                // the language the windows are shown in
  bool langFromCommandLine = false;
};

class KeySettingsWindow : public QWidget {
 public:
  struct Choices {
    KeyBindings bindings;
    std::optional<int> scale;  // none: the largest that fits
    bool attract = true;
    std::string lang;
    bool operator==(const Choices&) const = default;
  };
  using InEffect = qt::InEffect;
  // `changed` is told of every change as it is made.
  KeySettingsWindow(int scale, const ShownTexts& texts, Choices current,
                    std::function<void(const Choices&)> changed, const InEffect& inEffect = {});
  ~KeySettingsWindow() override;

  // The window's size at `scale` with its texts as `texts` shows them, its longest lines included.
  static QSize sizeAt(int scale, const ShownTexts& texts);
  // The scale list's entry for `scale` (0: automatic): whether it can be chosen.
  bool offers(int scale) const;
  // What the window says of the scale and the language of this run.
  QString scaleNow() const;
  QString langNow() const;

  const Choices& choices() const { return choices_; }
  // A button of `player`'s controller: taken when the window waits for one of that controller.
  bool padPressed(int player, PadButton button);
  // Escape, or a controller's B: a wait for a key or button ends with nothing changed, and
  // without one the window closes.
  void escape();
  // Which controllers are connected, for the line under the table ("" when none).
  void setControllers(const QString& text);

  // The cell of a command's key (pad: its controller button) for a player, for tests.
  QPushButton* cell(int player, command::Command command, bool pad) const;
  QString message() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  struct Waiting {
    int player;
    command::Command command;
    bool pad;
  };
  void wait(Waiting waiting);
  void stopWaiting();
  QString shown(const std::string& text) const { return texts_(text); }
  QString shown(const Wording& text) const;
  void say(const std::string& message);
  void say(const Wording& message);
  void refresh();
  void tell();

  const ShownTexts& texts_;
  Choices choices_;
  std::function<void(const Choices&)> changed_;
  std::optional<Waiting> waiting_;
  // Each player's cells (key, button) by the commands' rows.
  std::array<std::array<std::array<QPushButton*, 2>, kBindableCount>, kPlayers> cells_{};
  QLabel* message_ = nullptr;
  QLabel* controllers_ = nullptr;
  QComboBox* scale_ = nullptr;
  QLabel* scaleNow_ = nullptr;
  QLabel* langNow_ = nullptr;
  QCheckBox* attract_ = nullptr;
  QComboBox* lang_ = nullptr;
};

}  // namespace mojara::qt
