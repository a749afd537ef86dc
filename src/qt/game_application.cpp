#include "qt/game_application.h"

#include <QMessageBox>
#include <cstdlib>
#include <exception>
#include <iostream>

namespace mojara::qt {

bool GameApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    stopOnError(e.what());
  } catch (...) {
    stopOnError("an unknown error");
  }
  return false;
}

void GameApplication::stopOnError(const std::string& what) {
  if (stopping_) std::_Exit(1);  // another error before the event loop could stop
  stopping_ = true;
  const std::string message = "the game stopped on an error: " + what;
  std::cerr << "mojara: " << message << "\n";
  // Offscreen there is nobody to close the box.
  if (platformName() != QStringLiteral("offscreen"))
    QMessageBox::critical(nullptr, QStringLiteral("mojara"), QString::fromStdString(message));
  // The event loop returns 1 and the program winds up in order (a recording is kept).
  QCoreApplication::exit(1);
}

}  // namespace mojara::qt
