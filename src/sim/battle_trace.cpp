#include "sim/battle_trace.h"

#include "battle/battle_window.h"
#include "sim/json.h"

namespace mojara::sim {

void readView(const BattleControls& c, BattleView& v) {
  for (int i = 0; i <= 1; ++i) {
    v.lifeWidth[i] = c.LIFEMATA[i].Width;
    v.powWidth[i] = c.POWMATA[i].Width;
    v.sprites[i] = {static_cast<long>(c.GAZOU[i].Left), static_cast<long>(c.GAZOU[i].Top),
                    c.GAZOU[i].Picture.index};
    v.names[i].assign(c.WAKUN[i].Caption);
  }
  v.bannerVisible = c.Label2.Visible;
  v.banner.assign(c.Label2.Caption);
  v.messageVisible = c.Label3.Visible;
  v.message.assign(c.Label3.Caption);
  v.messageColor = {c.Label3.ForeColor.r, c.Label3.ForeColor.g, c.Label3.ForeColor.b};
  v.clock.assign(c.ZIKAN.Caption);
  v.markerLeft = static_cast<long>(c.Shape1.Left);
  v.overlayVisible = c.Image1.Visible;
  v.timers = {c.Timer1.Enabled(), c.Timer2.Enabled(), c.Timer3.Enabled()};
}

BattleView viewOf(const Form2& battle) { return battle.loaded() ? viewOf(*battle.ctl) : BattleView{}; }

BattleView viewOf(const BattleControls& c) {
  BattleView v;
  readView(c, v);
  return v;
}

namespace {

// ,"KEY":[a,b] for a value of each side.
template <class Write>
void pair(JsonWriter& json, std::string_view key, Write write) {
  json.raw(",\"").raw(key).raw("\":[");
  write(0);
  json.raw(',');
  write(1);
  json.raw(']');
}

void sides(JsonWriter& json, std::string_view key, const BySide<std::int32_t>& values) {
  pair(json, key, [&](int i) { json.number(values[i]); });
}

}  // namespace

void appendTraceLine(std::string& out, long long e, const std::string& timer, const Module1& M,
                     const Form2& b, const BattleView& v, const std::vector<SoundPlay>& sounds, int beeps,
                     bool versus) {
  JsonWriter json(out);
  json.raw("{\"e\":").number(e).raw(",\"timer\":").string(timer).raw(",\"IX\":").number(M.IX);
  sides(json, "ACTION", M.ACTION);
  sides(json, "POSE", M.POSE);
  sides(json, "FACING", M.FACING);
  sides(json, "XPOS", M.XPOS);
  sides(json, "YPOS", M.YPOS);
  sides(json, "LIFE", M.LIFE);
  sides(json, "POW", M.POW);
  sides(json, "SCORE", M.SCORE);
  const battle::FightState& f = b.fight();
  sides(json, "SHOWLIFE", f.SHOWLIFE);
  sides(json, "SHOWPOW", f.SHOWPOW);
  sides(json, "MOVEDMG", f.MOVEDMG);
  json.raw(",\"CLOCK\":").number(f.CLOCK).raw(",\"HITCOUNT\":").number(f.HITCOUNT);
  json.raw(",\"DMGTALLY\":").number(f.DMGTALLY).raw(",\"HITSIDE\":").number(f.HITSIDE);
  json.raw(",\"KEYCMD\":").number(f.KEYCMD);
  if (versus) json.raw(",\"KEYCMD2\":").number(f.KEYCMD2);
  json.raw(",\"SEQTICK\":").number(f.SEQTICK);
  json.raw(",\"PRESSED\":").number(M.PRESSED).raw(",\"STAGE\":").number(M.STAGE);
  // The widths as stored, in single precision, written with three decimals.
  pair(json, "LIFEMATA", [&](int i) { json.fixed3(static_cast<double>(v.lifeWidth[i])); });
  pair(json, "POWMATA", [&](int i) { json.fixed3(static_cast<double>(v.powWidth[i])); });
  pair(json, "GAZOU", [&](int i) {
    const auto& [left, top, picture] = v.sprites[i];
    json.raw('[').number(left).raw(',').number(top).raw(',').number(picture).raw(']');
  });
  json.raw(",\"Label2\":[").boolean(v.bannerVisible).raw(',').string(v.banner).raw(']');
  json.raw(",\"Label3\":[").boolean(v.messageVisible).raw(',').string(v.message).raw(",[");
  json.number(v.messageColor[0]).raw(',').number(v.messageColor[1]).raw(',').number(v.messageColor[2]);
  json.raw("]],\"ZIKAN\":").string(v.clock);
  pair(json, "WAKUN", [&](int i) { json.string(v.names[i]); });
  json.raw(",\"Shape1\":").number(v.markerLeft).raw(",\"Image1\":").boolean(v.overlayVisible);
  json.raw(",\"Timers\":[").boolean(v.timers[0]).raw(',').boolean(v.timers[1]).raw(',').boolean(v.timers[2]);
  json.raw("],\"sounds\":[");
  for (std::size_t i = 0; i < sounds.size(); ++i) {
    if (i) json.raw(',');
    json.raw('[').string(sounds[i].slot).raw(',').string(sounds[i].file).raw(']');
  }
  json.raw("],\"beeps\":").number(beeps).raw('}');
}

}  // namespace mojara::sim
