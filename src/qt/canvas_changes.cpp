#include "qt/canvas_changes.h"

#include <cmath>

#include "forms/layout.h"

namespace mojara::qt {

namespace {

// Fills in the control's look, reusing what `look` already holds (its caption's room).
void see(const forms::Control& c, CanvasChanges::Look& look) {
  std::string caption = std::move(look.caption);
  look = {};
  look.caption = std::move(caption);
  look.caption.clear();
  look.control = &c;
  look.showing = forms::isShowing(c);
  look.box = forms::absoluteBox(c);
  switch (c.Kind) {
    case forms::ControlKind::Label: {
      const auto& label = static_cast<const forms::Label&>(c);
      look.caption = label.Caption;
      look.font = label.Font;
      look.fore = label.ForeColor;
      look.back = label.BackColor;
      look.opaque = label.BackStyle == forms::BackMode::Opaque;
      look.alignment = static_cast<int>(label.Alignment);
      look.autoSize = label.AutoSize;
      look.wordWrap = label.WordWrap;
      break;
    }
    case forms::ControlKind::Image: {
      const auto& image = static_cast<const forms::Image&>(c);
      look.picture = image.Picture;
      look.stretch = image.Stretch;
      break;
    }
    case forms::ControlKind::Shape: {
      const auto& shape = static_cast<const forms::Shape&>(c);
      look.style = static_cast<int>(shape.Style);
      look.fill = shape.FillColor;
      look.fillSolid = shape.FillSolid;
      look.border = shape.BorderColor;
      look.borderVisible = shape.BorderVisible;
      break;
    }
    case forms::ControlKind::PictureBox: {
      const auto& panel = static_cast<const forms::PictureBox&>(c);
      look.back = panel.BackColor;
      look.borderVisible = panel.Border;
      break;
    }
    default:
      break;
  }
}

}  // namespace

QRegion CanvasChanges::changed(const forms::Form& form, const PictureLibrary& pictures, const Scale& scale,
                               const ShownTexts& texts) {
  const QSize size(static_cast<int>(std::lround(scale.px(form.ScaleWidth))),
                   static_cast<int>(std::lround(scale.px(form.ScaleHeight))));
  const std::vector<const forms::Control*> order = forms::paintOrder(form);
  const bool everything =
      seen_.size() != order.size() || form.BackColor != backColor_ || size != size_;
  QRegion region = everything ? QRegion(QRect(QPoint(0, 0), size)) : QRegion();
  seen_.resize(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    see(*order[i], scratch_);
    if (!everything && scratch_ == seen_[i].look) continue;
    const QRect area = paintedArea(*order[i], pictures, scale, texts);
    if (!everything) region += QRegion(seen_[i].area) + area;  // where it was and where it is
    std::swap(seen_[i].look, scratch_);
    seen_[i].area = area;
  }
  backColor_ = form.BackColor;
  size_ = size;
  return region;
}

}  // namespace mojara::qt
