// The ending picture: the whole cast gathered for a last group shot at sunset.
#include <cmath>

#include "fighters.h"
#include "scenery.h"
#include "screens.h"
#include "store.h"
#include "texture.h"

namespace pictures {

namespace {

constexpr int kWidth = 325;
constexpr int kHeight = 179;
constexpr int kHorizon = 110;

}  // namespace

Canvas drawEnding(const Canvas& store) {
  Canvas c(kWidth, kHeight);
  gradient(c, 0, kHorizon, {Navy, Purple, Red, Yellow});
  for (int i = 0; i < 40; ++i) {  // the first stars come out
    const int x = int(noise(i, 7, 70) % kWidth), y = int(noise(i, 8, 70) % 30);
    c.set(x, y, i % 4 ? Silver : White);
  }
  c.disc({162, float(kHorizon)}, 26, Yellow);  // the setting sun
  c.disc({162, float(kHorizon)}, 22, White);
  for (int y : {96, 102, 106}) c.fillRect(130, y, 65, 1, dither(Red, Yellow, 8, 0, y) == Red ? Red : Yellow);
  gradient(c, kHorizon, kHeight, {Olive, Green, Green});
  for (int x = 0; x < kWidth; ++x)  // far hills against the sun
    for (int y = kHorizon - 8; y < kHorizon; ++y)
      if (y >= kHorizon - 2 - int(4 + 3 * std::sin(x / 23.0) + noise(x / 4, 1, 71) % 2)) c.set(x, y, Green);
  // back row, standing on the rise
  const int back[] = {storeIndex(Daiganmen, 0, Victory), storeIndex(Jiro, 0, Victory),
                      storeIndex(Hanii, 0, Rest), storeIndex(Kokutanjin, 0, Victory)};
  const int backX[] = {64, 144, 222, 300};
  for (int i = 0; i < 4; ++i) {
    groundShadow(c, {float(backX[i]), 131}, 20, 3);
    stand(c, store, back[i], backX[i], 131, 2);
  }
  // front row
  const int front[] = {storeIndex(Daisaku, 0, Victory), storeIndex(Miyo, 0, Victory),
                       storeIndex(Tama, 0, Victory), storeIndex(IronDoll, 0, Victory)};
  const int frontX[] = {26, 104, 182, 262};
  for (int i = 0; i < 4; ++i) {
    const int x = frontX[i];
    groundShadow(c, {float(x), 173}, 22, 3);
    stand(c, store, front[i], x, 173, 2);
  }
  return c;
}

}  // namespace pictures
