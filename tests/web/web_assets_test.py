"""scripts/web-assets on the real native build: what the browser site gets, checked against the
game's own files and sources by means of their own (not the script's).

  web_assets_test.py BIN_DIR CACHE_DIR GAME_PICTURES (comma-separated, as CMake lists them)
"""

import json
import math
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import wave
from pathlib import Path

from fontTools.ttLib import TTFont

TOP = Path(__file__).resolve().parents[2]
SCRIPT = TOP / "scripts/web-assets"
BIN, CACHE, GAME_PICTURES = Path(sys.argv[1]), Path(sys.argv[2]), sys.argv[3].split(",")
del sys.argv[1:4]


def run(bin_dir, out):
    return subprocess.run([str(SCRIPT), "--cache", str(CACHE), str(bin_dir), str(out)], capture_output=True,
                          text=True, timeout=300)


def midi_seconds(data: bytes) -> float:
    """The time of the last event of any track, over the tempo map of all tracks (120 bpm first)."""
    division = struct.unpack(">H", data[12:14])[0]
    assert not division & 0x8000, "time-code divisions are not expected here"
    at, end_tick, tempos = 8 + struct.unpack(">I", data[4:8])[0], 0, []
    while at < len(data):
        length = struct.unpack(">I", data[at + 4:at + 8])[0]
        track, at, i, tick, status = data[at + 8:at + 8 + length], at + 8 + length, 0, 0, 0

        def number():
            nonlocal i
            value = 0
            while True:
                value, i = (value << 7) | (track[i] & 0x7F), i + 1
                if not track[i - 1] & 0x80:
                    return value

        while i < len(track):
            tick += number()
            if track[i] & 0x80:
                status, i = track[i], i + 1
            if status == 0xFF:
                kind, i = track[i], i + 1
                size = number()
                if kind == 0x51:
                    tempos.append((tick, int.from_bytes(track[i:i + 3], "big")))
                i += size
            elif status in (0xF0, 0xF7):
                i += number()
            else:
                i += 1 if status & 0xF0 in (0xC0, 0xD0) else 2
        end_tick = max(end_tick, tick)
    micros, last_tick, tempo = 0.0, 0, 500000
    for tick, new_tempo in sorted(tempos, key=lambda t: t[0]):
        if tick >= end_tick:
            break
        micros += (tick - last_tick) * tempo
        last_tick, tempo = tick, new_tempo
    return (micros + (end_tick - last_tick) * tempo) / 1e6 / division


def po_entries(po: Path):
    """(original, [forms]) of every entry of a .po file that is not fuzzy, the header left out."""
    entries, entry, field, fuzzy = [], {}, None, False

    def close():
        nonlocal entry, fuzzy
        if entry.get("msgid") and not fuzzy:
            forms = [entry[k] for k in sorted(k for k in entry if k.startswith("msgstr"))]
            entries.append((entry["msgid"], forms, "msgid_plural" in entry))
        entry, fuzzy = {}, False

    for line in po.read_text(encoding="utf-8").split("\n") + [""]:
        line = line.strip()
        if not line:
            close()
        elif line.startswith("#,") and "fuzzy" in line:
            fuzzy = True
        elif line.startswith("#"):
            continue
        elif line.startswith('"'):
            entry[field] += json.loads(line)
        else:
            field, _, text = line.partition(" ")
            entry[field] = json.loads(text)
    return entries


def string_literals(source: Path):
    """The string literals of a C++ file as written (the game writes its texts in UTF-8, with no
    escapes but ASCII ones)."""
    text = re.sub(r"//[^\n]*", "", source.read_text(encoding="utf-8"))
    return re.findall(r'"((?:[^"\\\n]|\\.)*)"', text)


def samples_of(decoded: Path):
    with wave.open(str(decoded)) as w:
        frames, rate, channels = w.getnframes(), w.getframerate(), w.getnchannels()
        data = w.readframes(frames)
    samples = struct.unpack(f"<{len(data) // 2}h", data)
    return frames / rate, samples[::channels]


class WebAssets(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.temp = Path(tempfile.mkdtemp(prefix="web-assets-test-"))
        cls.out = cls.temp / "site/assets"
        done = run(BIN, cls.out)
        assert done.returncode == 0, done.stderr
        cls.manifest = json.loads((cls.out / "manifest.json").read_text(encoding="utf-8"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.temp)

    def test_the_manifest_names_every_file_and_the_files_are_the_games(self):
        written = sorted(str(p.relative_to(self.out)) for p in self.out.rglob("*") if p.is_file())
        self.assertEqual(self.manifest["files"], written)
        self.assertEqual(sorted(self.manifest["pictures"]), sorted(GAME_PICTURES))
        self.assertEqual(self.manifest["languages"], ["ja"] + sorted(p.stem for p in (TOP / "po").glob("*.po")))
        for picture in GAME_PICTURES:
            self.assertEqual((self.out / "pictures" / picture).read_bytes(), (BIN / "pictures" / picture).read_bytes())
        for sound in ("snd1.wav", "snd2.wav", "beep.wav", "music2.mid"):
            self.assertIn(sound, self.manifest["sounds"])
            self.assertEqual((self.out / "sounds" / sound).read_bytes(), (BIN / sound).read_bytes())
        for kind in ("pictures", "sounds"):
            for name in self.manifest[kind]:
                self.assertIn(f"{kind}/{name}", written)
        for name in self.manifest["fonts"]["files"] + [self.manifest["fonts"]["css"], self.manifest["fonts"]["licence"]]:
            self.assertIn(f"fonts/{name}", written)

    def test_the_music_loops_as_long_as_the_midi_lasts_without_a_seam_silence_or_clipping(self):
        midi = midi_seconds((BIN / "music2.mid").read_bytes())
        self.assertAlmostEqual(self.manifest["music"]["seconds"], midi, delta=0.001)
        decoded = {"ogg": self.temp / "ogg.wav", "mp3": self.temp / "mp3.wav"}
        subprocess.run(["oggdec", "--quiet", "-o", str(decoded["ogg"]), str(self.out / "sounds/music2.ogg")], check=True)
        subprocess.run(["lame", "--quiet", "--decode", str(self.out / "sounds/music2.mp3"), str(decoded["mp3"])],
                       check=True)
        for kind, path in decoded.items():
            with self.subTest(kind):
                seconds, left = samples_of(path)
                self.assertAlmostEqual(seconds, midi, delta=0.010)
                peak = max(abs(s) for s in left) / 32768
                rms = math.sqrt(sum(s * s for s in left) / len(left)) / 32768
                # The game's level: the loudest bar about 6 dB below full scale, far from clipping.
                self.assertTrue(-9 < 20 * math.log10(peak) < -3, peak)
                self.assertGreater(20 * math.log10(rms), -35)
                # Where the end runs into the start, the wave steps no more than it does within the
                # music: no click, no gap.
                steps = sorted(abs(b - a) for a, b in zip(left, left[1:]))
                self.assertLessEqual(abs(left[0] - left[-1]), steps[int(0.999 * len(steps))])
                quiet_start = next(i for i, s in enumerate(left) if abs(s) > 100)
                self.assertLess(quiet_start, 0.010 * 44100)

    def test_the_english_catalogue_holds_every_translation_of_the_po_file(self):
        catalogue = json.loads((self.out / "locale/en.json").read_text(encoding="utf-8"))
        self.assertEqual(catalogue["pluralForms"], "nplurals=2; plural=(n != 1);")
        expected_messages, expected_plurals = {}, {}
        for original, forms, plural in po_entries(TOP / "po/en.po"):
            if not any(forms):
                continue
            if plural:
                expected_plurals[original] = forms
            else:
                expected_messages[original] = forms[0]
        self.assertGreater(len(expected_messages), 100)
        self.assertEqual(catalogue["messages"], expected_messages)
        self.assertEqual(catalogue["plurals"], expected_plurals)

    def test_the_fonts_show_every_text_and_carry_names_of_their_own(self):
        needed = set()
        for po in (TOP / "po").glob("*.po"):
            for _, forms, _ in po_entries(po):
                needed.update("".join(forms))
        for source in (TOP / "src").rglob("*.cpp"):
            for literal in string_literals(source):
                if any(ord(c) > 0x7F for c in literal):
                    needed.update(literal)
        needed.update(chr(c) for c in range(0x20, 0x7F))
        needed.update(chr(c) for c in range(0xFF10, 0xFF1A))
        needed -= {"\n", "\t"}
        self.assertIn("戦", needed)
        families = set()
        for name in self.manifest["fonts"]["files"]:
            path = self.out / "fonts" / name
            self.assertLess(path.stat().st_size, 500_000)
            font = TTFont(str(path))
            self.assertEqual(font.flavor, "woff2")
            missing = sorted(c for c in needed if ord(c) not in font.getBestCmap())
            self.assertEqual(missing, [], name)
            for record in font["name"].names:
                if record.nameID in (1, 3, 4, 6, 16):
                    self.assertNotIn("IPA", record.toUnicode(), name)
            families.add(font["name"].getDebugName(1))
        self.assertEqual(families, {"Mojara PGothic", "Mojara PMincho"})
        css = (self.out / "fonts/fonts.css").read_text(encoding="utf-8")
        for family in families:
            self.assertRegex(css, rf'font-family: "{family}";[^}}]*font-display: block')
        named = {s for source in (TOP / "src").rglob("*.cpp") for s in string_literals(source) if s.startswith("ＭＳ ")}
        self.assertTrue(named)
        self.assertLessEqual(named, set(self.manifest["fonts"]["families"]))
        self.assertIn("IPA Font License Agreement v1.0", (self.out / "fonts/IPA_Font_License.txt").read_text())

    def test_a_missing_input_fails_and_leaves_the_last_site_as_it_was_and_a_second_run_does_nothing(self):
        bin_dir = self.temp / "bin"
        shutil.copytree(BIN / "pictures", bin_dir / "pictures")
        shutil.copytree(BIN / "locale", bin_dir / "locale")
        for sound in BIN.glob("*.wav"):
            shutil.copy(sound, bin_dir)
        shutil.copy(BIN / "music2.mid", bin_dir)
        out = self.temp / "other-site/assets"
        self.assertEqual(run(bin_dir, out).returncode, 0)
        manifest = (out / "manifest.json").stat().st_mtime_ns
        again = run(bin_dir, out)
        self.assertIn("up to date", again.stdout)
        self.assertEqual((out / "manifest.json").stat().st_mtime_ns, manifest)
        for missing in ("snd2.wav", "pictures/title.png", "locale/en/LC_MESSAGES/mojara.mo"):
            with self.subTest(missing):
                (bin_dir / missing).rename(self.temp / "aside")
                failed = run(bin_dir, out)
                (self.temp / "aside").rename(bin_dir / missing)
                self.assertEqual(failed.returncode, 1)
                self.assertIn(Path(missing).name, failed.stderr)
                self.assertEqual((out / "manifest.json").stat().st_mtime_ns, manifest)
                self.assertEqual(sorted(p.name for p in out.parent.iterdir()), ["assets"])
        (self.temp / "mine").mkdir()
        (self.temp / "mine/notes.txt").write_text("mine")
        refused = run(bin_dir, self.temp / "mine")
        self.assertEqual((refused.returncode, (self.temp / "mine/notes.txt").read_text()), (1, "mine"))
        self.assertEqual(run(bin_dir, self.temp / "none").returncode, 0)
        shutil.rmtree(self.temp / "none")
        (bin_dir / "music2.mid").write_bytes(b"MThd junk")
        failed = run(bin_dir, self.temp / "none")
        self.assertEqual(failed.returncode, 1)
        self.assertIn("music2.mid", failed.stderr)
        self.assertFalse((self.temp / "none").exists())


if __name__ == "__main__":
    unittest.main()
