#include "web/scene_changes.h"

#include <algorithm>

#include "forms/layout.h"
#include "web/web_front_end.h"

namespace mojara::web {

std::vector<const forms::Control*> sceneOrder(const forms::Form& form) {
  std::vector<const forms::Control*> order;
  for (const forms::Control* c : forms::paintOrder(form))
    if (forms::isShowing(*c)) order.push_back(c);
  const auto& all = form.controls();
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    const forms::Control& c = **it;
    if (c.isLightweight() || c.isInvisibleAtRunTime() || c.Kind == forms::ControlKind::PictureBox) continue;
    if (forms::isShowing(c)) order.push_back(&c);
  }
  return order;
}

forms::Box shownBox(const forms::Control& c, const LabelLook& look) {
  const forms::Box at = forms::absoluteBox(c);
  return {at.left - look.wider, at.top + look.down, at.width + 2 * look.wider, at.height};
}

std::optional<forms::Box> containersClip(const forms::Control& c) {
  if (!c.Container) return std::nullopt;
  forms::Box clip = forms::absoluteBox(*c.Container);
  for (const forms::Control* holder = c.Container->Container; holder; holder = holder->Container) {
    const forms::Box outer = forms::absoluteBox(*holder);
    const float left = std::max(clip.left, outer.left), top = std::max(clip.top, outer.top);
    const float right = std::min(clip.left + clip.width, outer.left + outer.width);
    const float bottom = std::min(clip.top + clip.height, outer.top + outer.height);
    clip = {left, top, std::max(0.0f, right - left), std::max(0.0f, bottom - top)};
  }
  return clip;
}

namespace {

using Look = SceneChanges::ControlLook;

// Fills in what the scene would say of `c`, reusing the room `look` already holds.
void see(const forms::Control& c, const WindowTexts& texts, Look& look) {
  using K = forms::ControlKind;
  std::string text = std::move(look.text);
  std::vector<std::string> list = std::move(look.list);
  look = {};
  look.control = &c;
  look.clip = containersClip(c);
  LabelLook labelLook;
  switch (c.Kind) {
    case K::Label: {
      const auto& l = static_cast<const forms::Label&>(c);
      labelLook = texts.lookOf(l);
      text = texts.caption(l);
      look.font = l.Font;
      look.fore = labelLook.color.value_or(l.ForeColor);
      look.back = l.BackColor;
      look.opaque = l.BackStyle == forms::BackMode::Opaque;
      look.align = static_cast<int>(l.Alignment);
      look.autoSize = l.AutoSize;
      look.wordWrap = l.WordWrap;
      break;
    }
    case K::Image: {
      const auto& i = static_cast<const forms::Image&>(c);
      look.picture = i.Picture;
      look.stretch = i.Stretch;
      break;
    }
    case K::Shape: {
      const auto& s = static_cast<const forms::Shape&>(c);
      look.style = static_cast<int>(s.Style);
      look.fill = s.FillColor;
      look.fillSolid = s.FillSolid;
      look.border = s.BorderColor;
      look.borderVisible = s.BorderVisible;
      break;
    }
    case K::PictureBox: {
      const auto& p = static_cast<const forms::PictureBox&>(c);
      look.back = p.BackColor;
      look.borderVisible = p.Border;
      break;
    }
    case K::CommandButton: {
      const auto& b = static_cast<const forms::CommandButton&>(c);
      text = texts(b.Caption);
      look.font = b.Font;
      look.enabled = b.Enabled;
      look.isDefault = b.Default;
      look.cancel = b.Cancel;
      break;
    }
    case K::ComboBox: {
      const auto& b = static_cast<const forms::ComboBox&>(c);
      list.resize(b.List.size());
      for (std::size_t i = 0; i < b.List.size(); ++i) list[i] = texts(b.List[i]);
      look.listIndex = b.ListIndex;
      text = texts(b.Text);
      look.font = b.Font;
      break;
    }
    case K::TextBox: {
      const auto& t = static_cast<const forms::TextBox&>(c);
      text = texts(t.Text);
      look.font = t.Font;
      look.locked = t.Locked;
      look.multiLine = t.MultiLine;
      look.scrollBar = t.VerticalScrollBar;
      break;
    }
    case K::HScrollBar: {
      const auto& s = static_cast<const forms::HScrollBar&>(c);
      look.min = s.Min;
      look.max = s.Max;
      look.value = s.Value;
      look.smallChange = s.SmallChange;
      look.largeChange = s.LargeChange;
      break;
    }
    default:
      break;
  }
  // Only captions and texts are shown as text; a list only by a combo box.
  if (c.Kind != K::Label && c.Kind != K::CommandButton && c.Kind != K::ComboBox && c.Kind != K::TextBox)
    text.clear();
  if (c.Kind != K::ComboBox) list.clear();
  look.box = shownBox(c, labelLook);
  look.text = std::move(text);
  look.list = std::move(list);
}

}  // namespace

bool SceneChanges::changed(const WebFrontEnd& fe) {
  const forms::Desktop& desktop = fe.desktop();
  const std::vector<forms::Form*>& shown = fe.shownForms();
  bool changed = !known_ || forms_.size() != shown.size();
  forms_.resize(shown.size());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const forms::Form& f = *shown[i];
    FormLook& was = forms_[i];
    const auto keep = [&changed](auto& kept, auto now) {
      if (!(kept == now)) kept = std::move(now), changed = true;
    };
    keep(was.form, &f);
    keep(was.caption, fe.texts()(f.Caption));
    keep(was.width, f.ScaleWidth);
    keep(was.height, f.ScaleHeight);
    keep(was.back, f.BackColor);
    keep(was.front, desktop.foreground() == &f);
    keep(was.cues, desktop.keyboardCues(f));
    keep(was.focus, desktop.focus(f));
    keep(was.mark, fe.navigation().mark(f));
    const std::vector<const forms::Control*> order = sceneOrder(f);
    if (was.controls.size() != order.size()) changed = true;
    was.controls.resize(order.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
      see(*order[k], fe.texts(), scratch_);
      if (scratch_ == was.controls[k]) continue;
      std::swap(scratch_, was.controls[k]);
      changed = true;
    }
  }
  known_ = true;
  return changed;
}

}  // namespace mojara::web
