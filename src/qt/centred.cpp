#include "qt/centred.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace mojara::qt {

QRect workArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

namespace {

QSize withFrame(QSize size) { return size.grownBy(kFrameAllowance); }

}  // namespace

bool fitsIn(QSize size, const QRect& area) {
  const QSize framed = withFrame(size);
  return framed.width() <= area.width() && framed.height() <= area.height();
}

QPoint centredIn(QSize size, const QRect& area) {
  const QSize framed = withFrame(size);
  // Centred where it fits; where it does not, it runs off the right and the bottom only.
  return {area.left() + std::max(0, (area.width() - framed.width()) / 2),
          area.top() + std::max(0, (area.height() - framed.height()) / 2)};
}

}  // namespace mojara::qt
