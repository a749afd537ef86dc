"""The game's two Japanese faces as web fonts: Debian's proportional IPA fonts cut down to the
characters the game can show, renamed (the IPA Font License lets a derived font be passed on only
under a name of its own) and written as WOFF2, with the style sheet that names them."""

from pathlib import Path

from fontTools import subset
from fontTools.ttLib import TTFont

# The faces the game's windows name, as the windowed game maps them to the IPA fonts
# (src/qt/canvas_painter.cpp, fontFor): the proportional Gothic and Mincho.
FACES = [
    {
        "family": "Mojara PGothic",
        "postscript": "MojaraPGothic",
        "file": "mojara-pgothic.woff2",
        "source": Path("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"),
        "original": "IPAPGothic",
        "gameNames": ["ＭＳ Ｐゴシック", "ＭＳ ゴシック"],
    },
    {
        "family": "Mojara PMincho",
        "postscript": "MojaraPMincho",
        "file": "mojara-pmincho.woff2",
        "source": Path("/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf"),
        "original": "IPAPMincho",
        "gameNames": ["ＭＳ Ｐ明朝", "ＭＳ 明朝"],
    },
]
LICENCE_SOURCE = Path("/usr/share/doc/fonts-ipafont-gothic/copyright")
LICENCE_FILE = "IPA_Font_License.txt"

# The names a font is known by: family, unique id, full name, PostScript name, typographic family
# and subfamily, and the Macintosh's compatible full name.
_NAME_IDS = (1, 3, 4, 6, 16, 17, 18)


def game_text_characters(roots) -> str:
    """Every character of every text file under `roots` (the game's sources, the page's, the
    catalogues): their string literals hold every text the windows, the help and the notices show,
    and a comment's few extra characters cost nothing. With printable ASCII, the ideographic space
    and the full-width forms of ASCII, for texts the game composes (numbers, key names)."""
    chars = set(chr(c) for c in range(0x20, 0x7F))
    chars.add("\u3000")
    chars.update(chr(c) for c in range(0xFF01, 0xFF5F))
    for root in roots:
        files = [root] if root.is_file() else sorted(p for p in root.rglob("*") if p.is_file())
        for f in files:
            try:
                chars.update(f.read_text(encoding="utf-8"))
            except UnicodeDecodeError:
                continue  # not a text file
    return "".join(sorted(c for c in chars if c.isprintable() or c == "\u3000"))


def _rename(font: TTFont, face: dict) -> None:
    names = font["name"]
    version = names.getDebugName(5) or ""
    names.names = [r for r in names.names if r.nameID not in _NAME_IDS]
    family, style = face["family"], "Regular"
    for name_id, text in ((1, family), (2, style), (3, f"{face['postscript']}-{style}; {version}; Mojara Taisen"),
                          (4, family), (6, face["postscript"]), (16, family), (17, style),
                          (10, f"The characters Mojara Taisen shows, cut from {face['original']} "
                               f"{version} (IPA Font License v1.0) and renamed as the licence requires.")):
        names.setName(text, name_id, 3, 1, 0x409)
        names.setName(text, name_id, 1, 0, 0)
    if "CFF " in font:
        font["CFF "].cff.fontNames = [face["postscript"]]


def write_web_font(face: dict, characters: str, out: Path) -> None:
    options = subset.Options()
    options.flavor = "woff2"
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    font = subset.load_font(str(face["source"]), options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters)
    subsetter.subset(font)
    _rename(font, face)
    subset.save_font(font, str(out), options)


def style_sheet() -> str:
    rules = [
        "/* The game's Japanese faces: subsets of the IPA fonts (IPAPGothic and IPAPMincho, from\n"
        "   Debian's fonts-ipafont-gothic and fonts-ipafont-mincho), renamed as the IPA Font License\n"
        f"   requires of a derived font, under which they are passed on: see {LICENCE_FILE}. */\n"
    ]
    for face in FACES:
        rules.append(
            "@font-face {\n"
            f"  font-family: \"{face['family']}\";\n"
            f"  src: url(\"{face['file']}\") format(\"woff2\");\n"
            "  font-weight: normal;\n"
            "  font-style: normal;\n"
            "  font-display: block;\n"
            "}\n")
    return "\n".join(rules)


def font_map() -> dict:
    """The game's font names and the family that shows each."""
    return {name: face["family"] for face in FACES for name in face["gameNames"]}


def licence_text() -> str:
    """The IPA Font License in Japanese and English, as Debian ships it in the fonts' copyright
    file (its "License: IPA-1" paragraph)."""
    lines = LICENCE_SOURCE.read_text(encoding="utf-8").split("\n")
    # The stand-alone paragraph, not a Files paragraph's short name of it.
    starts = [i for i, line in enumerate(lines[:-1])
              if line == "License: IPA-1" and lines[i + 1].startswith(" ")]
    if not starts:
        raise ValueError(f"{LICENCE_SOURCE} holds no IPA-1 licence text")
    start = starts[0]
    text = []
    for line in lines[start + 1:]:
        if not line.startswith(" "):
            break
        text.append("" if line == " ." else line[1:])
    return "\n".join(text).strip() + "\n"


def readme_text() -> str:
    """How the fonts were made and how to put the original fonts in their place, which the
    licence asks to be passed on with a derived font."""
    lines = ["The fonts in this folder are derived from the IPA fonts and passed on under the IPA Font",
             f"License v1.0 ({LICENCE_FILE}).", ""]
    for face in FACES:
        lines.append(f"{face['file']} (family \"{face['family']}\"): the characters Mojara Taisen shows, "
                     f"cut from {face['original']} ({face['source'].name}, fonts-ipafont) with fontTools' "
                     "subsetter and renamed.")
    lines += ["",
              "The game's scripts/web-assets makes them. To show the original fonts instead, take",
              "ipagp.ttf and ipamp.ttf from https://moji.or.jp/ipafont/ (or from Debian's",
              "fonts-ipafont-gothic and fonts-ipafont-mincho), put them in this folder and, in fonts.css,",
              "give the Gothic's src as url(\"ipagp.ttf\") format(\"truetype\") and the Mincho's as",
              "url(\"ipamp.ttf\") format(\"truetype\").", ""]
    return "\n".join(lines)
