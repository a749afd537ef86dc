#include "midi_file.h"

#include <algorithm>
#include <string_view>

namespace mojara::sounds {

namespace {

using Bytes = std::vector<std::uint8_t>;

// At one tick: set-up first, then releases, then new notes, so a repeated key
// is let go before it is struck again.
enum class Order { Setup, NoteOff, NoteOn };

struct TimedEvent {
  std::uint32_t tick;
  Order order;
  Bytes bytes;
};

void putVarLen(Bytes& out, std::uint32_t value) {
  std::uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
  out.push_back(groups[0]);
}

void putBe(Bytes& out, std::uint32_t value, int byteCount) {
  for (int i = byteCount - 1; i >= 0; --i)
    out.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
}

Bytes metaEvent(std::uint8_t type, const Bytes& data) {
  Bytes out = {0xFF, type};
  putVarLen(out, static_cast<std::uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

Bytes trackName(std::string_view name) { return metaEvent(0x03, Bytes(name.begin(), name.end())); }

Bytes encodeTrack(std::vector<TimedEvent> events, std::uint32_t endTick) {
  std::stable_sort(events.begin(), events.end(), [](const TimedEvent& a, const TimedEvent& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  Bytes body;
  std::uint32_t now = 0;
  for (const TimedEvent& e : events) {
    putVarLen(body, e.tick - now);
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    now = e.tick;
  }
  putVarLen(body, std::max(endTick, now) - now);
  body.insert(body.end(), {0xFF, 0x2F, 0x00});

  Bytes chunk = {'M', 'T', 'r', 'k'};
  putBe(chunk, static_cast<std::uint32_t>(body.size()), 4);
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

Bytes conductorTrack(const Song& song) {
  Bytes tempo;
  putBe(tempo, song.microsPerQuarter, 3);
  std::vector<TimedEvent> events = {
      {0, Order::Setup, trackName(song.title)},
      // beats per bar, quarter note beat (2^2), 24 clocks per click, 8 32nds per quarter
      {0, Order::Setup, metaEvent(0x58, {song.beatsPerBar, 2, 24, 8})},
      {0, Order::Setup,
       metaEvent(0x59, {static_cast<std::uint8_t>(song.keySharps),
                        static_cast<std::uint8_t>(song.minorKey ? 1 : 0)})},
      {0, Order::Setup, metaEvent(0x51, tempo)},
  };
  return encodeTrack(std::move(events), song.lengthTicks);
}

Bytes partTrack(const Part& part, std::uint32_t endTick) {
  const auto ch = static_cast<std::uint8_t>(part.channel & 0x0F);
  const auto control = static_cast<std::uint8_t>(0xB0 | ch);
  std::vector<TimedEvent> events = {
      {0, Order::Setup, trackName(part.name)},
      {0, Order::Setup, {static_cast<std::uint8_t>(0xC0 | ch), part.program}},
      {0, Order::Setup, {control, 7, part.volume}},
      {0, Order::Setup, {control, 10, part.pan}},
      {0, Order::Setup, {control, 91, part.reverb}},
  };
  for (const ControlChange& c : part.controls)
    events.push_back({c.tick, Order::Setup, {control, static_cast<std::uint8_t>(c.controller & 0x7F),
                                             static_cast<std::uint8_t>(c.value & 0x7F)}});
  for (const Note& n : part.notes) {
    events.push_back({n.tick, Order::NoteOn, {static_cast<std::uint8_t>(0x90 | ch), n.key, n.velocity}});
    events.push_back({n.tick + n.length, Order::NoteOff, {static_cast<std::uint8_t>(0x80 | ch), n.key, 64}});
  }
  return encodeTrack(std::move(events), endTick);
}

}  // namespace

std::vector<std::uint8_t> encodeMidiFile(const Song& song) {
  Bytes out = {'M', 'T', 'h', 'd'};
  putBe(out, 6, 4);
  putBe(out, 1, 2);  // format 1: simultaneous tracks
  putBe(out, static_cast<std::uint32_t>(song.parts.size() + 1), 2);
  putBe(out, song.ticksPerQuarter, 2);

  const Bytes conductor = conductorTrack(song);
  out.insert(out.end(), conductor.begin(), conductor.end());
  for (const Part& part : song.parts) {
    const Bytes track = partTrack(part, song.lengthTicks);
    out.insert(out.end(), track.begin(), track.end());
  }
  return out;
}

}  // namespace mojara::sounds
