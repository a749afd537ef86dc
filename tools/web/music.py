"""The fight theme rendered for the page: render-music (the game's own synth, built here from the
game's sources against Debian's libfluidsynth) writes one seamless loop of it, and Debian's
encoders turn that into Ogg Vorbis and, for browsers without Vorbis, MP3."""

import hashlib
import shlex
import subprocess
from pathlib import Path

SOUND_FONT = Path("/usr/share/sounds/sf2/TimGM6mb.sf2")
# The renderer's sources, all of the game's own but the small main.
RENDERER_SOURCES = ("tools/web/render_music.cpp", "src/audio/midi_music.cpp", "src/audio/midi_music.h",
                    "src/assets/sound_length.cpp", "src/assets/sound_length.h")
# About 70 kbit/s and 100 kbit/s: the theme is a small soundfont's instruments, and the page's
# weight counts.
OGG_QUALITY = "1"
MP3_QUALITY = "7"


class MusicError(RuntimeError):
    pass


def _run(command, what):
    try:
        done = subprocess.run(command, capture_output=True, text=True)
    except FileNotFoundError:
        raise MusicError(f"cannot {what}: {command[0]} is not installed (scripts/deps installs it)") from None
    if done.returncode != 0:
        raise MusicError(f"cannot {what}: {shlex.join(command)} failed:\n{done.stderr.strip()}")
    return done.stdout


def _fluidsynth_flags():
    return _run(["pkg-config", "--cflags", "--libs", "fluidsynth"], "find libfluidsynth").split()


def renderer_key(top: Path) -> str:
    digest = hashlib.sha256()
    for source in RENDERER_SOURCES:
        digest.update((top / source).read_bytes())
    return digest.hexdigest()[:16]


def build_renderer(top: Path, out: Path) -> None:
    compiler = "c++"
    command = [compiler, "-std=c++20", "-O2", f"-I{top / 'src'}", "-o", str(out)]
    command += [str(top / s) for s in RENDERER_SOURCES if s.endswith(".cpp")]
    command += _fluidsynth_flags()
    _run(command, "build the music renderer")


def render(renderer: Path, midi: Path, wave: Path) -> float:
    """Writes the loop as 16-bit stereo WAVE; its length in seconds, as the game measures the MIDI."""
    if not SOUND_FONT.is_file():
        raise MusicError(f"no soundfont {SOUND_FONT} (Debian's timgm6mb-soundfont)")
    out = _run([str(renderer), str(SOUND_FONT), str(midi), str(wave)], f"render {midi}")
    return float(out.strip())


def encode(wave: Path, ogg: Path, mp3: Path) -> None:
    _run(["oggenc", "--quiet", "-q", OGG_QUALITY, "-o", str(ogg), str(wave)], "encode the music as Ogg Vorbis")
    # LAME's header tells decoders its delay and padding, so the MP3 loops without a gap too.
    _run(["lame", "--quiet", "--noreplaygain", "-V", MP3_QUALITY, str(wave), str(mp3)], "encode the music as MP3")
