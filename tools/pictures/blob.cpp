// The blue aura a fighter turns into while powering up: one picture for the whole cast.
#include <cmath>

#include "assets/picture_shapes.h"
#include "fighters.h"
#include "texture.h"

namespace pictures {

namespace {

// The blobs are laid out on a square grid, resting on row 30 of the cell; like the fighters they
// are placed in the battle's display units and grown about that point so they fill the cell.
constexpr float kGrown = 1.15f;
constexpr float kMid = 15.5f, kFloor = 30;

Pt shown(Pt p, float aspect) { return {kMid + (p.x - kMid) * kGrown, kFloor * aspect - (kFloor - p.y) * kGrown}; }

}  // namespace

Canvas drawBlob(Pose pose) {
  const float aspect = float(mojara::assets::kFighterShape.pixelAspect());
  const bool tall = pose == BlobTall;
  const Pt centre = tall ? Pt{15.5f, 16.5f} : Pt{15.5f, 23};
  const float rx = tall ? 7.5f : 11.5f, ry = tall ? 13.5f : 7;
  Canvas c(32, 32, Clear, aspect);
  c.ellipse(shown(centre, aspect), rx * kGrown, ry * kGrown, Blue);
  // a wobbling rim, the same every time
  for (int i = 0; i < 10; ++i) {
    const float a = float(i) * 0.6283f + 0.3f;
    const Pt p{centre.x + std::cos(a) * rx * 0.85f, centre.y + std::sin(a) * ry * 0.85f};
    c.disc(shown(p, aspect), (2.0f + float(noise(i, tall, 4) % 2)) * kGrown, Blue);
  }
  for (int y = 31; y < 32; ++y)
    for (int x = 0; x < 32; ++x) c.set(x, y, Clear);
  c.shadeEdge(1, 0, 2);
  c.shadeEdge(0, 1, 1);
  const Canvas body = c;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (body.at(x, y) == Blue && !body.solid(x - 2, y - 1) && body.solid(x + 2, y)) c.set(x, y, Aqua);
  const Pt glint = shown({centre.x - rx * 0.35f, centre.y - ry * 0.45f}, aspect);
  c.ellipse(glint, (tall ? 1.0f : 1.6f) * kGrown, (tall ? 2.0f : 1.0f) * kGrown, White);
  const Pt spark = shown({centre.x - rx * 0.1f, centre.y - ry * 0.7f}, aspect);
  c.set(int(spark.x), c.rowAt(spark.y), White);
  c.outline(Navy);
  return c;
}

}  // namespace pictures
