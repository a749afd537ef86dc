#include "qt/notices.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>
#include <QTextOption>
#include <algorithm>

namespace mojara::qt {

namespace {

// The marks' strip: its text is yellow on black, as an arcade's attract screen says it. Returns
// the height it takes from the bottom of `area`.
double paintMarks(QPainter& painter, const QStringList& marks, const QRectF& area, int scale) {
  if (marks.isEmpty()) return 0;
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(11 * scale);
  const QString text = marks.join(QStringLiteral("　"));
  const QFontMetricsF metrics(font);
  const double padding = 2.0 * scale, margin = 1.0 * scale;
  const double width = std::min(area.width() - 2 * margin, metrics.horizontalAdvance(text) + 4 * padding);
  const double height = metrics.height() + 2 * padding;
  const QRectF box(area.center().x() - width / 2, area.bottom() - margin - height, width, height);
  painter.save();
  painter.fillRect(box, QColor(0, 0, 0, 210));
  painter.setFont(font);
  painter.setPen(QColor(255, 224, 0));
  painter.drawText(box, Qt::AlignCenter, text);
  painter.restore();
  return height + margin;
}

}  // namespace

void paintNotices(QPainter& painter, const QStringList& lines, const QStringList& marks, const QRectF& whole,
                  int scale) {
  const QRectF area = whole.adjusted(0, 0, 0, -paintMarks(painter, marks, whole, scale));
  if (lines.isEmpty()) return;
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(12 * scale);
  const double margin = 4.0 * scale, padding = 3.0 * scale;
  QTextOption option(Qt::AlignHCenter | Qt::AlignVCenter);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  const QString text = lines.join(QLatin1Char('\n'));
  const QRectF room = area.adjusted(margin + padding, 0, -(margin + padding), 0);
  const QFontMetricsF metrics(font);
  QRectF needed = metrics.boundingRect(QRectF(room.left(), 0, room.width(), area.height()),
                                       Qt::AlignHCenter | Qt::TextWrapAnywhere, text);
  needed.setHeight(std::min(needed.height(), area.height() - 2 * (margin + padding)));
  const double width = std::min(area.width() - 2 * margin, needed.width() + 2 * padding + 8.0 * scale);
  const QRectF box(area.center().x() - width / 2, area.bottom() - margin - needed.height() - 2 * padding,
                   width, needed.height() + 2 * padding);
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 230));
  painter.drawRoundedRect(box, 3.0 * scale, 3.0 * scale);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(box.adjusted(padding, padding, -padding, -padding), text, option);
  painter.restore();
}

}  // namespace mojara::qt
