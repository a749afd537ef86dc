#include "web/web_front_end.h"

#include <algorithm>
#include <chrono>

#include "play/texts/versus_words.h"

namespace mojara::web {

WebFrontEnd::WebFrontEnd(WebOptions options)
    : options_(std::move(options)),
      sound_(clock_),
      settingsText_(SettingsText::parse(options_.settingsText)),
      kept_(readSettings(settingsText_)),
      desktop_(*this, clock_, options_.timerResolution),
      // A page goes full screen only at the player's own key: it is never kept.
      play_(desktop_, clock_, *this, kept_.settings, false) {
  if (!kept_.unusable.empty() || !kept_.unreadLines.empty())
    showNotice(kSettingsPartlyRead, PlaySession::kFileNoticeTime);
  if (!kept_.moved.empty()) showNotice(kSettingsBindingsMoved, PlaySession::kFileNoticeTime);
  if (options_.lang.empty()) options_.lang = play_.settings().lang;
  if (options_.lang != kGameLanguage && options_.catalogue) texts_ = WindowTexts(CaptionTranslator(*options_.catalogue));
  texts_.setGame(&play_.game());
  texts_.setBindings(&play_.bindings());
  if (options_.log) {
    lines_.emplace(clock_, logText_);
    lines_->watch(play_.game());
    trace_.emplace(play_.game(), sound_, traceText_);
    play_.standInActs = [this](const std::string& line) { lines_->input(line); };
  }
}

WebFrontEnd::~WebFrontEnd() = default;

void WebFrontEnd::start() {
  if (options_.record) play_.record(options_.programFolder + "/replay.txt");
  nextLook_ = clock_.now() + PlaySession::kLookInterval;
  PlaySession::Start start;
  start.attract = options_.attract;
  start.demo = options_.demo;
  start.fight = options_.fight;
  start.versus = options_.versus;
  start.clockSeed = clockSeed();
  start.runSeed = options_.seed;
  play_.start(start);
}

void WebFrontEnd::advanceTo(forms::Nanos now) {
  // Timers and looks in time order, each at its own moment, as a virtual clock runs them; a timer
  // and a look due together: the timer first, as a window's timers come before idle work.
  while (!ended_) {
    const std::optional<forms::Nanos> due = desktop_.nextDue();
    const bool timer = due && *due <= nextLook_;
    const forms::Nanos t = timer ? *due : nextLook_;
    if (t > now) break;
    clock_.set(std::max(clock_.now(), t));
    if (timer) {
      while (fireNextDueTimer()) continue;
    } else {
      play_.look();
      nextLook_ += PlaySession::kLookInterval;
    }
  }
  if (now > clock_.now() && !ended_) clock_.set(now);
  // Notices go at their time.
  play_.expireNotices();
}

bool WebFrontEnd::fireNextDueTimer() {
  if (!desktop_.fireNextDueTimer(trace_ ? trace_->timerName() : nullptr)) return false;
  if (trace_) trace_->timerFired();
  play_.timerFired();
  return true;
}

bool WebFrontEnd::step() {
  while (!ended_) {
    const std::optional<forms::Nanos> due = desktop_.nextDue();
    if (!due) return false;
    if (*due <= nextLook_) {
      clock_.set(std::max(clock_.now(), *due));
      return fireNextDueTimer();
    }
    advanceTo(nextLook_);
  }
  return false;
}

void WebFrontEnd::keyDown(int code, int shift) {
  if (forms::Form* front = desktop_.foreground(); front && !ended_) play_.keyPressed(*front, code, shift);
}

std::string WebFrontEnd::log(const std::string& endReason) {
  if (lines_ && !endReason.empty() && !logEnded_) {
    lines_->end(ended_ ? "quit" : endReason);
    logEnded_ = true;
  }
  return logText_.str();
}

void WebFrontEnd::setBindings(const KeyBindings& bindings) {
  if (bindings.problem()) return;
  Settings now = play_.settings();
  now.bindings = bindings;
  play_.change(now);
}

void WebFrontEnd::setAttract(bool on) {
  Settings now = play_.settings();
  now.attract = on;
  play_.change(now);
}

void WebFrontEnd::setLang(const std::string& lang) {
  Settings now = play_.settings();
  now.lang = lang;
  play_.change(now);
}

void WebFrontEnd::fullScreenChanged(bool on) {
  requests_.push_back({PageRequest::Kind::FullScreen, on ? "on" : "off", {}});
}

void WebFrontEnd::keepSettings(const Settings& before, const Settings& after) {
  writeChange(settingsText_, before, after);
  requests_.push_back({PageRequest::Kind::SaveSettings, settingsText_.text(), {}});
}

void WebFrontEnd::openVersusWindow(const VersusOpening& opening) {
  keyWindowOpen_ = false;  // the page shows one of its windows at a time: this one takes its place
  // The picks as "P0 P1 WINNER" ("-" for none), and the window's words as shown.
  std::string picks = "-";
  if (opening.fighters)
    picks = std::to_string(opening.fighters->first) + " " + std::to_string(opening.fighters->second) + " " +
            (opening.winner ? std::to_string(*opening.winner) : "-");
  PageRequest request{PageRequest::Kind::OpenVersus, std::move(picks), {}};
  const auto shown = [this](const std::string& text) { return texts_(text); };
  const VersusWords words = versusWords(opening.winner, false);
  for (const Wording* w : {&words.title, &words.heading, &words.fight, &words.back})
    request.words.push_back(w->text(shown));
  requests_.push_back(std::move(request));
}

std::vector<std::string> WebFrontEnd::shown(const std::vector<Wording>& words) const {
  std::vector<std::string> lines;
  for (const Wording& w : words) lines.push_back(w.text([this](const std::string& part) { return texts_(part); }));
  return lines;
}

std::vector<PageRequest> WebFrontEnd::takeRequests() { return std::exchange(requests_, {}); }

void WebFrontEnd::formLoaded(forms::Form& form) {
  if (lines_) lines_->loaded(form);
}

void WebFrontEnd::formMoved(forms::Form& form) {
  if (lines_) lines_->moved(form);
}

void WebFrontEnd::beep() {
  if (lines_) lines_->beep();
  if (trace_) trace_->beep();
  sound_.beep();
}

void WebFrontEnd::formShown(forms::Form& form) {
  if (lines_) lines_->shown(form);
  std::erase(shown_, &form);
  shown_.push_back(&form);
}

void WebFrontEnd::formRaised(forms::Form& form) { formShown(form); }

void WebFrontEnd::formUnloaded(forms::Form& form) {
  if (lines_) lines_->unloaded(form);
  std::erase(shown_, &form);
}

void WebFrontEnd::messageBox(const std::string& text, const std::string& caption) {
  if (lines_) lines_->messageBox(text, caption);
  messageBox_ = MessageBox{texts_(text), texts_(caption)};
}

std::uint64_t WebFrontEnd::clockSeed() {
  if (options_.seed) return *options_.seed + static_cast<std::uint64_t>(clock_.now() / 1'000'000);
  return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

}  // namespace mojara::web
