// Paints a form's lightweight controls (labels, images, shapes, picture boxes) in drawing order.
#pragma once

#include <QFont>
#include <QRectF>
#include <QRegion>

#include "forms/form.h"

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

// The pixels (form coordinates) that painting the control may touch; empty when it is not showing.
QRect paintedArea(const forms::Control& control, const PictureLibrary& pictures, const Scale& scale);

// Paints the form's canvas, or only the part of it in `dirty` (a null region: all of it); the
// painter's clip keeps what lies outside as it was.
void paintForm(QPainter& painter, const forms::Form& form, const PictureLibrary& pictures,
               const Scale& scale, const QRegion& dirty = QRegion());

}  // namespace mojara::qt
