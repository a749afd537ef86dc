// SIGINT, SIGTERM and SIGHUP (the terminal it was started from closed) end the windowed program as
// closing its window does: the event loop stops and the program winds up in order, so a fight
// being recorded is written as far as it went.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace mojara::qt {

class QuitOnSignals : public QObject {
 public:
  QuitOnSignals();
  ~QuitOnSignals() override;

 private:
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace mojara::qt
