// Paints a form's lightweight controls (labels, images, shapes, picture boxes) in drawing order.
#pragma once

#include <QFont>
#include <QRectF>
#include <QRegion>

#include "forms/form.h"
#include "qt/shown_texts.h"

class QPainter;

namespace mojara::qt {

class PictureLibrary;

// Twips to device-independent pixels at a whole-number scale.
struct Scale {
  int factor = 1;
  double px(double twips) const { return twips * factor / forms::kTwipsPerPixel; }
  QRectF rect(const forms::Box& b) const { return {px(b.left), px(b.top), px(b.width), px(b.height)}; }
};

// The face a font name of the game stands for on this system, at its size in pixels.
QFont fontFor(const forms::FontSpec& wanted, const Scale& scale);

// The control's box as shown (form coordinates): where the game put it, or for a label where its
// look in the shown language (ShownTexts::lookOf) puts it.
QRectF shownBox(const forms::Control& control, const Scale& scale, const ShownTexts& texts = ShownTexts::original());

// The pixels (form coordinates) that painting the control may touch; empty when it is not showing.
// A label's captions are shown as `texts` has them.
QRect paintedArea(const forms::Control& control, const PictureLibrary& pictures, const Scale& scale,
                  const ShownTexts& texts = ShownTexts::original());

// How many pixels wider than its room the widest line of the label's caption, shown as `text`,
// is in the label's own face; 0 when every line fits. The room is the label's box as shown, or for
// a label that sizes itself the form's width right of it. A caption that does not fit would be
// narrowed.
double labelOverflow(const forms::Label& label, const QString& text, const forms::Form& form,
                     const Scale& scale, const ShownTexts& texts = ShownTexts::original());

// Paints the form's canvas, or only the part of it in `dirty` (a null region: all of it); the
// painter's clip keeps what lies outside as it was.
void paintForm(QPainter& painter, const forms::Form& form, const PictureLibrary& pictures, const Scale& scale,
               const QRegion& dirty = QRegion(), const ShownTexts& texts = ShownTexts::original());

}  // namespace mojara::qt
