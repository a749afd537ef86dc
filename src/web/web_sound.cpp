#include "web/web_sound.h"

#include <string_view>

namespace mojara::web {

namespace {

std::string fileName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

bool isMidi(std::string_view file) {
  return file.size() > 4 && (file.substr(file.size() - 4) == ".mid" || file.substr(file.size() - 4) == ".MID");
}

}  // namespace

void WebSound::command(forms::SoundSlot& slot, const std::string& command) {
  if (command == "Open") {
    timing_.opened(slot, slot.FileName);
  } else if (command == "Play") {
    const std::string* path = timing_.openedPath(slot);
    if (!path) return;  // a device plays only what it opened
    timing_.played(slot, clock_.now());
    const std::string file = fileName(*path);
    if (tracing_) plays_.push_back({slot.Name, file});
    // A file the game cannot time plays for no time at all, and is not heard either.
    if (!timing_.playing(slot, clock_.now())) return;
    events_.push_back({SoundEvent::Kind::Play, slot.Name, file, isMidi(file), clock_.now()});
  }
  // "Prev" rewinds: every play starts from the beginning anyway.
}

void WebSound::released(forms::SoundSlot& slot) {
  // The window closing closes its devices: what they still play stops.
  if (timing_.playing(slot, clock_.now())) events_.push_back({SoundEvent::Kind::Stop, slot.Name, "", false, clock_.now()});
  timing_.released(slot);
}

void WebSound::beep() { events_.push_back({SoundEvent::Kind::Beep, "", "beep.wav", false, clock_.now()}); }

std::vector<SoundEvent> WebSound::takeEvents() {
  std::vector<SoundEvent> out;
  out.swap(events_);
  return out;
}

}  // namespace mojara::web
