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
#include "play/key_bindings.h"
#include "play/keyboard_navigation.h"
#include "play/wording.h"
#include "qt/canvas_painter.h"
#include "qt/notices.h"
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

  // Additions around the game (recording and replaying fights, attract mode, sound keys); any may
  // be left empty.
  struct Hooks {
    // A key for the game (player 0 or 1, the battle's code); false: it does not reach the game.
    std::function<bool(forms::Form&, int code, int player)> key;
    std::function<void()> timerFired;
    std::function<bool()> input;  // any key or mouse input; false: it goes no further
    std::function<void()> toggleMute;
    std::function<void(int musicSteps, int effectsSteps)> changeVolume;
    std::function<void(bool on)> fullScreenChanged;  // by the player's key
    std::function<void(forms::Form&)> openSettings;    // F2
    std::function<void(forms::Form&)> openVersus;      // F3
    std::function<bool()> twoPlayers;                 // whether a second player plays now
  };
  Hooks hooks;
  // A key press from the keyboard, for the game unless it is one of the front end's own keys
  // (F11 or Alt+Enter full screen, F2 the key settings, F3 two players, M mute, minus and equals the volume of
  // everything, [ and ] the music's, ; and ' the effects'), the navigation takes it, or a hook
  // keeps it. The players' key bindings turn it into the battle's own key of the same command,
  // for its player.
  void keyPressed(forms::Form& form, int code, int shift);
  // A key of the game's own (the battle's code) for `player`, from a controller or the keyboard.
  void gameKeyPressed(forms::Form& form, GameKey key, int shift = 0);
  void setBindings(const KeyBindings& bindings) { bindings_ = bindings; }
  // Playing without the mouse: the keys that are not the front end's own go to `navigation`
  // first, outside a fight; it also says where the windows mark the keyboard.
  void setNavigation(KeyboardNavigation* navigation) { navigation_ = navigation; }
  KeyboardNavigation* navigation() const { return navigation_; }
  std::optional<forms::Box> keyboardMark(const forms::Form& form) const {
    return navigation_ ? navigation_->mark(form) : std::nullopt;
  }
  const KeyBindings& bindings() const { return bindings_; }
  // Mouse input on a window, or any input on one of its widgets: whether it goes on to the game.
  bool input() { return !hooks.input || hooks.input(); }

  // A short notice to the player (the game's text, shown in the player's language) over the front
  // window for `shownFor`; a notice with the same non-empty `slot` replaces the one before it.
  static constexpr std::chrono::milliseconds kNoticeTime{2500};
  void showNotice(const std::string& text, std::chrono::milliseconds shownFor = kNoticeTime,
                  const std::string& slot = {});
  // The same for a message made of parts (a level, a number): its form and parts are each shown
  // in the player's language.
  void showNotice(const Wording& text, std::chrono::milliseconds shownFor = kNoticeTime,
                  const std::string& slot = {});
  // The notices shown now over `window`: only the front game window has them.
  QStringList noticesOver(const FormWindow& window) const;
  // A mark that stays over the front window until it is taken away (the demo fight's "DEMO"), on
  // its bottom edge below the notices, in the player's language; one a slot.
  void showMark(const std::string& text, const std::string& slot);
  void takeMark(const std::string& slot);
  QStringList marksOver(const FormWindow& window) const;

  // Full screen: every window shown fills the screen, scaled by the largest whole factor.
  void toggleFullScreen();
  void setFullScreen(bool on);
  bool fullScreen() const { return fullScreen_; }

 private:
  void fireTimers();
  void bringToFront(FormWindow& window);
  void noticesChanged();

  const PictureLibrary& pictures_;
  Scale scale_;
  ShownTexts texts_;
  const Game* game_ = nullptr;
  forms::SoundService* sound_;
  std::function<void()> beep_;
  forms::Desktop* desktop_ = nullptr;
  KeyBindings bindings_ = KeyBindings::defaults();
  KeyboardNavigation* navigation_ = nullptr;
  QPointer<QMessageBox> messageBox_;  // while open
  bool fullScreen_ = false;
  QElapsedTimer elapsed_;
  QTimer pump_;
  Notices notices_;
  QTimer noticeClock_;
  std::map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
};

}  // namespace mojara::qt
