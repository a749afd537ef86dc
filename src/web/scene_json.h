// What the page is handed after each step, as one JSON object:
//   {"time": ms on the game's clock,
//    "forms": the shown windows back to front, or null when nothing on them changed since the last
//             scene: [{"name", "caption", "width", "height" (client area, pixels at scale 1),
//             "back" "#rrggbb", "front" (has the keyboard), "cues" (the keyboard has been used on
//             it), "focus" {"name","index"} or null, "keyboardMark" [l,t,w,h] or null,
//             "controls": [...]}]; the controls in drawing order, bottom first: the lightweight
//             ones and the picture boxes as the canvas paints them, then the widgets. Each has
//             "kind", "name", "index", "box" [left, top, width, height] in form pixels at scale 1,
//             "clip" (the containers' box, when inside one), and by kind:
//               label: caption, font {name,size (points),bold,italic,underline}, color, back,
//                      opaque, align ("left"|"right"|"center"), autoSize, wordWrap
//               image: picture {"store": cell} or {"file": name}, stretch
//               shape: style ("rectangle"|"rounded"|"circle"), fill, fillSolid, border, borderVisible
//               pictureBox: back, border
//               button: caption, font, enabled, default, cancel
//               combo: list, listIndex, text, font
//               textBox: text, font, locked, multiLine, scrollBar
//               hScroll: min, max, value, smallChange, largeChange
//    "players": how many players at the page steer a fighter now (0 outside a fight and in a demo
//               fight, 1, or 2 in a versus fight),
//    "messageBox": {"text","caption"} or null, "notices": [...], "marks": [...],
//    "sounds": [{"type":"play","slot","file","music","at"} | {"type":"stop","slot","at"} |
//               {"type":"beep","file","at"}] since the last scene,
//    "requests": [{"type":"fullScreen"|"saveSettings"|"openKeySettings"|"openVersus"|..., "text"}],
//    "levels": {"music","effects" (gains 0..1), "musicLevel","effectsLevel","muted"},
//    "ended": whether the program has ended}
// Every text is in the player's language.
#pragma once

#include <string>

#include "web/scene_changes.h"
#include "web/web_front_end.h"

namespace mojara::web {

class SceneWriter {
 public:
  // The scene now, taking the sounds and requests since the last one.
  std::string scene(WebFrontEnd& frontEnd);
  // The shown windows alone, always written.
  static std::string formsJson(const WebFrontEnd& frontEnd);
  // The next scene writes every window again.
  void forget() { changes_.forget(); }

 private:
  SceneChanges changes_;
};

// What the page needs to know once: the sprite store's file and cells, the screen pictures' files.
std::string assetsJson();

}  // namespace mojara::web
