// The windowed program's application object. An error thrown while the game handles an event (a
// hand-edited replay whose points overflow, say) would otherwise escape Qt's event loop and abort
// the program with a core dump; here it ends the program with its message, on standard error and
// in a message box, and exit code 1.
#pragma once

#include <QApplication>
#include <string>

namespace mojara::qt {

class GameApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override;

 private:
  void stopOnError(const std::string& what);
  bool stopping_ = false;
};

}  // namespace mojara::qt
