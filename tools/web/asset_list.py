"""The game's picture and sound files, read from the one list of them in src/assets/asset_files.h
(with the same pattern cmake/AssetFiles.cmake reads it with)."""

import re
from pathlib import Path

_LINE = re.compile(r'^ *MOJARA_([A-Z_]+)\(([A-Za-z0-9_]+), *"([^"]+)"\)', re.MULTILINE)
# The kinds of line whose file the game reads, and so the site ships.
_READ_PICTURES = {"STORE_PICTURE", "SCREEN_PICTURE"}
_UNREAD_PICTURES = {"SPARE_PICTURE", "REVIEW_PICTURE"}


class AssetList:
    def __init__(self, pictures, sounds):
        self.pictures = pictures  # the pictures the game reads, in the list's order
        self.sounds = sounds  # every sound the game plays

    @property
    def music(self):
        """The one MIDI file among the sounds: the fight theme."""
        midis = [s for s in self.sounds if s.lower().endswith(".mid")]
        if len(midis) != 1:
            raise ValueError(f"expected one MIDI file among the sounds, found {midis}")
        return midis[0]


def read_asset_list(header: Path) -> AssetList:
    pictures, sounds = [], []
    for kind, _name, file in _LINE.findall(header.read_text(encoding="utf-8")):
        if kind in _READ_PICTURES:
            pictures.append(file)
        elif kind == "SOUND":
            sounds.append(file)
        elif kind not in _UNREAD_PICTURES:
            raise ValueError(f"{header}: unknown kind of file MOJARA_{kind} for {file}")
    if not pictures or not sounds:
        raise ValueError(f"{header}: found no picture or no sound files in it")
    return AssetList(pictures, sounds)
