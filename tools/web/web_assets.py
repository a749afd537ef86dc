"""Builds the browser site's assets from the natively built game's files (see scripts/web-assets).

OUT_DIR, whole or not at all:
  pictures/NAME.png      every picture the game reads
  sounds/                the effects and the music as the game reads them (their lengths are part
                         of the rules), and the music as the page plays it, NAME.ogg and NAME.mp3
  fonts/                 fonts.css, fonts.json (the game's font names and the families that show
                         them), the two WOFF2 faces, the IPA Font License and a README
  locale/LANG.json       the catalogue of each language but the game's own Japanese
  manifest.json          what is where (every file under "files")
"""

import argparse
import hashlib
import json
import os
import shutil
import sys
import tempfile
from pathlib import Path

import asset_list
import catalogue
import music

TOP = Path(__file__).resolve().parents[2]
TEXT_DOMAIN = "mojara"
GAME_LANGUAGE = "ja"
# Bump when the layout or the way a file is made changes, so the next run builds afresh.
LAYOUT_VERSION = "1"


class AssetError(RuntimeError):
    pass


def _sha(*parts) -> str:
    digest = hashlib.sha256()
    for part in parts:
        digest.update(part if isinstance(part, bytes) else str(part).encode())
        digest.update(b"\0")
    return digest.hexdigest()[:16]


def _stat_key(path: Path) -> str:
    stat = path.stat()
    return f"{path}:{stat.st_size}:{stat.st_mtime_ns}"


def _require(path: Path, what: str) -> Path:
    if not path.is_file():
        raise AssetError(f"missing {what}: {path}")
    return path


def _check_python_modules():
    for module, package in (("fontTools", "python3-fonttools"), ("brotli", "python3-brotli")):
        try:
            __import__(module)
        except ImportError:
            raise AssetError(f"the Python module {module} is missing (Debian's {package}; scripts/deps "
                             f"installs it); run this with Debian's /usr/bin/python3") from None


class Inputs:
    """Every file the assets are made from, checked present before anything is written."""

    def __init__(self, bin_dir: Path):
        if not bin_dir.is_dir():
            raise AssetError(f"no native build folder {bin_dir} (build the game first: ./scripts/build)")
        self.bin_dir = bin_dir
        self.assets = asset_list.read_asset_list(TOP / "src/assets/asset_files.h")
        self.pictures = [_require(bin_dir / "pictures" / p, "picture") for p in self.assets.pictures]
        self.sounds = [_require(bin_dir / s, "sound") for s in self.assets.sounds]
        self.midi = bin_dir / self.assets.music
        self.languages = sorted(p.stem for p in (TOP / "po").glob("*.po"))
        self.catalogues = {
            lang: _require(bin_dir / "locale" / lang / "LC_MESSAGES" / f"{TEXT_DOMAIN}.mo", "catalogue")
            for lang in self.languages}
        # The texts the fonts must show: the game's sources (and the page's, once it has some) and
        # the catalogues.
        self.text_roots = [p for p in (TOP / "src", TOP / "web", TOP / "po") if p.exists()]
        import web_fonts
        self.font_sources = [_require(face["source"], "font (Debian's fonts-ipafont-*)") for face in web_fonts.FACES]
        _require(web_fonts.LICENCE_SOURCE, "licence of the IPA fonts")
        _require(music.SOUND_FONT, "soundfont (Debian's timgm6mb-soundfont)")
        for tool, package in (("c++", "build-essential"), ("pkg-config", "pkg-config"), ("oggenc", "vorbis-tools"),
                              ("lame", "lame")):
            if not shutil.which(tool):
                raise AssetError(f"{tool} is not installed (Debian's {package}; scripts/deps installs it)")
        _check_python_modules()

    def key(self, out_dir: Path) -> str:
        """Changes with anything the assets are made from, and with where they go."""
        tools = sorted((TOP / "tools/web").glob("*.py"))
        files = self.pictures + self.sounds + list(self.catalogues.values()) + tools
        return _sha(LAYOUT_VERSION, out_dir.resolve(), music.renderer_key(TOP), self.text_key(),
                    *(_stat_key(f) for f in self.font_sources + [music.SOUND_FONT]),
                    *(f.read_bytes() for f in files))

    def text_key(self) -> str:
        digest = hashlib.sha256()
        for root in self.text_roots:
            for f in sorted(p for p in root.rglob("*") if p.is_file()):
                digest.update(str(f).encode() + b"\0" + f.read_bytes())
        return digest.hexdigest()[:16]


class Cache:
    """The slow products (the renderer, the rendered music, the fonts) kept between runs, each in
    a folder named by the key of what it was made from; a product is kept only once whole."""

    def __init__(self, folder: Path):
        self.folder = folder
        folder.mkdir(parents=True, exist_ok=True)

    def product(self, kind: str, key: str, make) -> Path:
        done = self.folder / f"{kind}-{key}"
        if not done.is_dir():
            work = Path(tempfile.mkdtemp(prefix=f".{kind}-", dir=self.folder))
            try:
                make(work)
                work.rename(done)
            finally:
                shutil.rmtree(work, ignore_errors=True)
            for old in self.folder.glob(f"{kind}-*"):
                if old != done:
                    shutil.rmtree(old, ignore_errors=True)
        return done


def _make_music(inputs: Inputs, cache: Cache) -> Path:
    renderer_key = music.renderer_key(TOP)
    renderer = cache.product("renderer", renderer_key,
                             lambda work: music.build_renderer(TOP, work / "render-music")) / "render-music"

    def make(work: Path):
        wave = work / "loop.wav"
        seconds = music.render(renderer, inputs.midi, wave)
        music.encode(wave, work / "music.ogg", work / "music.mp3")
        wave.unlink()
        (work / "seconds").write_text(f"{seconds:.6f}\n")

    key = _sha(inputs.midi.read_bytes(), renderer_key, _stat_key(music.SOUND_FONT), music.OGG_QUALITY,
               music.MP3_QUALITY)
    return cache.product("music", key, make)


def _make_fonts(inputs: Inputs, cache: Cache) -> Path:
    import web_fonts
    characters = web_fonts.game_text_characters(inputs.text_roots)

    def make(work: Path):
        for face in web_fonts.FACES:
            web_fonts.write_web_font(face, characters, work / face["file"])

    key = _sha(characters, (TOP / "tools/web/web_fonts.py").read_bytes(),
               *(_stat_key(f) for f in inputs.font_sources))
    return cache.product("fonts", key, make)


def _write_json(path: Path, value, compact=False):
    text = json.dumps(value, ensure_ascii=False, separators=(",", ":")) if compact else \
        json.dumps(value, ensure_ascii=False, indent=2)
    path.write_text(text + "\n", encoding="utf-8")


def _assemble(inputs: Inputs, music_dir: Path, fonts_dir: Path, out: Path) -> None:
    import web_fonts
    (out / "pictures").mkdir(parents=True)
    for picture in inputs.pictures:
        shutil.copyfile(picture, out / "pictures" / picture.name)

    sounds = out / "sounds"
    sounds.mkdir()
    for sound in inputs.sounds:
        shutil.copyfile(sound, sounds / sound.name)
    stem = inputs.midi.stem
    shutil.copyfile(music_dir / "music.ogg", sounds / f"{stem}.ogg")
    shutil.copyfile(music_dir / "music.mp3", sounds / f"{stem}.mp3")

    fonts = out / "fonts"
    fonts.mkdir()
    for face in web_fonts.FACES:
        shutil.copyfile(fonts_dir / face["file"], fonts / face["file"])
    (fonts / "fonts.css").write_text(web_fonts.style_sheet(), encoding="utf-8")
    _write_json(fonts / "fonts.json", web_fonts.font_map())
    (fonts / web_fonts.LICENCE_FILE).write_text(web_fonts.licence_text(), encoding="utf-8")
    (fonts / "README.txt").write_text(web_fonts.readme_text(), encoding="utf-8")

    (out / "locale").mkdir()
    for lang, mo in inputs.catalogues.items():
        try:
            _write_json(out / "locale" / f"{lang}.json", catalogue.catalogue_json(mo), compact=True)
        except catalogue.CatalogueError as e:
            raise AssetError(str(e)) from None

    manifest = {
        "pictures": [p.name for p in inputs.pictures],
        "sounds": [s.name for s in inputs.sounds] + [f"{stem}.ogg", f"{stem}.mp3"],
        "music": {"midi": inputs.midi.name, "ogg": f"{stem}.ogg", "mp3": f"{stem}.mp3",
                  "seconds": float((music_dir / "seconds").read_text())},
        "languages": [GAME_LANGUAGE] + [lang for lang in inputs.languages if lang != GAME_LANGUAGE],
        "fonts": {"css": "fonts.css", "map": "fonts.json", "families": web_fonts.font_map(),
                  "files": [face["file"] for face in web_fonts.FACES],
                  "licence": web_fonts.LICENCE_FILE, "readme": "README.txt"},
    }
    files = sorted(str(p.relative_to(out)) for p in out.rglob("*") if p.is_file())
    manifest["files"] = sorted(files + ["manifest.json"])
    _write_json(out / "manifest.json", manifest)


def _up_to_date(out: Path, stamp: Path, key: str) -> bool:
    try:
        if stamp.read_text().strip() != key:
            return False
        files = json.loads((out / "manifest.json").read_text(encoding="utf-8"))["files"]
    except (OSError, ValueError, KeyError):
        return False
    return all((out / f).is_file() for f in files)


def _replace(out: Path, built: Path) -> None:
    """Puts the built folder in OUT_DIR's place, the old one away only once the new one is whole."""
    old = out.with_name(f".{out.name}.old")
    shutil.rmtree(old, ignore_errors=True)
    if out.exists():
        out.rename(old)
    built.rename(out)
    shutil.rmtree(old, ignore_errors=True)


def build(bin_dir: Path, out: Path, cache_dir: Path) -> bool:
    """Builds OUT_DIR; False when it was up to date already."""
    if out.exists() and not (out / "manifest.json").is_file() and (not out.is_dir() or any(out.iterdir())):
        raise AssetError(f"{out} holds other files than the site's assets; not replacing it")
    inputs = Inputs(bin_dir)
    cache = Cache(cache_dir)
    key = inputs.key(out)
    stamp = cache_dir / "stamp"
    if _up_to_date(out, stamp, key):
        return False
    stamp.unlink(missing_ok=True)
    music_dir = _make_music(inputs, cache)
    fonts_dir = _make_fonts(inputs, cache)
    out.parent.mkdir(parents=True, exist_ok=True)
    built = Path(tempfile.mkdtemp(prefix=f".{out.name}.", dir=out.parent))
    try:
        _assemble(inputs, music_dir, fonts_dir, built)
        os.chmod(built, 0o755)
        _replace(out, built)
    finally:
        shutil.rmtree(built, ignore_errors=True)
    stamp.write_text(key + "\n")
    return True


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(
        prog="web-assets",
        description="Builds the browser site's pictures, sounds, music, fonts and catalogues from the natively "
                    "built game's files.")
    parser.add_argument("bin_dir", metavar="NATIVE_BIN_DIR", type=Path, help="the native build's bin folder")
    parser.add_argument("out_dir", metavar="OUT_DIR", type=Path, help="the folder to write (replaced whole)")
    parser.add_argument("--cache", type=Path, metavar="DIR",
                        help="where the rendered music and the fonts are kept between runs "
                             "(default: web-assets-cache beside NATIVE_BIN_DIR)")
    args = parser.parse_args(argv)
    cache = args.cache or args.bin_dir.resolve().parent / "web-assets-cache"
    try:
        built = build(args.bin_dir, args.out_dir, cache)
    except (AssetError, music.MusicError, ValueError, OSError) as e:
        print(f"web-assets: {e}", file=sys.stderr)
        print(f"web-assets: {args.out_dir} not written", file=sys.stderr)
        return 1
    print(f"web-assets: {args.out_dir} {'built' if built else 'up to date'}")
    return 0
