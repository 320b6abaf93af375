"""Reads the control rectangles from the windows' layout headers.

The artwork places every control drawing at the rectangle the window itself
uses, so the rectangles have one home: the C++ tables in src/skin/layout/.
Each table there is `std::array kNameControls{ Builder(ID, {x, y, w, h}, ...), ... };`,
ID being a name of ResourceIds.h (the program's one list of resource numbers,
plain #define lines). The sheet file names come from kSheetFiles in
SkinLayout.h, so the generator writes exactly the files the program loads, and
the scales that have sheets of their own from kSkinScales in DisplayScale.h.
"""

import re
from pathlib import Path

from display_scale import BASE_DPI

_TABLE = re.compile(r"\b(k\w+Controls)\s*\{")
_ENTRY = re.compile(
    r"\b[A-Z]\w*\(\s*(\w+)\s*,\s*(?:Rect\s*)?\{\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*\}"
)
_COMMENT = re.compile(r"//[^\n]*|/\*.*?\*/", re.S)
_DEFINE = re.compile(r"^#define\s+(\w+)\s+(\d+)\s*$", re.M)
_SKIN_SCALES = re.compile(r"\bkSkinScales\s*\{([^}]*)\}")
_BASE_DPI = re.compile(r"\bkBaseDpi\s*=\s*(\d+)\s*;")


def read_ids(path):
    """The names and numbers of ResourceIds.h."""
    return {name: int(value) for name, value in _DEFINE.findall(Path(path).read_text("utf-8"))}


class Rect(tuple):
    """(x, y, width, height) with a few conveniences."""

    def __new__(cls, x, y, w, h):
        return super().__new__(cls, (x, y, w, h))

    x = property(lambda self: self[0])
    y = property(lambda self: self[1])
    w = property(lambda self: self[2])
    h = property(lambda self: self[3])
    right = property(lambda self: self[0] + self[2])
    bottom = property(lambda self: self[1] + self[3])
    cx = property(lambda self: self[0] + self[2] / 2)
    cy = property(lambda self: self[1] + self[3] / 2)

    def box(self):
        return (self.x, self.y, self.right, self.bottom)


def _table_body(text, start):
    """The text between the brace at `start` and its partner."""
    depth = 0
    for i in range(start, len(text)):
        if text[i] == "{":
            depth += 1
        elif text[i] == "}":
            depth -= 1
            if depth == 0:
                return text[start + 1 : i]
    raise ValueError("unbalanced braces in a layout table")


def _read_skin_scales(header):
    """kSkinScales of DisplayScale.h, in percent, 100 first."""
    text = _COMMENT.sub("", header.read_text(encoding="utf-8"))
    base = _BASE_DPI.search(text)
    if not base or int(base.group(1)) != BASE_DPI:
        raise ValueError(f"{header.name}: kBaseDpi is not {BASE_DPI}")
    scales = _SKIN_SCALES.search(text)
    if not scales:
        raise ValueError(f"{header.name} has no kSkinScales")
    percents = [int(v) for v in re.findall(r"\d+", scales.group(1))]
    if not percents or percents[0] != 100:
        raise ValueError(f"{header.name}: kSkinScales does not start at 100")
    return percents


class LayoutTables:
    def __init__(self, folder):
        self.ids = read_ids(Path(folder) / "ResourceIds.h")
        self.tables = {}
        for header in sorted(Path(folder).glob("*.h")):
            text = _COMMENT.sub("", header.read_text(encoding="utf-8"))
            for match in _TABLE.finditer(text):
                body = _table_body(text, match.end() - 1)
                entries = {}
                for e in _ENTRY.finditer(body):
                    control_id = self.id_of(e.group(1))
                    if control_id in entries:
                        raise ValueError(
                            f"{header.name}: {match.group(1)} lists {control_id} twice")
                    entries[control_id] = Rect(*(int(v) for v in e.groups()[1:]))
                if entries:
                    self.tables[match.group(1)] = entries
        if not self.tables:
            raise ValueError(f"no layout tables found in {folder}")
        common = _COMMENT.sub("", (Path(folder) / "SkinLayout.h").read_text(encoding="utf-8"))
        files = re.search(r"\bkSheetFiles\s*\{", common)
        if not files:
            raise ValueError("SkinLayout.h has no kSheetFiles table")
        body = _table_body(common, files.end() - 1)
        # The names as file names: without the literal's leading backslash.
        self.sheet_files = re.findall(r'L"\\\\([^"]+)"', body)
        self.skin_scales = _read_skin_scales(Path(folder) / "DisplayScale.h")

    def id_of(self, key):
        """A control ID given as a number or as a name of ResourceIds.h."""
        if isinstance(key, int) or key.isdigit():
            return int(key)
        try:
            return self.ids[key]
        except KeyError:
            raise KeyError(f"ResourceIds.h has no {key}") from None

    def rect(self, table, control_id):
        try:
            return self.tables[table][self.id_of(control_id)]
        except KeyError:
            raise KeyError(f"layout table {table} has no control {control_id}") from None
