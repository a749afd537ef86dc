// Where a window of a given size opens: centred on the screen, as every window of the game opens.
#pragma once

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

namespace mojara::qt {

inline QPoint centredOnScreen(QSize size) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  return screen.center() - QPoint(size.width() / 2, size.height() / 2);
}

}  // namespace mojara::qt
