// The contact sheet: not read by the game, it is how we review the whole cast at a glance.
#include <algorithm>
#include <cmath>
#include <string>

#include "fighters.h"
#include "font.h"
#include "screens.h"
#include "store.h"

namespace pictures {

namespace {

constexpr Colour kPaper = Navy;
constexpr Colour kBackdrop = Teal;  // behind see-through pixels
constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kLabel = 10;

void backdrop(Canvas& sheet, int x, int y, int w, int h) {
  sheet.fillRect(x - 1, y - 1, w + 2, h + 2, Grey);
  sheet.fillRect(x, y, w, h, kBackdrop);
}

// The size a window shows a picture at, at a display scale: its box at 15 twips a pixel.
int shownPixels(int twips, int scale) { return int(std::lround(twips * scale / 15.0)); }

// The picture as the player sees it in its box at `scale`.
Canvas shown(const Canvas& picture, const mojara::assets::PictureShape& shape, int scale) {
  return picture.stretched(shownPixels(shape.boxWidth, scale), shownPixels(shape.boxHeight, scale));
}

// Lays out labelled pictures left to right, wrapping at the sheet's width.
class Row {
 public:
  Row(Canvas& sheet, int& y) : sheet_(sheet), y_(y) {}
  ~Row() { y_ += height_ + kGap; }
  void add(const std::string& label, const Canvas& picture, int gap = kGap) {
    const int w = std::max(picture.width(), textWidth(label));
    if (x_ + w > sheet_.width() - kMargin) {
      y_ += height_ + kGap;
      x_ = kMargin;
      height_ = 0;
    }
    drawText(sheet_, x_, y_, label, White);
    backdrop(sheet_, x_, y_ + kLabel, picture.width(), picture.height());
    sheet_.blit(picture, x_, y_ + kLabel);
    x_ += w + gap;
    height_ = std::max(height_, kLabel + picture.height());
  }
  void skip(int w) { x_ += w; }

 private:
  Canvas& sheet_;
  int& y_;
  int x_ = kMargin;
  int height_ = 0;
};

}  // namespace

Canvas contactSheet(const Canvas& store, const std::vector<Picture>& screens, int cellScale, int largestScale) {
  using mojara::assets::kFighterShape;
  const int cellPx = kCellSize * cellScale;
  const int rowLabel = textWidth("LEFT", 1) + kGap;
  const int width = kMargin * 2 + rowLabel + kCellsPerRow * (cellPx + kGap);
  Canvas sheet(width, 12000, kPaper);
  int y = kMargin;
  drawText(sheet, kMargin, y, "MOJARA TAISEN - PICTURE STORE", Yellow, 2);
  y += 2 * kGlyphHeight + kGap;
  drawText(sheet, kMargin, y, largestScale >= 2 ? "EACH FIGHTER: THE CELLS AS DRAWN, THEN AS THE BATTLE SHOWS THEM AT SCALE 1 AND 2" : "EACH FIGHTER: THE CELLS AS DRAWN, THEN AS THE BATTLE SHOWS THEM", Silver);
  y += kLabel + kGap;

  for (int who = 0; who < FighterCount; ++who) {
    std::string heading = std::to_string(who);
    heading += ' ';
    heading += kFighterNames[std::size_t(who)];
    drawText(sheet, kMargin, y + 2, heading, White, 2);
    y += 2 * kGlyphHeight + kGap;
    for (int facing = 0; facing < 2; ++facing) {
      drawText(sheet, kMargin, y + kLabel + cellPx / 2, facing ? "LEFT" : "RIGHT", Silver);
      for (int pose = 0; pose < PoseCount; ++pose) {
        const int index = storeIndex(who, facing, pose);
        const int x = kMargin + rowLabel + pose * (cellPx + kGap);
        drawText(sheet, x, y, std::to_string(index), Yellow);
        backdrop(sheet, x, y + kLabel, cellPx, cellPx);
        sheet.blit(storeCell(store, index).scaled(cellScale), x, y + kLabel);
      }
      y += kLabel + cellPx + kGap;
    }
    // At scale 1 both facings fit one row; at scale 2, a row each.
    const auto showCells = [&](Row& row, int facing, int scale, const std::string& label) {
      for (int pose = 0; pose < PoseCount; ++pose)
        row.add(pose == 0 ? label : "", shown(storeCell(store, storeIndex(who, facing, pose)), kFighterShape, scale), 2);
    };
    {
      Row row(sheet, y);
      showCells(row, 0, 1, "SCALE 1");
      row.skip(kGap * 2);
      showCells(row, 1, 1, "LEFT");
    }
    for (int facing = 0; facing < 2 && largestScale >= 2; ++facing) {
      Row row(sheet, y);
      showCells(row, facing, 2, facing ? "SCALE 2 LEFT" : "SCALE 2 RIGHT");
    }
    y += kGap;
  }

  drawText(sheet, kMargin, y, "SCREENS", Yellow, 2);
  y += 2 * kGlyphHeight + kGap;
  drawText(sheet, kMargin, y, largestScale >= 2 ? "EACH PICTURE AS DRAWN, THEN AS ITS WINDOW SHOWS IT AT SCALE 1 AND 2" : "EACH PICTURE AS DRAWN, THEN AS ITS WINDOW SHOWS IT", Silver);
  y += kLabel + kGap;
  // The screens a row each; the icons and portraits (32 x 32, magnified) share rows.
  for (const Picture& p : screens)
    if (p.canvas.width() > 32) {
      Row row(sheet, y);
      row.add(p.file, p.canvas, kGap * 3);
      for (int scale = 1; scale <= largestScale; ++scale)
        row.add("SCALE " + std::to_string(scale), shown(p.canvas, *p.shape, scale));
    }
  {
    Row row(sheet, y);
    for (const Picture& p : screens)
      if (p.canvas.width() <= 32) {
        row.add(p.file, p.canvas.scaled(cellScale));
        if (p.shape)
          for (int scale = 1; scale <= largestScale; ++scale)
            row.add(scale == 1 ? "SHOWN" : "", shown(p.canvas, *p.shape, scale));
        row.skip(kGap * 3);
      }
  }
  y += kMargin;
  return sheet.cropped(0, 0, width, y);
}

}  // namespace pictures
