#include "qt/online_play.h"

#include <cmath>
#include <iostream>
#include <mutex>
#include <thread>

#include "battle/battle_window.h"
#include "qt/form_window.h"
#include "qt/online_panel.h"

namespace mojara::qt {

namespace {

using net::OnlineVersus;
using Stage = OnlineVersus::Stage;

// The battle window's title is brought up to date at most this often (nanoseconds).
constexpr forms::Nanos kTitleEvery = 500'000'000;
// How often a host's name being looked up is looked at (ms).
constexpr int kLookUpEvery = 50;

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

// An address as the player would write it: an IPv4 address that reached an IPv6 socket is shown
// as itself ("[::ffff:192.0.2.7]:4913" as "192.0.2.7:4913").
QString addressText(const net::Address& address) {
  QString text = fromUtf8(address.text());
  static const QString mapped = QStringLiteral("[::ffff:");
  if (text.startsWith(mapped)) {
    const int close = text.indexOf(QLatin1Char(']'));
    const QString inside = text.mid(mapped.size(), close - mapped.size());
    if (inside.contains(QLatin1Char('.'))) text = inside + text.mid(close + 1);
  }
  return text;
}

}  // namespace

// A host's name looked up on a thread of its own, so that a slow name server never holds up the
// windows; the thread leaves its answer here and ends, whether or not anyone still wants it.
struct OnlinePlay::LookUp {
  std::string text;
  RoomCode code;
  std::mutex mutex;
  bool done = false;
  std::optional<net::Address> address;
  std::string error;
};

OnlinePlay::OnlinePlay(Game& game, FrontEnd& frontEnd, VersusSession& versus, VersusWindow& window,
                       OnlineVersus::Settings settings)
    : game_(game), frontEnd_(frontEnd), versus_(versus), window_(window), settings_(std::move(settings)) {
  due_.setSingleShot(true);
  due_.setTimerType(Qt::PreciseTimer);
  connect(&due_, &QTimer::timeout, this, [this] { pump(); });
  connect(&lookUpDone_, &QTimer::timeout, this, [this] { lookedUp(); });
  OnlinePanel& panel = window_.panel();
  panel.hostAsked = [this] { host(net::kDefaultPort); };
  panel.joinAsked = [this](const std::string& address, const RoomCode& code) { joinAt(address, code); };
  panel.leaveAsked = [this] { leave(); };
  window_.onlineChanged = [this](int slot, bool ready) {
    if (!session_) return;
    session_->pick(slot);
    session_->setReady(ready);
    pump();
  };
  panel.setStatus(statusLines());
}

OnlinePlay::~OnlinePlay() {
  window_.onlineChanged = nullptr;
  window_.panel().hostAsked = nullptr;
  window_.panel().joinAsked = nullptr;
  window_.panel().leaveAsked = nullptr;
}

void OnlinePlay::host(std::uint16_t port, std::optional<RoomCode> code) {
  drop();
  addresses_.clear();
  for (const std::string& address : net::localAddresses()) addresses_ << fromUtf8(address);
  try {
    if (code) givenCode_ = code;
    auto session = OnlineVersus::host(game_, versus_, port, givenCode_, settings_, net::Clock::now());
    std::cerr << "mojara: waiting for a player on UDP port " << session->port() << ", room code "
              << session->code().text();
    if (const QString invited = invitation(*session); !invited.isEmpty())
      std::cerr << ", invitation " << invited.toStdString();
    std::cerr << "\n";
    start(std::move(session));
  } catch (const net::NetError& e) {
    std::cerr << "mojara: cannot host a game: " << e.what() << "\n";
    end({frontEnd_.texts()("UDP ポート %1 を使えません").arg(port)});
  }
}

void OnlinePlay::join(const std::string& text, std::optional<RoomCode> code) {
  if (code) givenCode_ = code;
  window_.panel().setGivenCode(givenCode_);
  end({});
  // The strip reads the text and joins (joinAt), or says what is missing.
  window_.panel().askToJoin(fromUtf8(text));
}

void OnlinePlay::joinAt(const std::string& address, const RoomCode& code) {
  drop();
  lookUp_ = std::make_shared<LookUp>();
  lookUp_->text = address;
  lookUp_->code = code;
  std::thread([lookUp = lookUp_] {
    std::optional<net::Address> found;
    std::string error;
    try {
      found = net::resolveHostAndPort(lookUp->text, net::kDefaultPort);
    } catch (const net::NetError& e) {
      error = e.what();
    }
    const std::lock_guard lock(lookUp->mutex);
    lookUp->address = found;
    lookUp->error = error;
    lookUp->done = true;
  }).detach();
  window_.panel().setInSession(true);
  window_.playOnline(1);
  window_.showOther(-1, false);
  window_.panel().setStatus(statusLines());
  lookUpDone_.start(kLookUpEvery);
}

void OnlinePlay::lookedUp() {
  if (!lookUp_) return lookUpDone_.stop();
  std::optional<net::Address> address;
  std::string error;
  {
    const std::lock_guard lock(lookUp_->mutex);
    if (!lookUp_->done) return;
    address = lookUp_->address;
    error = lookUp_->error;
  }
  const std::string text = lookUp_->text;
  const RoomCode code = lookUp_->code;
  lookUp_.reset();
  lookUpDone_.stop();
  if (!address) {
    std::cerr << "mojara: cannot join " << text << ": " << error << "\n";
    return end({frontEnd_.texts()("%1 が見つかりません").arg(fromUtf8(text))});
  }
  try {
    start(OnlineVersus::join(game_, versus_, *address, code, settings_, net::Clock::now()));
  } catch (const net::NetError& e) {
    std::cerr << "mojara: cannot join " << text << ": " << e.what() << "\n";
    end({frontEnd_.texts()("%1 が見つかりません").arg(fromUtf8(text))});
  }
}

void OnlinePlay::start(std::unique_ptr<OnlineVersus> session) {
  session_ = std::move(session);
  session_->setRecorder(recorder_);
  fightsShown_ = 0;
  datagrams_ = std::make_unique<QSocketNotifier>(session_->descriptor(), QSocketNotifier::Read);
  connect(datagrams_.get(), &QSocketNotifier::activated, this, [this] { pump(); });
  // The player goes on with the fighter they had picked here.
  const auto picks = window_.picks();
  session_->pick(session_->side() == 0 ? picks.first : picks.second);
  window_.playOnline(session_->side());
  window_.showOther(-1, false);
  window_.panel().setInSession(true);
  pump();
}

void OnlinePlay::leave() { end({}); }

void OnlinePlay::drop() {
  lookUp_.reset();
  lookUpDone_.stop();
  if (!session_) return;
  session_->leave();
  datagrams_.reset();
  due_.stop();
  session_.reset();
}

void OnlinePlay::end(const QStringList& status) {
  drop();
  if (!status.isEmpty())
    std::cerr << "mojara: the versus window says: " << status.join(QStringLiteral(" / ")).toStdString()
              << "\n";
  window_.playOnline(std::nullopt);
  window_.panel().setInSession(false);
  window_.panel().setStatus(status.isEmpty() ? statusLines() : status);
  showRoom();
}

void OnlinePlay::pump() {
  if (!session_) return;
  const auto now = net::Clock::now();
  const long long shown = session_->shown();
  const auto next = session_->pump(now);
  if (session_->fights() > fightsShown_) {
    // A fight has begun: the versus window steps aside for the battle window, and the players
    // say they are ready again after it.
    fightsShown_ = session_->fights();
    window_.dismiss();
    window_.playOnline(session_->side());
    fightTitle_.clear();
  }
  if (session_->stage() == Stage::Ended) {
    std::cerr << "mojara: the online game has ended: " << session_->problem() << "\n";
    QStringList status;
    if (const auto& message = session_->message())
      status << fromUtf8(message->text([this](const std::string& part) { return frontEnd_.texts()(part).toStdString(); }));
    end(status);
    frontEnd_.afterEvent();
    return;
  }
  show();
  // The windows are drawn again only when the fight shown has moved (most wake-ups only take a
  // datagram or send one).
  if (session_->stage() != Stage::Fighting || session_->shown() != shown) frontEnd_.afterEvent();
  const auto wait = std::chrono::duration_cast<std::chrono::microseconds>(next - net::Clock::now()).count();
  due_.start(static_cast<int>(std::max<long long>(0, (wait + 999) / 1000)));
}

void OnlinePlay::show() {
  if (!session_) return;
  if (session_->stage() == Stage::Fighting) return showFightTitle();
  const net::Pick theirs = session_->theirs();
  window_.showOther(theirs.slot, theirs.ready);
  const QStringList lines = statusLines();
  if (lines != window_.panel().status()) window_.panel().setStatus(lines);
  showRoom();
}

void OnlinePlay::showRoom() {
  // The room's code is shown while the host waits for its friend.
  if (!session_ || !session_->hosting() || session_->stage() != Stage::Connecting)
    return window_.panel().showRoom({}, {});
  window_.panel().showRoom(fromUtf8(session_->code().text()), invitation(*session_));
}

QString OnlinePlay::invitation(const OnlineVersus& session) const {
  // At this machine's first address (none: no network but this machine's own).
  if (addresses_.isEmpty()) return {};
  QString address = addresses_.front();
  if (address.contains(QLatin1Char(':'))) address = QLatin1Char('[') + address + QLatin1Char(']');
  address += QLatin1Char(':') + QString::number(session.port());
  return fromUtf8(invitationText(address.toStdString(), session.code()));
}

void OnlinePlay::showFightTitle() {
  FormWindow* battle = frontEnd_.windowOf(game_.battle);
  if (!battle) return;
  const forms::Nanos now = frontEnd_.now();
  if (!fightTitle_.isEmpty() && now - titleShownAt_ < kTitleEvery) return;
  const ShownTexts& texts = frontEnd_.texts();
  QString title = texts(game_.battle.Caption);
  if (const double rtt = session_->rttMs(); rtt > 0)
    title += QStringLiteral(" · ") + texts("%1 ms").arg(static_cast<int>(std::lround(rtt)));
  if (session_->waiting()) title += QStringLiteral(" · ") + texts("相手待ち");
  titleShownAt_ = now;
  if (title == fightTitle_) return;
  fightTitle_ = title;
  battle->setWindowTitle(title);
}

QStringList OnlinePlay::statusLines() const {
  const ShownTexts& texts = frontEnd_.texts();
  if (lookUp_) return {texts("%1 をさがしています…").arg(fromUtf8(lookUp_->text))};
  if (!session_) return {texts("ネット対戦：ホストになるか、招待で参加"), OnlinePanel::example(texts)};
  const auto peer = session_->peer().peerAddress();
  const QString where = peer ? addressText(*peer) : QString();
  if (session_->stage() == Stage::Connecting) {
    if (!session_->hosting()) return {texts("%1 に参加しています…").arg(where)};
    return {texts("UDP ポート %1 で相手を待っています").arg(session_->port()),
            texts("このマシンのアドレス：%1").arg(addresses_.isEmpty() ? QStringLiteral("-") : addresses_.join(QStringLiteral("  ")))};
  }
  QStringList lines;
  if (const double rtt = session_->rttMs(); rtt > 0)
    lines << texts("%1 とつながりました（%2 ms）").arg(where).arg(static_cast<int>(std::lround(rtt)));
  else
    lines << texts("%1 とつながりました").arg(where);
  if (const auto& message = session_->message())
    lines << fromUtf8(message->text([&texts](const std::string& part) { return texts(part).toStdString(); }));
  return lines;
}

}  // namespace mojara::qt
