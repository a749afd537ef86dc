// The contact sheet: not read by the game, it is how we review the whole cast at a glance.
#include <algorithm>
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

}  // namespace

Canvas contactSheet(const Canvas& store, const std::vector<Picture>& screens, int cellScale) {
  const int cellPx = kCellSize * cellScale;
  const int rowLabel = textWidth("LEFT", 1) + kGap;
  const int width = kMargin * 2 + rowLabel + kCellsPerRow * (cellPx + kGap);
  Canvas sheet(width, 6000, kPaper);
  int y = kMargin;
  drawText(sheet, kMargin, y, "MOJARA TAISEN - PICTURE STORE", Yellow, 2);
  y += 2 * kGlyphHeight + kGap;

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
    y += kGap;
  }

  drawText(sheet, kMargin, y, "SCREENS", Yellow, 2);
  y += 2 * kGlyphHeight + kGap;
  const int screenScale = std::max(1, cellScale / 2);
  int x = kMargin, rowHeight = 0;
  for (const Picture& p : screens) {
    const int scale = p.canvas.width() <= 32 ? cellScale : screenScale;
    const int w = std::max(p.canvas.width() * scale, textWidth(p.file));
    const int h = kLabel + p.canvas.height() * scale;
    if (x + w > width - kMargin) {
      x = kMargin;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    drawText(sheet, x, y, p.file, White);
    backdrop(sheet, x, y + kLabel, p.canvas.width() * scale, p.canvas.height() * scale);
    sheet.blit(p.canvas.scaled(scale), x, y + kLabel);
    x += w + kGap * 2;
    rowHeight = std::max(rowHeight, h);
  }
  y += rowHeight + kMargin;
  return sheet.cropped(0, 0, width, y);
}

}  // namespace pictures
