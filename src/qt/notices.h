// The play session's notices and marks painted over the front window's canvas, never in the game's
// own controls.
#pragma once

#include <QString>
#include <QStringList>

class QPainter;
class QRectF;

namespace mojara::qt {

// Paints `marks` in a slim strip on the bottom edge of `area` (the form's client area), small enough
// to lie on the battle's floor, and `lines` in a dark box above them, at `scale`.
void paintNotices(QPainter& painter, const QStringList& lines, const QStringList& marks, const QRectF& area,
                  int scale);

}  // namespace mojara::qt
