#include "qt/front_end.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <chrono>

#include "qt/canvas_painter.h"
#include "qt/centred.h"
#include "qt/form_window.h"

namespace mojara::qt {

FrontEnd::FrontEnd(const PictureLibrary& pictures, Scale scale, forms::SoundService* sound,
                   std::function<void()> beep)
    : pictures_(pictures), scale_(scale), sound_(sound), beep_(std::move(beep)) {
  elapsed_.start();
  pump_.setSingleShot(true);
  pump_.setTimerType(Qt::PreciseTimer);
  connect(&pump_, &QTimer::timeout, this, [this] { fireTimers(); });
  noticeClock_.setSingleShot(true);
  connect(&noticeClock_, &QTimer::timeout, this, [this] {
    if (play_) play_->expireNotices();
    noticesChanged();
  });
}

FrontEnd::~FrontEnd() = default;

FormWindow* FrontEnd::windowOf(const forms::Form& form) const {
  auto it = windows_.find(&form);
  return it == windows_.end() ? nullptr : it->second.get();
}

void FrontEnd::fireTimers() {
  while (desktop_->fireNextDueTimer())
    if (play_) play_->timerFired();
  afterEvent();
}

void FrontEnd::setPlay(PlaySession& play) {
  play_ = &play;
  setGame(play.game());
  texts_.setBindings(&play.bindings());
}

void FrontEnd::keyPressed(forms::Form& form, int code, int shift) {
  play_->keyPressed(form, code, shift);
  afterEvent();
}

void FrontEnd::showNotice(const Wording& text, std::chrono::milliseconds shownFor, const std::string& slot) {
  play_->showNotice(text, std::chrono::nanoseconds(shownFor).count(), slot);
}

QStringList FrontEnd::shown(const std::vector<Wording>& words) const {
  QStringList lines;
  for (const Wording& w : words) lines << texts_(w);
  return lines;
}

QStringList FrontEnd::noticesOver(const FormWindow& window) const {
  const forms::Form* front = desktop_ ? desktop_->foreground() : nullptr;
  return play_ && front && &window.form() == front ? shown(play_->notices().lines()) : QStringList();
}

QStringList FrontEnd::marksOver(const FormWindow& window) const {
  const forms::Form* front = desktop_ ? desktop_->foreground() : nullptr;
  return play_ && front && &window.form() == front ? shown(play_->notices().marks()) : QStringList();
}

void FrontEnd::noticesChanged() {
  // The notices may have moved to another window since they were shown: every window is told
  // what it shows now, and the clock wakes at the next notice's end.
  for (auto& [form, window] : windows_) window->showNotices(noticesOver(*window), marksOver(*window));
  if (auto next = play_ ? play_->notices().nextExpiry() : std::nullopt)
    noticeClock_.start(static_cast<int>(std::max<forms::Nanos>(0, *next - now() + 999'999) / 1'000'000));
  else
    noticeClock_.stop();
}

void FrontEnd::toggleFullScreen() { setFullScreen(!fullScreen_); }

void FrontEnd::setFullScreen(bool on) {
  if (on == fullScreen_) return;
  fullScreen_ = on;
  for (auto& [form, window] : windows_) window->setFullScreen(fullScreen_);
}

void FrontEnd::formLoaded(forms::Form&) {}

void FrontEnd::afterEvent() {
  for (auto& [form, window] : windows_) window->sync();
  if (auto due = desktop_->nextDue()) {
    const forms::Nanos wait = std::max<forms::Nanos>(0, *due - now());
    pump_.start(static_cast<int>((wait + 999'999) / 1'000'000));
  } else {
    pump_.stop();
  }
}

void FrontEnd::formShown(forms::Form& form) {
  // A window is made when its form is first shown; the sprite store, never shown, gets none.
  auto window = std::make_unique<FormWindow>(form, *this);
  // Windows open centred on the screen.
  const QPoint at = centredOnScreen(window->size());
  form.Left = static_cast<float>(at.x() * forms::kTwipsPerPixel / scale_.factor);
  form.Top = static_cast<float>(at.y() * forms::kTwipsPerPixel / scale_.factor);
  window->move(at);
  window->sync();
  if (fullScreen_) window->setFullScreen(true);
  window->show();
  bringToFront(*window);
  windows_[&form] = std::move(window);
  if (play_ && !play_->notices().empty()) noticesChanged();
}

void FrontEnd::formRaised(forms::Form& form) {
  if (FormWindow* window = windowOf(form)) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    bringToFront(*window);
  }
  if (play_ && !play_->notices().empty()) noticesChanged();
}

void FrontEnd::bringToFront(FormWindow& window) {
  if (QGuiApplication::platformName() != QStringLiteral("offscreen")) window.raise();  // no window stack
  window.activateWindow();
}

void FrontEnd::formMoved(forms::Form& form) {
  if (FormWindow* window = windowOf(form))
    window->move(static_cast<int>(scale_.px(form.Left)), static_cast<int>(scale_.px(form.Top)));
}

void FrontEnd::formUnloaded(forms::Form& form) {
  auto it = windows_.find(&form);
  if (it == windows_.end()) return;
  it->second->dismiss();
  // The window may be the one whose event is being handled: delete it once that is over.
  it->second.release()->deleteLater();
  windows_.erase(it);
  if (play_ && !play_->notices().empty()) noticesChanged();
}

void FrontEnd::beep() {
  if (beep_)
    beep_();
  else
    QApplication::beep();
}

std::string FrontEnd::programFolder() const { return QApplication::applicationDirPath().toStdString(); }

void FrontEnd::messageBox(const std::string& text, const std::string& caption) {
  QWidget* parent = nullptr;
  if (forms::Form* front = desktop_->foreground()) parent = windowOf(*front);
  auto* box = new QMessageBox(QMessageBox::NoIcon, texts_(caption), texts_(text), QMessageBox::Ok, parent);
  // In the game's own font at the windows' scale, as the message box of the game's time was drawn.
  box->setFont(fontFor(forms::FontSpec{}, scale_));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::ApplicationModal);
  connect(box, &QMessageBox::finished, this, [this] {
    messageBox_ = nullptr;
    desktop_->closeMessageBox();
    afterEvent();
  });
  messageBox_ = box;
  box->open();
}

void FrontEnd::messageBoxClosed() {
  // Closed by the game (a controller's A): the box goes too.
  if (QMessageBox* box = messageBox_) {
    messageBox_ = nullptr;
    box->disconnect(this);
    box->close();
  }
}

void FrontEnd::programEnded() {
  for (auto& [form, window] : windows_) window->dismiss();
  pump_.stop();
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

std::uint64_t FrontEnd::clockSeed() {
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace mojara::qt
