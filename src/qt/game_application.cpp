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
}

void GameApplication::stopOnError(const std::string& what) {
  static bool stopping = false;
  if (stopping) std::_Exit(1);  // a second error while telling of the first
  stopping = true;
  const std::string message = "the game stopped on an error: " + what;
  std::cerr << "mojara: " << message << "\n";
  // Offscreen there is nobody to close the box.
  if (platformName() != QStringLiteral("offscreen"))
    QMessageBox::critical(nullptr, QStringLiteral("mojara"), QString::fromStdString(message));
  std::exit(1);
}

}  // namespace mojara::qt
