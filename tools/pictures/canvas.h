// A paletted drawing surface: every pixel is one of the sixteen colours or Clear.
#pragma once

#include <QImage>
#include <cmath>
#include <span>
#include <vector>

#include "palette.h"

namespace pictures {

// A point in pixel coordinates; whole numbers are pixel centres.
struct Pt {
  float x = 0;
  float y = 0;
};

constexpr Pt operator+(Pt a, Pt b) { return {a.x + b.x, a.y + b.y}; }
constexpr Pt operator-(Pt a, Pt b) { return {a.x - b.x, a.y - b.y}; }
constexpr Pt operator*(Pt a, float k) { return {a.x * k, a.y * k}; }
constexpr Pt lerp(Pt a, Pt b, float t) { return a + (b - a) * t; }

// Pixels are addressed by column and row. The shape primitives (disc, ellipse, capsule, polygon,
// line) take display units instead: a picture stretched into a box of another shape shows each
// pixel pixelAspect times as tall as it is wide, and one display unit is a pixel's width on
// screen, across and down alike. So pixel (x, y) is centred at display point (x, y * pixelAspect),
// and a disc comes out round as the player sees it.
class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, Colour fill = Clear, float pixelAspect = 1.0f);

  int width() const { return w_; }
  int height() const { return h_; }
  float pixelAspect() const { return aspect_; }
  // The picture's height in display units, and the row shown at a display height.
  float displayHeight() const { return float(h_) * aspect_; }
  int rowAt(float displayY) const { return int(std::lround(displayY / aspect_)); }
  Pt toDisplay(int x, int y) const { return {float(x), float(y) * aspect_}; }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  Colour at(int x, int y) const { return inside(x, y) ? px_[index(x, y)] : Clear; }
  bool solid(int x, int y) const { return at(x, y) != Clear; }
  void set(int x, int y, Colour c) {
    if (inside(x, y)) px_[index(x, y)] = c;
  }
  // Paints only where something is already drawn.
  void paint(int x, int y, Colour c) {
    if (solid(x, y)) set(x, y, c);
  }

  void fillRect(int x, int y, int w, int h, Colour c);
  void disc(Pt centre, float r, Colour c);
  void ellipse(Pt centre, float rx, float ry, Colour c);
  // A thick stroke with round ends.
  void capsule(Pt a, Pt b, float r, Colour c);
  void polygon(std::span<const Pt> corners, Colour c);
  void line(Pt a, Pt b, Colour c);

  // Copies the solid pixels of src with its top-left corner at pixel (x, y).
  void blit(const Canvas& src, int x, int y);
  Canvas mirrored() const;
  Canvas scaled(int factor) const;
  // Stretched nearest-neighbour to w x h pixels, as a window shows a picture in a box.
  Canvas stretched(int w, int h) const;
  // Turned a quarter counter-clockwise: what faced right now faces up.
  Canvas turnedLeft() const;
  Canvas cropped(int x, int y, int w, int h) const;

  // Surrounds the drawn shape with a one pixel rim.
  void outline(Colour c = Black);
  // Darkens pixels whose neighbour at (dx, dy) is empty, up to depth pixels in.
  void shadeEdge(int dx, int dy, int depth = 1);
  // Lightens pixels whose neighbour at (dx, dy) is empty.
  void lightEdge(int dx, int dy, Colour only = Clear);
  // Replaces one colour by another everywhere.
  void recolour(Colour from, Colour to);

  int solidCount() const;
  bool operator==(const Canvas&) const = default;

  QImage toImage() const;

 private:
  int index(int x, int y) const { return y * w_ + x; }
  int w_ = 0;
  int h_ = 0;
  float aspect_ = 1.0f;
  std::vector<Colour> px_;
};

}  // namespace pictures
