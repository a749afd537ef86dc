// The game's module for the page: plain C functions over the one session. Each answers with a
// JSON text (web/scene_json.h) that stays valid until the next call.
#include <emscripten.h>

#include <string>

#include "web/key_codes.h"
#include "web/web_session.h"

namespace {

mojara::web::WebSession session;
std::string answer;

const char* give(std::string text) {
  answer = std::move(text);
  return answer.c_str();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* mojara_start(const char* options) { return give(session.start(options)); }
EMSCRIPTEN_KEEPALIVE const char* mojara_frame(double ms) { return give(session.frame(ms)); }
EMSCRIPTEN_KEEPALIVE const char* mojara_step() { return give(session.step()); }
EMSCRIPTEN_KEEPALIVE const char* mojara_input(const char* line) { return give(session.input(line)); }
EMSCRIPTEN_KEEPALIVE const char* mojara_log(const char* endReason) { return give(session.log(endReason)); }
EMSCRIPTEN_KEEPALIVE const char* mojara_trace() { return give(session.trace()); }
EMSCRIPTEN_KEEPALIVE const char* mojara_key_down(const char* code, const char* key, int shift) {
  return give(session.keyDown(code, key, shift));
}
EMSCRIPTEN_KEEPALIVE const char* mojara_virtual_key_down(int code, int shift) {
  return give(session.virtualKeyDown(code, shift));
}
EMSCRIPTEN_KEEPALIVE const char* mojara_pad(int player, int button, int repeat) {
  return give(session.padPressed(player, button, repeat != 0));
}
EMSCRIPTEN_KEEPALIVE const char* mojara_command(int player, int row) {
  return give(session.command(player, row));
}
EMSCRIPTEN_KEEPALIVE const char* mojara_mouse_down(const char* form, double x, double y, int button) {
  return give(session.mouseDown(form, x, y, button));
}
EMSCRIPTEN_KEEPALIVE const char* mojara_mouse_move(const char* form, double x, double y, int buttons) {
  return give(session.mouseMove(form, x, y, buttons));
}
EMSCRIPTEN_KEEPALIVE const char* mojara_click(const char* form, const char* control, int index) {
  return give(session.click(form, control, index));
}
EMSCRIPTEN_KEEPALIVE const char* mojara_change(const char* form, const char* control, int index, int value) {
  return give(session.change(form, control, index, value));
}
EMSCRIPTEN_KEEPALIVE const char* mojara_choose(const char* form, const char* control, int index, int listIndex) {
  return give(session.choose(form, control, index, listIndex));
}
EMSCRIPTEN_KEEPALIVE const char* mojara_close(const char* form) { return give(session.closeRequest(form)); }
EMSCRIPTEN_KEEPALIVE const char* mojara_close_message_box() { return give(session.closeMessageBox()); }
EMSCRIPTEN_KEEPALIVE const char* mojara_versus_fight(int p0, int p1) { return give(session.versusFight(p0, p1)); }
EMSCRIPTEN_KEEPALIVE const char* mojara_versus_closed() { return give(session.versusClosed()); }
EMSCRIPTEN_KEEPALIVE const char* mojara_key_window_closed() { return give(session.keyWindowClosed()); }
EMSCRIPTEN_KEEPALIVE const char* mojara_play_replay(const char* text) { return give(session.playReplay(text)); }
EMSCRIPTEN_KEEPALIVE const char* mojara_set_settings(const char* json) { return give(session.setSettings(json)); }
EMSCRIPTEN_KEEPALIVE const char* mojara_bind_key(int player, int row, int code) {
  return give(session.bindKey(player, row, code));
}
EMSCRIPTEN_KEEPALIVE const char* mojara_bind_button(int player, int row, int button) {
  return give(session.bindButton(player, row, button));
}
EMSCRIPTEN_KEEPALIVE const char* mojara_settings() { return give(session.settingsJson()); }
EMSCRIPTEN_KEEPALIVE const char* mojara_scene() { return give(session.scene()); }
EMSCRIPTEN_KEEPALIVE int mojara_key_code(const char* code, const char* key) {
  return mojara::web::virtualKeyOf(code, key);
}
EMSCRIPTEN_KEEPALIVE double mojara_next_due() { return session.nextDue(); }

}  // extern "C"
