#!/usr/bin/env python3
"""Writes PNG copies of generated sheets for review: each sheet alone, and each
Down or Disable sheet beside its Normal sheet.

    preview.py SKINS_FOLDER OUTPUT_FOLDER [ICONS_FOLDER]

Transparent pixels of the LED sheets show as a magenta checkerboard.
"""

import sys
from pathlib import Path

from PIL import Image, ImageDraw


def _flatten(img):
    if img.mode != "RGBA":
        return img.convert("RGB")
    board = Image.new("RGB", img.size, (255, 0, 255))
    draw = ImageDraw.Draw(board)
    for y in range(0, img.height, 8):
        for x in range((y // 8) % 2 * 8, img.width, 16):
            draw.rectangle((x, y, x + 7, y + 7), fill=(128, 0, 128))
    board.paste(img, (0, 0), img)
    return board


def main(skins, out, icons=None):
    skins, out = Path(skins), Path(out)
    out.mkdir(parents=True, exist_ok=True)
    sheets = {p.name: p for p in skins.iterdir() if p.is_file()}
    for name, path in sorted(sheets.items()):
        _flatten(Image.open(path)).save(out / (path.stem + ".png"))
    for name, path in sorted(sheets.items()):
        for variant in ("Down", "Disable"):
            if variant not in name:
                continue
            normal = sheets.get(name.replace(variant, "Normal"))
            if normal is None:
                continue
            a, b = _flatten(Image.open(normal)), _flatten(Image.open(path))
            pair = Image.new("RGB", (a.width + b.width + 8, max(a.height, b.height)),
                             (255, 255, 255))
            pair.paste(a, (0, 0))
            pair.paste(b, (a.width + 8, 0))
            pair.save(out / f"pair - {path.stem}.png")
    if icons:
        for ico in Path(icons).glob("*.ico"):
            img = Image.open(ico)
            sizes = sorted(img.info.get("sizes", []))
            width = sum(w for w, _ in sizes) + 8 * len(sizes)
            strip = Image.new("RGB", (width, 256), (200, 200, 200))
            x = 0
            for size in sizes:
                img.size = size
                frame = img.copy().convert("RGBA")
                strip.paste(frame, (x, 0), frame)
                x += size[0] + 8
            strip.save(out / f"icon - {ico.stem}.png")


if __name__ == "__main__":
    main(*sys.argv[1:])
