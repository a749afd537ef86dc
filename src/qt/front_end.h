// The windowed front end: one Qt window per shown form, real time for the timers, and the
// platform's services (beep, message box, end of the program) for the desktop.
#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "forms/desktop.h"
#include "play/input/key_bindings.h"
#include "play/input/keyboard_navigation.h"
#include "play/session/play_session.h"
#include "play/texts/wording.h"
#include "qt/canvas_painter.h"
#include "qt/picture_library.h"
#include "qt/shown_texts.h"

namespace mojara::qt {

class FormWindow;

class FrontEnd : public QObject, public forms::DesktopHost, public forms::Clock {
 public:
  // `sound` plays the sound slots and `beep` sounds the system beep; both may be left empty.
  FrontEnd(const PictureLibrary& pictures, Scale scale, forms::SoundService* sound = nullptr,
           std::function<void()> beep = {});
  ~FrontEnd() override;

  void attach(forms::Desktop& desktop) { desktop_ = &desktop; }
  forms::Desktop& desktop() const { return *desktop_; }
  const PictureLibrary& pictures() const { return pictures_; }
  const Scale& scale() const { return scale_; }
  // The scale the windows are drawn at, set before the first window opens.
  void setScale(Scale scale) { scale_ = scale; }
  // The language of every text the windows show, set before the first window opens.
  void setTexts(ShownTexts texts) {
    texts_ = std::move(texts);
    texts_.setGame(game_);
    texts_.setBindings(play_ ? &play_->bindings() : nullptr);
  }
  // The game the windows belong to: a translation shows its battle window's messages as its
  // fight's numbers say.
  void setGame(const Game& game) {
    game_ = &game;
    texts_.setGame(game_);
  }
  const ShownTexts& texts() const { return texts_; }

  // After every event the front end delivered: redraw and set the timer for the next due one.
  void afterEvent();

  // DesktopHost
  void formLoaded(forms::Form& form) override;
  void formShown(forms::Form& form) override;
  void formRaised(forms::Form& form) override;
  void formMoved(forms::Form& form) override;
  void formUnloaded(forms::Form& form) override;
  void beep() override;
  void messageBox(const std::string& text, const std::string& caption) override;
  void messageBoxClosed() override;
  void programEnded() override;
  std::uint64_t clockSeed() override;
  forms::SoundService* soundService() override { return sound_; }
  std::string programFolder() const override;

  // Clock
  forms::Nanos now() const override { return elapsed_.nsecsElapsed(); }

  FormWindow* windowOf(const forms::Form& form) const;

  // The play session the windows' input goes to, set before the first window opens.
  void setPlay(PlaySession& play);
  // A key press from the keyboard, handed to the play session (the front end's own keys, playing
  // without the mouse, the players' bindings).
  void keyPressed(forms::Form& form, int code, int shift);
  KeyboardNavigation* navigation() const { return play_ ? &play_->navigation() : nullptr; }
  std::optional<forms::Box> keyboardMark(const forms::Form& form) const {
    return play_ ? play_->navigation().mark(form) : std::nullopt;
  }
  const KeyBindings& bindings() const { return play_->bindings(); }
  // Mouse input on a window, or any input on one of its widgets: whether it goes on to the game
  // (the play session's answer, unless `taken` is told of the input instead).
  bool input() { return input_ ? input_() : !play_ || play_->input(); }
  void takeInput(std::function<bool()> taken) { input_ = std::move(taken); }

  // A short notice to the player (the game's text, shown in the player's language) over the front
  // window for `shownFor`; a notice with the same non-empty `slot` replaces the one before it.
  static constexpr std::chrono::milliseconds kNoticeTime{PlaySession::kNoticeTime / 1'000'000};
  void showNotice(const std::string& text, std::chrono::milliseconds shownFor = kNoticeTime,
                  const std::string& slot = {}) {
    showNotice(Wording{text, {}}, shownFor, slot);
  }
  // The same for a message made of parts (a level, a number): its form and parts are each shown
  // in the player's language.
  void showNotice(const Wording& text, std::chrono::milliseconds shownFor = kNoticeTime,
                  const std::string& slot = {});
  // The notices shown now over `window`: only the front game window has them.
  QStringList noticesOver(const FormWindow& window) const;
  // The marks (the demo fight's "DEMO") over `window`, on its bottom edge below the notices.
  QStringList marksOver(const FormWindow& window) const;
  // The play session's notices or marks changed: every window is told what it shows now.
  void noticesChanged();

  // Full screen: every window shown fills the screen, scaled by the largest whole factor.
  void toggleFullScreen();
  void setFullScreen(bool on);
  bool fullScreen() const { return fullScreen_; }

 private:
  void fireTimers();
  void bringToFront(FormWindow& window);
  QStringList shown(const std::vector<Wording>& words) const;

  const PictureLibrary& pictures_;
  Scale scale_;
  ShownTexts texts_;
  const Game* game_ = nullptr;
  forms::SoundService* sound_;
  std::function<void()> beep_;
  forms::Desktop* desktop_ = nullptr;
  PlaySession* play_ = nullptr;
  std::function<bool()> input_;
  QPointer<QMessageBox> messageBox_;  // while open
  bool fullScreen_ = false;
  QElapsedTimer elapsed_;
  QTimer pump_;
  QTimer noticeClock_;
  std::map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
};

}  // namespace mojara::qt
