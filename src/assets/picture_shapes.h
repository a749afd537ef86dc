// How each fixed picture is shown: its bitmap's size in pixels and the box, in twips, that its
// window stretches it into. Stretched into a box of another shape, a bitmap pixel is shown
// pixelAspect() times as tall as it is wide, so the pictures are drawn for that shape.
// Self-contained: the picture generator includes it too.
#pragma once

namespace mojara::assets {

struct PictureShape {
  int width;      // the bitmap, pixels
  int height;
  int boxWidth;   // the box it is shown in, twips
  int boxHeight;

  // How many times as tall as wide one bitmap pixel is shown.
  constexpr double pixelAspect() const {
    return (static_cast<double>(boxHeight) / height) / (static_cast<double>(boxWidth) / width);
  }
};

inline constexpr PictureShape kTitleShape{279, 157, 4185, 2880};     // Form3 Image1
inline constexpr PictureShape kWorldMapShape{279, 157, 6000, 2430};  // Form5 Image1
inline constexpr PictureShape kContinueShape{255, 200, 4350, 3000};  // Form6 Image1
inline constexpr PictureShape kEndingShape{325, 179, 4935, 3375};    // Form7 Image1
// A store picture in the battle's GAZOU slots, and a portrait in the select window's KYARA slots
// (where three store pictures are shown too). The fighters are drawn for the battle.
inline constexpr PictureShape kFighterShape{32, 32, 855, 1065};
inline constexpr PictureShape kPortraitShape{32, 32, 750, 855};

}  // namespace mojara::assets
