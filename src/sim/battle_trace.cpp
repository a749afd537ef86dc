#include "sim/battle_trace.h"

#include <cstdio>

#include "battle/battle_window.h"
#include "sim/json.h"

namespace mojara::sim {

BattleView viewOf(const BattleControls& c) {
  BattleView v;
  for (int i = 0; i <= 1; ++i) {
    v.lifeWidth[i] = c.LIFEMATA[i].Width;
    v.powWidth[i] = c.POWMATA[i].Width;
    v.sprites[i] = {static_cast<long>(c.GAZOU[i].Left), static_cast<long>(c.GAZOU[i].Top),
                    c.GAZOU[i].Picture.index};
    v.names[i] = c.WAKUN[i].Caption;
  }
  v.bannerVisible = c.Label2.Visible;
  v.banner = c.Label2.Caption;
  v.messageVisible = c.Label3.Visible;
  v.message = c.Label3.Caption;
  v.messageColor = {c.Label3.ForeColor.r, c.Label3.ForeColor.g, c.Label3.ForeColor.b};
  v.clock = c.ZIKAN.Caption;
  v.markerLeft = static_cast<long>(c.Shape1.Left);
  v.overlayVisible = c.Image1.Visible;
  v.timers = {c.Timer1.Enabled(), c.Timer2.Enabled(), c.Timer3.Enabled()};
  return v;
}

namespace {

const char* boolean(bool b) { return b ? "true" : "false"; }

template <class Get>
void pair(std::string& out, const char* key, Get get) {
  out += ",\"";
  out += key;
  out += "\":[";
  out += get(0);
  out += ',';
  out += get(1);
  out += ']';
}

std::string width(float w) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.3f", static_cast<double>(w));
  return buf;
}

}  // namespace

void appendTraceLine(std::string& out, long long e, const std::string& timer, const Module1& M,
                     const Form2& b, const BattleView& v, const std::vector<SoundPlay>& sounds, int beeps) {
  auto side = [](const BySide<std::int32_t>& values) {
    return [&values](int i) { return std::to_string(values[i]); };
  };
  out +=
      "{\"e\":" + std::to_string(e) + ",\"timer\":" + jsonString(timer) + ",\"IX\":" + std::to_string(M.IX);
  pair(out, "ACTION", side(M.ACTION));
  pair(out, "POSE", side(M.POSE));
  pair(out, "FACING", side(M.FACING));
  pair(out, "XPOS", side(M.XPOS));
  pair(out, "YPOS", side(M.YPOS));
  pair(out, "LIFE", side(M.LIFE));
  pair(out, "POW", side(M.POW));
  pair(out, "SCORE", side(M.SCORE));
  pair(out, "SHOWLIFE", side(b.SHOWLIFE));
  pair(out, "SHOWPOW", side(b.SHOWPOW));
  pair(out, "MOVEDMG", side(b.MOVEDMG));
  out += ",\"CLOCK\":" + std::to_string(b.CLOCK) + ",\"HITCOUNT\":" + std::to_string(b.HITCOUNT) +
         ",\"DMGTALLY\":" + std::to_string(b.DMGTALLY) + ",\"HITSIDE\":" + std::to_string(b.HITSIDE) +
         ",\"KEYCMD\":" + std::to_string(b.KEYCMD) + ",\"SEQTICK\":" + std::to_string(b.SEQTICK) +
         ",\"PRESSED\":" + std::to_string(M.PRESSED) + ",\"STAGE\":" + std::to_string(M.STAGE);
  pair(out, "LIFEMATA", [&](int i) { return width(v.lifeWidth[i]); });
  pair(out, "POWMATA", [&](int i) { return width(v.powWidth[i]); });
  pair(out, "GAZOU", [&](int i) {
    return "[" + std::to_string(v.sprites[i][0]) + "," + std::to_string(v.sprites[i][1]) + "," +
           std::to_string(v.sprites[i][2]) + "]";
  });
  out += ",\"Label2\":[" + std::string(boolean(v.bannerVisible)) + "," + jsonString(v.banner) + "]";
  out += ",\"Label3\":[" + std::string(boolean(v.messageVisible)) + "," + jsonString(v.message) + ",[" +
         std::to_string(v.messageColor[0]) + "," + std::to_string(v.messageColor[1]) + "," +
         std::to_string(v.messageColor[2]) + "]]";
  out += ",\"ZIKAN\":" + jsonString(v.clock);
  pair(out, "WAKUN", [&](int i) { return jsonString(v.names[i]); });
  out += ",\"Shape1\":" + std::to_string(v.markerLeft) + ",\"Image1\":" + boolean(v.overlayVisible);
  out += ",\"Timers\":[" + std::string(boolean(v.timers[0])) + "," + boolean(v.timers[1]) + "," +
         boolean(v.timers[2]) + "]";
  out += ",\"sounds\":[";
  for (std::size_t i = 0; i < sounds.size(); ++i) {
    if (i) out += ',';
    out += "[" + jsonString(sounds[i].slot) + "," + jsonString(sounds[i].file) + "]";
  }
  out += "],\"beeps\":" + std::to_string(beeps) + "}";
}

}  // namespace mojara::sim
