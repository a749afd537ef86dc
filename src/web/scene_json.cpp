#include "web/scene_json.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "assets/pictures.h"
#include "forms/layout.h"
#include "sim/json.h"

namespace mojara::web {

namespace {

using sim::JsonWriter;

// Pixels at scale 1: whole where the twips are, else to the thousandth.
void pixels(JsonWriter& w, float twips) {
  const double px = static_cast<double>(twips) / forms::kTwipsPerPixel;
  if (px == std::floor(px))
    w.number(static_cast<std::int64_t>(px));
  else
    w.fixed3(px);
}

void box(JsonWriter& w, const forms::Box& b) {
  w.raw('[');
  pixels(w, b.left);
  w.raw(',');
  pixels(w, b.top);
  w.raw(',');
  pixels(w, b.width);
  w.raw(',');
  pixels(w, b.height);
  w.raw(']');
}

void color(JsonWriter& w, const forms::Rgb& c) {
  char text[10];
  std::snprintf(text, sizeof text, "\"#%02x%02x%02x\"", c.r, c.g, c.b);
  w.raw(text);
}

void font(JsonWriter& w, const forms::FontSpec& f) {
  w.raw("{\"name\":").string(f.Name).raw(",\"size\":").fixed3(f.Size).raw(",\"bold\":").boolean(f.Bold);
  w.raw(",\"italic\":").boolean(f.Italic).raw(",\"underline\":").boolean(f.Underline).raw('}');
}

const char* kindName(forms::ControlKind kind) {
  switch (kind) {
    case forms::ControlKind::Label: return "label";
    case forms::ControlKind::Image: return "image";
    case forms::ControlKind::Shape: return "shape";
    case forms::ControlKind::PictureBox: return "pictureBox";
    case forms::ControlKind::CommandButton: return "button";
    case forms::ControlKind::ComboBox: return "combo";
    case forms::ControlKind::TextBox: return "textBox";
    case forms::ControlKind::HScrollBar: return "hScroll";
    default: return "other";
  }
}

void control(JsonWriter& w, const forms::Control& c, const WindowTexts& texts) {
  using K = forms::ControlKind;
  LabelLook look;
  if (c.Kind == K::Label) look = texts.lookOf(static_cast<const forms::Label&>(c));
  w.raw("{\"kind\":\"").raw(kindName(c.Kind)).raw("\",\"name\":").string(c.Name);
  w.raw(",\"index\":").number(c.Index).raw(",\"box\":");
  box(w, shownBox(c, look));
  if (const auto clip = containersClip(c)) {
    // What the containers show of it.
    w.raw(",\"clip\":");
    box(w, *clip);
  }
  switch (c.Kind) {
    case K::Label: {
      const auto& l = static_cast<const forms::Label&>(c);
      w.raw(",\"caption\":").string(texts.caption(l)).raw(",\"font\":");
      font(w, l.Font);
      w.raw(",\"color\":");
      color(w, look.color.value_or(l.ForeColor));
      w.raw(",\"back\":");
      color(w, l.BackColor);
      w.raw(",\"opaque\":").boolean(l.BackStyle == forms::BackMode::Opaque);
      w.raw(",\"align\":\"")
          .raw(l.Alignment == forms::TextAlign::Center  ? "center"
               : l.Alignment == forms::TextAlign::Right ? "right"
                                                        : "left")
          .raw('"');
      w.raw(",\"autoSize\":").boolean(l.AutoSize).raw(",\"wordWrap\":").boolean(l.WordWrap);
      break;
    }
    case K::Image: {
      const auto& i = static_cast<const forms::Image&>(c);
      w.raw(",\"picture\":");
      if (i.Picture.source == forms::PictureRef::Source::Store)
        w.raw("{\"store\":").number(i.Picture.index).raw('}');
      else if (i.Picture.source == forms::PictureRef::Source::Screen &&
               static_cast<std::size_t>(i.Picture.index) < assets::kScreenPictureFiles.size())
        w.raw("{\"file\":").string(assets::kScreenPictureFiles[static_cast<std::size_t>(i.Picture.index)]).raw('}');
      else
        w.raw("null");
      w.raw(",\"stretch\":").boolean(i.Stretch);
      break;
    }
    case K::Shape: {
      const auto& s = static_cast<const forms::Shape&>(c);
      w.raw(",\"style\":\"")
          .raw(s.Style == forms::ShapeKind::Circle             ? "circle"
               : s.Style == forms::ShapeKind::RoundedRectangle ? "rounded"
                                                               : "rectangle")
          .raw("\",\"fill\":");
      color(w, s.FillColor);
      w.raw(",\"fillSolid\":").boolean(s.FillSolid).raw(",\"border\":");
      color(w, s.BorderColor);
      w.raw(",\"borderVisible\":").boolean(s.BorderVisible);
      break;
    }
    case K::PictureBox: {
      const auto& p = static_cast<const forms::PictureBox&>(c);
      w.raw(",\"back\":");
      color(w, p.BackColor);
      w.raw(",\"border\":").boolean(p.Border);
      break;
    }
    case K::CommandButton: {
      const auto& b = static_cast<const forms::CommandButton&>(c);
      w.raw(",\"caption\":").string(texts(b.Caption)).raw(",\"font\":");
      font(w, b.Font);
      w.raw(",\"enabled\":").boolean(b.Enabled).raw(",\"default\":").boolean(b.Default);
      w.raw(",\"cancel\":").boolean(b.Cancel);
      break;
    }
    case K::ComboBox: {
      const auto& b = static_cast<const forms::ComboBox&>(c);
      w.raw(",\"list\":[");
      for (std::size_t i = 0; i < b.List.size(); ++i) {
        if (i) w.raw(',');
        w.string(texts(b.List[i]));
      }
      w.raw("],\"listIndex\":").number(b.ListIndex).raw(",\"text\":").string(texts(b.Text)).raw(",\"font\":");
      font(w, b.Font);
      break;
    }
    case K::TextBox: {
      const auto& t = static_cast<const forms::TextBox&>(c);
      w.raw(",\"text\":").string(texts(t.Text)).raw(",\"font\":");
      font(w, t.Font);
      w.raw(",\"locked\":").boolean(t.Locked).raw(",\"multiLine\":").boolean(t.MultiLine);
      w.raw(",\"scrollBar\":").boolean(t.VerticalScrollBar);
      break;
    }
    case K::HScrollBar: {
      const auto& s = static_cast<const forms::HScrollBar&>(c);
      w.raw(",\"min\":").number(s.Min).raw(",\"max\":").number(s.Max).raw(",\"value\":").number(s.Value);
      w.raw(",\"smallChange\":").number(s.SmallChange).raw(",\"largeChange\":").number(s.LargeChange);
      break;
    }
    default:
      break;
  }
  w.raw('}');
}

void form(JsonWriter& w, const forms::Form& f, const WebFrontEnd& fe) {
  const forms::Desktop& desktop = fe.desktop();
  w.raw("{\"name\":").string(f.name()).raw(",\"caption\":").string(fe.texts()(f.Caption));
  w.raw(",\"width\":");
  pixels(w, f.ScaleWidth);
  w.raw(",\"height\":");
  pixels(w, f.ScaleHeight);
  w.raw(",\"back\":");
  color(w, f.BackColor);
  w.raw(",\"front\":").boolean(desktop.foreground() == &f);
  w.raw(",\"cues\":").boolean(desktop.keyboardCues(f));
  w.raw(",\"focus\":");
  if (const forms::Control* focus = desktop.focus(f))
    w.raw("{\"name\":").string(focus->Name).raw(",\"index\":").number(focus->Index).raw('}');
  else
    w.raw("null");
  w.raw(",\"keyboardMark\":");
  if (const auto mark = fe.navigation().mark(f))
    box(w, *mark);
  else
    w.raw("null");
  w.raw(",\"controls\":[");
  bool first = true;
  for (const forms::Control* c : sceneOrder(f)) {
    if (!first) w.raw(',');
    first = false;
    control(w, *c, fe.texts());
  }
  w.raw("]}");
}

void strings(JsonWriter& w, const std::vector<std::string>& list) {
  w.raw('[');
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i) w.raw(',');
    w.string(list[i]);
  }
  w.raw(']');
}

void millis(JsonWriter& w, forms::Nanos t) { w.raw(sim::jsonMillis(t)); }

const char* requestName(PageRequest::Kind kind) {
  switch (kind) {
    case PageRequest::Kind::FullScreen: return "fullScreen";
    case PageRequest::Kind::SaveSettings: return "saveSettings";
    case PageRequest::Kind::OpenKeySettings: return "openKeySettings";
    case PageRequest::Kind::OpenVersus: return "openVersus";
    case PageRequest::Kind::ReplayWritten: return "replayWritten";
  }
  return "";
}

// How many players at the page steer a fighter now: none outside a fight or in a demo fight, two
// in a versus fight. The page shows each of them their own on-screen controls.
int fightingPlayers(const WebFrontEnd& fe) {
  const Game& game = fe.game();
  const auto& shown = fe.shownForms();
  const auto& fight = game.currentFight();
  if (!fight || fight->demo || game.demoPlay()) return 0;
  if (std::find(shown.begin(), shown.end(), &game.form(Window::Battle)) == shown.end()) return 0;
  return fight->versus ? 2 : 1;
}

}  // namespace

std::string SceneWriter::formsJson(const WebFrontEnd& fe) {
  std::string out;
  JsonWriter w(out);
  w.raw('[');
  bool first = true;
  for (const forms::Form* f : fe.shownForms()) {
    if (!first) w.raw(',');
    first = false;
    form(w, *f, fe);
  }
  w.raw(']');
  return out;
}

std::string SceneWriter::scene(WebFrontEnd& fe) {
  std::string out;
  JsonWriter w(out);
  w.raw("{\"time\":");
  millis(w, fe.now());
  w.raw(",\"forms\":");
  if (changes_.changed(fe))
    w.raw(formsJson(fe));
  else
    w.raw("null");
  w.raw(",\"players\":").number(fightingPlayers(fe));
  w.raw(",\"messageBox\":");
  if (const auto& box = fe.messageBox()) {
    w.raw("{\"text\":").string(box->text).raw(",\"caption\":").string(box->caption);
    // Drawn in the game's own font, as the message box of the game's time was.
    font(w.raw(",\"font\":"), forms::FontSpec{});
    w.raw('}');
  } else {
    w.raw("null");
  }
  w.raw(",\"notices\":");
  strings(w, fe.notices());
  w.raw(",\"marks\":");
  strings(w, fe.marks());
  w.raw(",\"sounds\":[");
  bool first = true;
  for (const SoundEvent& e : fe.sound().takeEvents()) {
    if (!first) w.raw(',');
    first = false;
    switch (e.kind) {
      case SoundEvent::Kind::Play:
        w.raw("{\"type\":\"play\",\"slot\":").string(e.slot).raw(",\"file\":").string(e.file);
        w.raw(",\"music\":").boolean(e.music);
        break;
      case SoundEvent::Kind::Stop:
        w.raw("{\"type\":\"stop\",\"slot\":").string(e.slot);
        break;
      case SoundEvent::Kind::Beep:
        w.raw("{\"type\":\"beep\",\"file\":").string(e.file);
        break;
    }
    w.raw(",\"at\":");
    millis(w, e.at);
    w.raw('}');
  }
  w.raw("],\"requests\":[");
  first = true;
  for (const PageRequest& r : fe.takeRequests()) {
    if (!first) w.raw(',');
    first = false;
    w.raw("{\"type\":\"").raw(requestName(r.kind)).raw("\",\"text\":").string(r.text);
    if (!r.words.empty()) strings(w.raw(",\"words\":"), r.words);
    w.raw('}');
  }
  const SoundLevels& levels = fe.sound().levels();
  w.raw("],\"levels\":{\"music\":").fixed3(levels.musicGain()).raw(",\"effects\":").fixed3(levels.effectsGain());
  w.raw(",\"musicLevel\":").number(levels.music).raw(",\"effectsLevel\":").number(levels.effects);
  w.raw(",\"muted\":").boolean(levels.muted).raw("},\"ended\":").boolean(fe.ended()).raw('}');
  return out;
}

std::string assetsJson() {
  std::string out;
  JsonWriter w(out);
  w.raw("{\"store\":{\"file\":").string(assets::kStoreFile).raw(",\"columns\":").number(assets::kStoreColumns);
  w.raw(",\"cell\":").number(assets::kStoreCellPixels).raw(",\"cells\":").number(assets::kStoreSize);
  w.raw("},\"screen\":[");
  for (std::size_t i = 0; i < assets::kScreenPictureFiles.size(); ++i) {
    if (i) w.raw(',');
    w.string(assets::kScreenPictureFiles[i]);
  }
  w.raw("],\"sounds\":[");
  const std::string_view sounds[] = {assets::kMusicFile, assets::kHitSoundFile, assets::kKnockDownSoundFile,
                                     assets::kBeepFile};
  for (std::size_t i = 0; i < std::size(sounds); ++i) {
    if (i) w.raw(',');
    w.string(sounds[i]);
  }
  w.raw("]}");
  return out;
}

}  // namespace mojara::web
