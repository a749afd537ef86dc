#include "qt/canvas_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "forms/layout.h"
#include "qt/picture_library.h"

namespace mojara::qt {

namespace {

QColor colorOf(const forms::Rgb& c) { return QColor(c.r, c.g, c.b); }

// Our faces run a little wider than the ones the game was laid out with: a word that would not fit
// its label is narrowed to fit instead of being cut off.
QFont fittedFont(QFont font, const QString& text, double width) {
  const auto widestWord = [&text](const QFont& face) {
    const QFontMetricsF metrics(face);
    double widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
      for (const QString& word : line.split(QLatin1Char(' ')))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest;
  };
  // The spacing bold adds does not narrow with the glyphs: narrow again until the word fits.
  int stretch = 100;
  for (double widest = widestWord(font); widest > width && widest > 0 && stretch > 50; widest = widestWord(font)) {
    stretch = std::max(50, std::min(stretch - 1, static_cast<int>(stretch * width / widest)));
    font.setStretch(stretch);
  }
  return font;
}

// The game's bold is no face of its own: the glyph is struck again one pixel to the right, and each
// character advances that pixel more. At N times the size the pixel is N pixels wide, so bold text
// weighs the same at every scale (our faces have no bold, and the one Qt makes up stops at large
// sizes).
int overstrikeOf(const forms::FontSpec& wanted, const Scale& scale) { return wanted.Bold ? scale.factor : 0; }

QFont labelFontFor(const forms::FontSpec& wanted, const Scale& scale) {
  QFont font = fontFor(wanted, scale);
  font.setBold(false);
  if (const int overstrike = overstrikeOf(wanted, scale))
    font.setLetterSpacing(QFont::AbsoluteSpacing, overstrike);
  return font;
}

// How far the ink of a slanted word, struck `overstrike` pixels over, runs past its advance: the
// most over the caption's words, as any of them may end a line.
double overhangOf(const QFont& font, const QString& text, int overstrike) {
  if (!font.italic()) return 0;
  const QFontMetricsF metrics(font);
  double most = 0;
  for (const QString& line : text.split(QLatin1Char('\n')))
    for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      QPainterPath outline;
      outline.addText(0, 0, font, word);
      most = std::max(most, outline.boundingRect().right() + overstrike - metrics.horizontalAdvance(word));
    }
  return std::ceil(most);
}

// Where and how a label's caption is set: worked out once for each look of the label, as finding
// a slanted caption's overhang and a fitting width means laying the text out.
struct LabelLayout {
  QFont font;
  QRectF area;      // what the label covers: its box, or what its text needs when it sizes itself
  QRectF textArea;  // where the text is set inside it
  int flags = 0;
  int overstrike = 0;
  // Set only where the lines are set closer than the face's own spacing: each line's text and
  // its top inside the text area.
  std::vector<std::pair<QString, double>> closerLines;
};

struct LabelKey {
  QString caption;  // as shown
  forms::FontSpec font;
  int scale;
  double width, height;
  forms::TextAlign alignment;
  bool autoSize, wordWrap;
  bool operator==(const LabelKey&) const = default;
};

// Our faces' lines are taller than the game's (whose line is one em, ascent and descent together),
// so a box the game filled with lines would cut the foot off the last one. Where that would
// happen, the lines of a label of fixed size are set closer, down to one em apart, until the last
// line's ink is in the box; the same rule at every scale, as the box and the face grow together.
std::vector<std::pair<QString, double>> closerLines(const QFont& font, const QString& text,
                                                    const QRectF& box) {
  QString shown = text;
  shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
  QTextLayout layout(shown, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);  // as a label of fixed size wraps
  layout.setTextOption(option);
  QStringList lines;
  double ascent = 0, pitch = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(box.width());
    lines << shown.mid(line.textStart(), line.textLength()).remove(QChar::LineSeparator);
    ascent = line.ascent();
    pitch = line.height() + line.leading();
  }
  layout.endLayout();
  if (lines.size() < 2) return {};
  const QFontMetricsF metrics(font);
  double below = metrics.tightBoundingRect(lines.back()).bottom();  // the last line's ink under its baseline
  if (font.underline()) below = std::max(below, metrics.underlinePos() + metrics.lineWidth());
  const auto gaps = static_cast<double>(lines.size() - 1);
  if (gaps * pitch + ascent + below <= box.height()) return {};  // the face's own spacing fits
  const double closer = std::max<double>(font.pixelSize(), std::floor((box.height() - ascent - below) / gaps));
  if (closer >= pitch) return {};
  std::vector<std::pair<QString, double>> placed;
  for (qsizetype i = 0; i < lines.size(); ++i) placed.emplace_back(lines[i], static_cast<double>(i) * closer);
  return placed;
}

LabelLayout layOut(const forms::Label& label, const QString& text, const QRectF& box, const Scale& scale) {
  LabelLayout layout;
  layout.overstrike = overstrikeOf(label.Font, scale);
  const QFont font = labelFontFor(label.Font, scale);
  // A slanted last glyph leans out of its advance: the text is set that much short of the right
  // edge, so that nothing of it is cut off.
  const double overhang = overhangOf(font, text, layout.overstrike);
  const QRectF room = box.adjusted(0, 0, -overhang, 0);
  layout.font = label.AutoSize ? font : fittedFont(font, text, room.width());
  layout.flags = Qt::AlignTop;
  layout.flags |= label.Alignment == forms::TextAlign::Center  ? Qt::AlignHCenter
                  : label.Alignment == forms::TextAlign::Right ? Qt::AlignRight
                                                               : Qt::AlignLeft;
  layout.area = box;
  if (label.AutoSize) {
    // The label grows to its text: to the right on one line, or downward when it wraps.
    const QRectF needed = QFontMetrics(layout.font).boundingRect(
        label.WordWrap ? room.toRect() : QRect(0, 0, 100000, 100000), (label.WordWrap ? Qt::TextWordWrap : 0),
        text);
    if (!label.WordWrap) layout.area.setWidth(needed.width() + overhang);
    layout.area.setHeight(needed.height());
  } else {
    layout.flags |= Qt::TextWordWrap;
  }
  layout.textArea = layout.area.adjusted(0, 0, -overhang, 0);
  if (!label.AutoSize) layout.closerLines = closerLines(layout.font, text, layout.textArea);
  return layout;
}

// The layouts of the labels' latest looks. A window shows a few dozen labels, so a short list
// searched from the newest keeps every label's current layout at hand.
LabelLayout layoutOf(const forms::Label& label, const QString& text, const QRectF& box, const Scale& scale) {
  struct Entry {
    LabelKey key;
    LabelLayout layout;
  };
  static std::vector<Entry> cache;
  constexpr std::size_t kKept = 256;
  // The layout is the same wherever the box stands: it is worked out at the origin and moved.
  LabelKey key{text,         label.Font,      scale.factor,   box.width(),
               box.height(), label.Alignment, label.AutoSize, label.WordWrap};
  auto it = std::find_if(cache.rbegin(), cache.rend(), [&key](const Entry& e) { return e.key == key; });
  if (it == cache.rend()) {
    if (cache.size() >= kKept) cache.erase(cache.begin(), cache.begin() + kKept / 2);
    cache.push_back({std::move(key), layOut(label, text, QRectF(QPointF(0, 0), box.size()), scale)});
    it = cache.rbegin();
  }
  LabelLayout layout = it->layout;
  layout.area.translate(box.topLeft());
  layout.textArea.translate(box.topLeft());
  return layout;
}

void paintLabel(QPainter& p, const forms::Label& label, const QString& text, const QRectF& box,
                const Scale& scale, const forms::Rgb& color) {
  const LabelLayout layout = layoutOf(label, text, box, scale);
  if (label.BackStyle == forms::BackMode::Opaque) p.fillRect(layout.area, colorOf(label.BackColor));
  p.setFont(layout.font);
  p.setPen(colorOf(color));
  p.save();
  p.setClipRect(layout.area, Qt::IntersectClip);
  for (int dx = 0; dx <= layout.overstrike; ++dx) {
    const QRectF area = layout.textArea.translated(dx, 0);
    if (layout.closerLines.empty()) {
      p.drawText(area, layout.flags, text);
      continue;
    }
    for (const auto& [line, top] : layout.closerLines)
      p.drawText(area.adjusted(0, top, 0, 0), layout.flags & ~Qt::TextWordWrap, line);
  }
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

namespace {

QRectF imageTarget(const forms::Image& image, const QImage& picture, const QRectF& box, const Scale& scale) {
  return image.Stretch ? box : QRectF(box.topLeft(), QSizeF(picture.size()) * scale.factor);
}

}  // namespace

QRectF shownBox(const forms::Control& c, const Scale& scale, const ShownTexts& texts) {
  QRectF box = scale.rect(forms::absoluteBox(c));
  if (c.Kind != forms::ControlKind::Label) return box;
  const ShownTexts::LabelLook look = texts.lookOf(static_cast<const forms::Label&>(c));
  return box.adjusted(-scale.px(look.wider), scale.px(look.down), scale.px(look.wider), scale.px(look.down));
}

double labelOverflow(const forms::Label& label, const QString& text, const forms::Form& form,
                     const Scale& scale, const ShownTexts& texts) {
  const QFont font = labelFontFor(label.Font, scale);
  const QFontMetricsF metrics(font);
  const QRectF box = shownBox(label, scale, texts);
  const double room = label.AutoSize ? scale.px(form.ScaleWidth) - box.left() : box.width();
  double widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n')))
    widest = std::max(widest, metrics.horizontalAdvance(line));
  return std::max(0.0, widest + overhangOf(font, text, overstrikeOf(label.Font, scale)) - room);
}

QRect paintedArea(const forms::Control& c, const PictureLibrary& pictures, const Scale& scale,
                  const ShownTexts& texts) {
  if (!forms::isShowing(c)) return {};
  const QRectF box = shownBox(c, scale, texts);
  QRectF area = box;
  if (c.Kind == forms::ControlKind::Label && static_cast<const forms::Label&>(c).AutoSize) {
    // Only a label that sizes itself covers more or less than its box.
    const auto& label = static_cast<const forms::Label&>(c);
    area = layoutOf(label, texts.caption(label), box, scale).area;
  } else if (c.Kind == forms::ControlKind::Image) {
    const auto& image = static_cast<const forms::Image&>(c);
    const QImage* picture = pictures.find(image.Picture);
    area = picture ? imageTarget(image, *picture, box, scale) : QRectF();
  }
  // A smoothed edge may touch the pixel next to it.
  return area.isEmpty() ? QRect() : area.toAlignedRect().adjusted(-1, -1, 1, 1);
}

void paintForm(QPainter& p, const forms::Form& form, const PictureLibrary& pictures, const Scale& scale,
               const QRegion& dirty, const ShownTexts& texts) {
  const QRectF client(0, 0, scale.px(form.ScaleWidth), scale.px(form.ScaleHeight));
  const bool everything = dirty.isNull();
  p.fillRect(everything ? client : client.intersected(dirty.boundingRect()), colorOf(form.BackColor));
  // Pixel art stays crisp: pictures are stretched nearest-neighbour.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  for (const forms::Control* c : forms::paintOrder(form)) {
    if (!forms::isShowing(*c)) continue;
    // What lies wholly outside the part being repainted is left as it is on screen.
    if (!everything && !dirty.intersects(paintedArea(*c, pictures, scale))) continue;
    const QRectF box = shownBox(*c, scale, texts);
    p.save();
    for (const forms::Control* holder = c->Container; holder; holder = holder->Container)
      p.setClipRect(scale.rect(forms::absoluteBox(*holder)), Qt::IntersectClip);
    switch (c->Kind) {
      case forms::ControlKind::Label: {
        const auto& label = static_cast<const forms::Label&>(*c);
        paintLabel(p, label, texts.caption(label), box, scale, texts.lookOf(label).color.value_or(label.ForeColor));
        break;
      }
      case forms::ControlKind::Image: {
        const auto& image = static_cast<const forms::Image&>(*c);
        if (const QImage* picture = pictures.find(image.Picture))
          p.drawImage(imageTarget(image, *picture, box, scale), *picture);
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
