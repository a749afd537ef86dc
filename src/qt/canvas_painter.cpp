#include "qt/canvas_painter.h"

#include <QPainter>
#include <QString>
#include <cmath>

#include "forms/layout.h"
#include "qt/picture_library.h"

namespace mojara::qt {

namespace {

QColor colorOf(const forms::Rgb& c) { return QColor(c.r, c.g, c.b); }

QString captionText(const std::string& caption) {
  return QString::fromStdString(caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Our faces run a little wider than the ones the game was laid out with: a word that would not fit
// its label is narrowed to fit instead of being cut off.
QFont fittedFont(QFont font, const QString& text, double width) {
  const QFontMetricsF metrics(font);
  double widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n')))
    for (const QString& word : line.split(QLatin1Char(' ')))
      widest = std::max(widest, metrics.horizontalAdvance(word));
  if (widest > width && widest > 0) font.setStretch(std::max(50, static_cast<int>(100 * width / widest)));
  return font;
}

void paintLabel(QPainter& p, const forms::Label& label, const QRectF& box, const Scale& scale) {
  const QString text = captionText(label.Caption);
  p.setFont(label.AutoSize ? fontFor(label.Font, scale)
                           : fittedFont(fontFor(label.Font, scale), text, box.width()));
  int flags = Qt::AlignTop;
  flags |= label.Alignment == forms::TextAlign::Center  ? Qt::AlignHCenter
           : label.Alignment == forms::TextAlign::Right ? Qt::AlignRight
                                                        : Qt::AlignLeft;
  QRectF area = box;
  if (label.AutoSize) {
    // The label grows to its text: to the right on one line, or downward when it wraps.
    const QRectF needed =
        p.fontMetrics().boundingRect(label.WordWrap ? box.toRect() : QRect(0, 0, 100000, 100000),
                                     (label.WordWrap ? Qt::TextWordWrap : 0), text);
    if (!label.WordWrap) area.setWidth(needed.width());
    area.setHeight(needed.height());
  } else {
    flags |= Qt::TextWordWrap;
  }
  if (label.BackStyle == forms::BackMode::Opaque) p.fillRect(area, colorOf(label.BackColor));
  p.setPen(colorOf(label.ForeColor));
  p.save();
  p.setClipRect(area);
  p.drawText(area, flags, text);
  p.restore();
}

void paintShape(QPainter& p, const forms::Shape& shape, const QRectF& box) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(shape.BorderVisible ? QPen(colorOf(shape.BorderColor)) : QPen(Qt::NoPen));
  p.setBrush(shape.FillSolid ? QBrush(colorOf(shape.FillColor)) : QBrush(Qt::NoBrush));
  switch (shape.Style) {
    case forms::ShapeKind::Rectangle:
      p.drawRect(box);
      break;
    case forms::ShapeKind::RoundedRectangle: {
      const double r = std::min(box.width(), box.height()) / 4;
      p.drawRoundedRect(box, r, r);
      break;
    }
    case forms::ShapeKind::Circle: {
      const double d = std::min(box.width(), box.height());
      p.drawEllipse(QRectF(box.center().x() - d / 2, box.center().y() - d / 2, d, d));
      break;
    }
  }
  p.restore();
}

}  // namespace

QFont fontFor(const forms::FontSpec& wanted, const Scale& scale) {
  QString family = QString::fromStdString(wanted.Name);
  if (family == QStringLiteral("ＭＳ Ｐゴシック") || family == QStringLiteral("ＭＳ ゴシック"))
    family = QStringLiteral("IPAPGothic");
  else if (family == QStringLiteral("ＭＳ Ｐ明朝") || family == QStringLiteral("ＭＳ 明朝"))
    family = QStringLiteral("IPAPMincho");
  QFont font(family);
  // Points at 96 dots per inch.
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(wanted.Size * 96.0 / 72.0 * scale.factor))));
  font.setBold(wanted.Bold);
  font.setItalic(wanted.Italic);
  font.setUnderline(wanted.Underline);
  return font;
}

void paintForm(QPainter& p, const forms::Form& form, const PictureLibrary& pictures, const Scale& scale) {
  p.fillRect(QRectF(0, 0, scale.px(form.ScaleWidth), scale.px(form.ScaleHeight)), colorOf(form.BackColor));
  // Pixel art stays crisp: pictures are stretched nearest-neighbour.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  for (const forms::Control* c : forms::paintOrder(form)) {
    if (!forms::isShowing(*c)) continue;
    const QRectF box = scale.rect(forms::absoluteBox(*c));
    p.save();
    for (const forms::Control* holder = c->Container; holder; holder = holder->Container)
      p.setClipRect(scale.rect(forms::absoluteBox(*holder)), Qt::IntersectClip);
    switch (c->Kind) {
      case forms::ControlKind::Label:
        paintLabel(p, static_cast<const forms::Label&>(*c), box, scale);
        break;
      case forms::ControlKind::Image: {
        const auto& image = static_cast<const forms::Image&>(*c);
        if (const QImage* picture = pictures.find(image.Picture)) {
          const QRectF target =
              image.Stretch ? box : QRectF(box.topLeft(), QSizeF(picture->size()) * scale.factor);
          p.drawImage(target, *picture);
        }
        break;
      }
      case forms::ControlKind::Shape:
        paintShape(p, static_cast<const forms::Shape&>(*c), box);
        break;
      case forms::ControlKind::PictureBox: {
        const auto& panel = static_cast<const forms::PictureBox&>(*c);
        p.fillRect(box, colorOf(panel.BackColor));
        if (panel.Border) {
          p.setPen(Qt::black);
          p.drawRect(box.adjusted(0, 0, -1, -1));
        }
        break;
      }
      default:
        break;
    }
    p.restore();
  }
}

}  // namespace mojara::qt
