// The key-settings window (F2 on the title): every command with its key and controller button for
// both players, changed by pressing the new key or button; a key bound elsewhere changes places
// with it. It also sets the window scale, attract mode and the language for the next start. Its
// texts are shown through the front end's texts, in the player's language.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "play/key_bindings.h"
#include "qt/shown_texts.h"

class QLabel;
class QPushButton;
class QComboBox;
class QCheckBox;

namespace mojara::qt {

class KeySettingsWindow : public QWidget {
 public:
  struct Choices {
    KeyBindings bindings;
    std::optional<int> scale;  // none: the largest that fits
    bool attract = true;
    std::string lang;
    bool operator==(const Choices&) const = default;
  };
  // `changed` is told of every change as it is made.
  KeySettingsWindow(int scale, const ShownTexts& texts, Choices current, std::function<void(const Choices&)> changed);
  ~KeySettingsWindow() override;

  const Choices& choices() const { return choices_; }
  // A button of `player`'s controller: taken when the window waits for one of that controller.
  bool padPressed(int player, PadButton button);
  // Which controllers are connected, for the line under the table ("" when none).
  void setControllers(const QString& text);

  // The cell of a command's key (pad: its controller button) for a player, for tests.
  QPushButton* cell(int player, Command command, bool pad) const;
  QString message() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  struct Waiting {
    int player;
    Command command;
    bool pad;
  };
  void wait(Waiting waiting);
  void stopWaiting();
  QString shown(const std::string& text) const { return texts_(text); }
  void say(const std::string& message);
  void say(const Wording& message);
  void refresh();
  void tell();

  const ShownTexts& texts_;
  Choices choices_;
  std::function<void(const Choices&)> changed_;
  std::optional<Waiting> waiting_;
  std::array<std::array<std::array<QPushButton*, 2>, kCommandCount>, kPlayers> cells_{};
  QLabel* message_ = nullptr;
  QLabel* controllers_ = nullptr;
  QComboBox* scale_ = nullptr;
  QCheckBox* attract_ = nullptr;
  QComboBox* lang_ = nullptr;
};

}  // namespace mojara::qt
