"""A compiled message catalogue (.mo, as msgfmt writes it and the windowed game reads it with
gettext) turned into the JSON the page looks the windows' texts up in:

  {"pluralForms": "nplurals=2; plural=(n != 1);",
   "messages": {"original": "translation", ...},
   "plurals": {"original": ["form 0", "form 1", ...], ...}}

The game looks a text up by itself alone (no context) or with a count. A text with a count takes the
plural form the Plural-Forms expression picks from "plurals"; a text without plural forms answers
every count from "messages", and a plural text looked up without a count answers with its form 0,
as gettext does. Texts the catalogue leaves untranslated are not in it: they show as written."""

import struct
from pathlib import Path


class CatalogueError(ValueError):
    pass


def _entries(data: bytes):
    """The (original, translation) byte strings of a .mo file, either byte order."""
    if len(data) < 28:
        raise CatalogueError("too short for a message catalogue")
    for order in ("<", ">"):
        if struct.unpack(order + "I", data[:4])[0] == 0x950412DE:
            break
    else:
        raise CatalogueError("not a message catalogue (bad magic number)")
    revision, count, originals, translations = struct.unpack(order + "4I", data[4:20])
    if revision >> 16 > 1:
        raise CatalogueError(f"unknown catalogue revision {revision >> 16}")

    def string(table, i):
        at = table + 8 * i
        if at + 8 > len(data):
            raise CatalogueError("truncated string table")
        length, offset = struct.unpack(order + "2I", data[at:at + 8])
        if offset + length > len(data):
            raise CatalogueError("a string runs past the end of the file")
        return data[offset:offset + length]

    for i in range(count):
        yield string(originals, i), string(translations, i)


def _plural_forms(header: str) -> str:
    for line in header.split("\n"):
        name, _, value = line.partition(":")
        if name.strip().lower() == "plural-forms":
            return value.strip()
    return "nplurals=2; plural=(n != 1);"  # gettext's own default (English's)


def catalogue_json(mo_file: Path) -> dict:
    try:
        entries = list(_entries(mo_file.read_bytes()))
    except OSError as e:
        raise CatalogueError(f"cannot read {mo_file}: {e.strerror}") from e
    except CatalogueError as e:
        raise CatalogueError(f"{mo_file}: {e}") from e
    header, messages, plurals = "", {}, {}
    for original, translation in entries:
        try:
            original_text = original.decode("utf-8")
            forms = translation.decode("utf-8").split("\0")
        except UnicodeDecodeError as e:
            raise CatalogueError(f"{mo_file}: a text is not UTF-8") from e
        if "\x04" in original_text:
            raise CatalogueError(f"{mo_file}: a text has a context, which the game never looks up")
        singular, _, plural = original_text.partition("\0")
        if not singular:
            header = forms[0]
        elif not any(forms):
            continue
        elif plural:
            plurals[singular] = forms
        else:
            messages[singular] = forms[0]
    return {"pluralForms": _plural_forms(header), "messages": messages, "plurals": plurals}
