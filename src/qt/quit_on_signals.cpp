#include "qt/quit_on_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <csignal>

namespace mojara::qt {

namespace {

// A signal handler may do next to nothing: it writes a byte, and the event loop reads it.
int signalPipe[2] = {-1, -1};
bool hangUpIgnored = false;

void onSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

}  // namespace

QuitOnSignals::QuitOnSignals() {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;  // signals keep their defaults
  notifier_ = std::make_unique<QSocketNotifier>(signalPipe[1], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [] {
    char byte;
    [[maybe_unused]] const auto read = ::read(signalPipe[1], &byte, 1);
    QCoreApplication::quit();
  });
  struct sigaction action = {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  // Started with hang-ups ignored (nohup), it keeps ignoring them.
  struct sigaction hangUp = {};
  sigaction(SIGHUP, nullptr, &hangUp);
  hangUpIgnored = hangUp.sa_handler == SIG_IGN;
  if (!hangUpIgnored) sigaction(SIGHUP, &action, nullptr);
}

QuitOnSignals::~QuitOnSignals() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  if (!hangUpIgnored) std::signal(SIGHUP, SIG_DFL);
  notifier_.reset();
  for (int& fd : signalPipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

}  // namespace mojara::qt
