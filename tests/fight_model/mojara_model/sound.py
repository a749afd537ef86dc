"""The battle window's three sound slots on virtual time.

A slot counts as playing from its "Play" until the file's own length has
passed: a WAV file lasts its data frames over its rate, a MIDI file until
its last event by its tempo map.  A missing or unreadable file lasts 0.
"""

import os
import struct

MUSIC = ("MMControl1", "music2.mid")
KNOCKDOWN_CUE = ("MMControl2", "snd2.wav")
HIT_CUE = ("MMControl3", "snd1.wav")


def wav_length_ms(data):
    if data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise ValueError("not a WAVE file")
    pos, block_align, rate = 12, None, None
    while pos + 8 <= len(data):
        chunk, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
        body = data[pos + 8:pos + 8 + size]
        if chunk == b"fmt ":
            _, _, rate, _, block_align = struct.unpack("<HHIIH", body[:14])
        elif chunk == b"data":
            if not rate or not block_align:
                raise ValueError("data before fmt")
            return 1000.0 * (len(body) // block_align) / rate
        pos += 8 + size + (size & 1)
    raise ValueError("no data chunk")


def _varlen(data, pos):
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, pos


def _midi_track_events(data, pos, end):
    """Yield (tick, meta type or None, meta body) for every event of a track."""
    tick, status = 0, None
    while pos < end:
        delta, pos = _varlen(data, pos)
        tick += delta
        byte = data[pos]
        if byte == 0xFF:
            kind = data[pos + 1]
            size, pos = _varlen(data, pos + 2)
            yield tick, kind, data[pos:pos + size]
            pos += size
        elif byte in (0xF0, 0xF7):
            size, pos = _varlen(data, pos + 1)
            pos += size
            yield tick, None, b""
        else:
            if byte & 0x80:
                status = byte
                pos += 1
            pos += 1 if (status >> 4) in (0xC, 0xD) else 2
            yield tick, None, b""


def midi_length_ms(data):
    if data[:4] != b"MThd":
        raise ValueError("not a MIDI file")
    header_size = struct.unpack(">I", data[4:8])[0]
    _, tracks, division = struct.unpack(">HHH", data[8:14])
    if division & 0x8000:
        raise ValueError("SMPTE time division")
    pos, last_tick, tempos = 8 + header_size, 0, []
    for _ in range(tracks):
        if data[pos:pos + 4] != b"MTrk":
            raise ValueError("missing track")
        size = struct.unpack(">I", data[pos + 4:pos + 8])[0]
        for tick, kind, body in _midi_track_events(data, pos + 8, pos + 8 + size):
            last_tick = max(last_tick, tick)
            if kind == 0x51 and len(body) == 3:
                tempos.append((tick, int.from_bytes(body, "big")))
        pos += 8 + size
    tempos.sort(key=lambda item: item[0])
    ms, at_tick, tempo = 0.0, 0, 500000
    for tick, new_tempo in tempos:
        if tick >= last_tick:
            break
        ms += (tick - at_tick) * tempo / division / 1000.0
        at_tick, tempo = tick, new_tempo
    return ms + (last_tick - at_tick) * tempo / division / 1000.0


def sound_lengths(folder):
    """Length in ms of each of the game's sound files in the program's folder."""
    lengths = {}
    for name, reader in (("music2.mid", midi_length_ms), ("snd1.wav", wav_length_ms),
                         ("snd2.wav", wav_length_ms)):
        try:
            with open(os.path.join(folder, name), "rb") as handle:
                lengths[name] = reader(handle.read())
        except (OSError, ValueError, IndexError, struct.error):
            lengths[name] = 0.0
    return lengths


class SoundSlot:
    def __init__(self, slot, length_ms):
        self.slot = slot
        self.length_ms = length_ms
        self.started = None

    def playing(self, now):
        return self.started is not None and now < self.started + self.length_ms

    def play(self, now):
        self.started = now
