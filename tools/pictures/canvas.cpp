#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace pictures {

Canvas::Canvas(int width, int height, Colour fill, float pixelAspect)
    : w_(width), h_(height), aspect_(pixelAspect), px_(std::size_t(width) * std::size_t(height), fill) {}

void Canvas::fillRect(int x, int y, int w, int h, Colour c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) set(i, j, c);
}

void Canvas::disc(Pt centre, float r, Colour c) { ellipse(centre, r, r, c); }

void Canvas::ellipse(Pt centre, float rx, float ry, Colour c) {
  const int x0 = int(std::floor(centre.x - rx)), x1 = int(std::ceil(centre.x + rx));
  const int y0 = int(std::floor((centre.y - ry) / aspect_)), y1 = int(std::ceil((centre.y + ry) / aspect_));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const float dx = (x - centre.x) / rx, dy = (y * aspect_ - centre.y) / ry;
      if (dx * dx + dy * dy <= 1.0f) set(x, y, c);
    }
}

void Canvas::capsule(Pt a, Pt b, float r, Colour c) {
  const int x0 = int(std::floor(std::min(a.x, b.x) - r)), x1 = int(std::ceil(std::max(a.x, b.x) + r));
  const int y0 = int(std::floor((std::min(a.y, b.y) - r) / aspect_));
  const int y1 = int(std::ceil((std::max(a.y, b.y) + r) / aspect_));
  const Pt d = b - a;
  const float len2 = d.x * d.x + d.y * d.y;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const Pt p = toDisplay(x, y);
      float t = len2 > 0 ? ((p.x - a.x) * d.x + (p.y - a.y) * d.y) / len2 : 0.0f;
      t = std::clamp(t, 0.0f, 1.0f);
      const Pt q = a + d * t;
      const float ex = p.x - q.x, ey = p.y - q.y;
      if (ex * ex + ey * ey <= r * r) set(x, y, c);
    }
}

void Canvas::polygon(std::span<const Pt> displayCorners, Colour c) {
  if (displayCorners.size() < 3) return;
  // Filled row by row in pixels: a polygon stays a polygon when squeezed into them.
  std::vector<Pt> corners;
  for (const Pt& p : displayCorners) corners.push_back({p.x, p.y / aspect_});
  float top = corners[0].y, bottom = corners[0].y;
  for (const Pt& p : corners) {
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  std::vector<float> cuts;
  for (int y = int(std::ceil(top)); y <= int(std::floor(bottom)); ++y) {
    cuts.clear();
    for (std::size_t i = 0; i < corners.size(); ++i) {
      const Pt a = corners[i], b = corners[(i + 1) % corners.size()];
      if ((a.y <= y && b.y > y) || (b.y <= y && a.y > y))
        cuts.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(cuts.begin(), cuts.end());
    for (std::size_t i = 0; i + 1 < cuts.size(); i += 2)
      for (int x = int(std::ceil(cuts[i] - 0.01f)); x <= int(std::floor(cuts[i + 1] + 0.01f)); ++x)
        set(x, y, c);
  }
}

void Canvas::line(Pt a, Pt b, Colour c) {
  int x0 = int(std::lround(a.x)), y0 = rowAt(a.y);
  const int x1 = int(std::lround(b.x)), y1 = rowAt(b.y);
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    set(x0, y0, c);
    if (x0 == x1 && y0 == y1) return;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Canvas::blit(const Canvas& src, int x, int y) {
  for (int j = 0; j < src.h_; ++j)
    for (int i = 0; i < src.w_; ++i)
      if (src.solid(i, j)) set(x + i, y + j, src.at(i, j));
}

Canvas Canvas::mirrored() const {
  Canvas out(w_, h_, Clear, aspect_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) out.set(w_ - 1 - x, y, at(x, y));
  return out;
}

Canvas Canvas::scaled(int factor) const {
  Canvas out(w_ * factor, h_ * factor, Clear, aspect_);
  for (int y = 0; y < out.h_; ++y)
    for (int x = 0; x < out.w_; ++x) out.set(x, y, at(x / factor, y / factor));
  return out;
}

Canvas Canvas::stretched(int w, int h) const {
  Canvas out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.set(x, y, at(x * w_ / w, y * h_ / h));
  return out;
}

Canvas Canvas::turnedLeft() const {
  Canvas out(h_, w_, Clear, 1.0f / aspect_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) out.set(y, w_ - 1 - x, at(x, y));
  return out;
}

Canvas Canvas::cropped(int x, int y, int w, int h) const {
  Canvas out(w, h, Clear, aspect_);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.set(i, j, at(x + i, y + j));
  return out;
}

void Canvas::outline(Colour c) {
  const Canvas before = *this;
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x)
      if (!before.solid(x, y) && (before.solid(x - 1, y) || before.solid(x + 1, y) ||
                                  before.solid(x, y - 1) || before.solid(x, y + 1)))
        set(x, y, c);
}

void Canvas::shadeEdge(int dx, int dy, int depth) {
  const Canvas before = *this;
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      if (!before.solid(x, y)) continue;
      for (int k = 1; k <= depth; ++k)
        if (!before.solid(x + dx * k, y + dy * k)) {
          set(x, y, shadeOf(before.at(x, y)));
          break;
        }
    }
}

void Canvas::lightEdge(int dx, int dy, Colour only) {
  const Canvas before = *this;
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x)
      if (before.solid(x, y) && !before.solid(x + dx, y + dy) && (only == Clear || before.at(x, y) == only))
        set(x, y, lightOf(before.at(x, y)));
}

void Canvas::recolour(Colour from, Colour to) { std::replace(px_.begin(), px_.end(), from, to); }

int Canvas::solidCount() const {
  return int(std::count_if(px_.begin(), px_.end(), [](Colour c) { return c != Clear; }));
}

QImage Canvas::toImage() const {
  QImage image(w_, h_, QImage::Format_ARGB32);
  for (int y = 0; y < h_; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < w_; ++x) {
      const Colour c = at(x, y);
      row[x] = c == Clear ? 0u : (0xFF000000u | kRgb[c]);
    }
  }
  return image;
}

}  // namespace pictures
