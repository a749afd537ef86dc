// The shared drawing frame of the large cast: where a sprite's stick figure lands in a bigger
// picture, and how each body part is lit and rimmed at that size.
#pragma once

#include "canvas.h"
#include "pose.h"

namespace pictures {

class LargeFrame {
 public:
  LargeFrame(float scale, float pixelAspect);

  // A point of the 32x32 sprite cell in display units of the large canvas.
  Pt at(Pt cell) const { return cell * scale_ + Pt{kMargin, kMargin}; }
  // A length of the sprite cell in display units.
  float len(float cell) const { return cell * scale_; }
  float scale() const { return scale_; }
  float aspect() const { return aspect_; }
  Canvas blank() const { return Canvas(width_, height_, Clear, aspect_); }

  // A body part made solid: its back and underside fall into shadow a little deeper than one
  // pixel, so the shading keeps its weight at this size; shiny parts catch the light on
  // their leading and upper edges; a black rim goes round it.
  void finish(Canvas& part, bool shine, bool inShadow) const;

  // Places head art drawn on square pixels (centred at (centre, centre)) with its centre on a
  // display point, squeezed to this picture's pixel shape.
  void placeSquare(Canvas& on, const Canvas& art, int centre, Pt displayCentre) const;

 private:
  static constexpr float kMargin = 4;
  float scale_;
  float aspect_;
  int width_;
  int height_;
};

// Art drawn on square pixels, resampled to pixels aspect times as tall as wide. Only ever
// shrinks along one axis (drop rows for tall pixels, columns for flat ones), so no line grows
// thicker than a pixel; `shrinkX`/`shrinkY` report the factors used.
Canvas squeezed(const Canvas& art, float aspect, float* shrinkX = nullptr, float* shrinkY = nullptr);

// How much larger than asked to draw square-pixel art so that squeezing it gives the size asked.
float squareOversize(float aspect);

// The two cast members who are not dressed-up stick figures, drawn large from the same skeleton:
// the big face's hands and feet go where the stick figure's do, the haniwa raises its arms with it.
Canvas drawLargeBigFace(const Skeleton& pose, const LargeFrame& frame);
Canvas drawLargeHanii(const Skeleton& pose, const LargeFrame& frame);

}  // namespace pictures
