"""Drawing surface of the skin artwork: anti-aliased shapes, crisp text.

The drawing code works in the units of the layout tables; a canvas of a
display scale maps them to its pixels. Whole units land on the pixel edges
ScaleRect gives (display_scale.scale_units), so a control cut from the sheet at
its scaled rectangle is exactly what was drawn there; fractional units (centres,
curves) scale linearly. Line widths, radii and blurs scale; text is set at its
scaled size and hinted there.

Shapes are drawn at four times the sheet's resolution and reduced with a box
filter, so their edges are smooth while pixel-aligned edges stay sharp; text
is drawn afterwards at the sheet's own resolution, where FreeType hints it.
Everything here is deterministic: the same calls give the same pixels.
"""

from pathlib import Path
from typing import NamedTuple

from PIL import Image, ImageDraw, ImageFilter, ImageFont

from display_scale import BASE_DPI, scale_units

SS = 4  # supersampling factor of the shape layer

# Keep freed image memory for the next layer instead of returning it to the
# system: the supersampled layers of the larger sets are tens of megabytes, and
# having them mapped and cleared anew took most of the drawing time.
Image.core.set_blocks_max(32)

_FONT_FILES = {
    ("sans", False): "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
    ("sans", True): "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf",
    ("display", False): "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    ("display", True): "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    ("cjk", False): "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
    ("cjk", True): "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
}
_faces = {}


class Font(NamedTuple):
    size: int  # in table units; a canvas sets it at its own scale
    bold: bool
    family: str


def font(size, bold=False, family="sans"):
    return Font(size, bold, family)


def fit_font(s, max_width, size, bold=False, family="sans", min_size=7):
    """The largest font not above `size` in which `s` is at most `max_width` units wide.

    Measured at 100 %, so that a text has the same size in every set: hinting
    moves a width at another scale by a few per cent, which the margin the
    caller leaves takes up.
    """
    while size > min_size and _face(font(size, bold, family), size).getlength(s) > max_width:
        size -= 1
    return font(size, bold, family)


def _face(f, pixels):
    """The FreeType face of `f` at a size of `pixels`."""
    key = (f.family, f.bold, pixels)
    if key not in _faces:
        path = _FONT_FILES[(f.family, f.bold)]
        if not Path(path).exists():
            raise SystemExit(f"font {path} is missing: install fonts-liberation2, "
                             "fonts-dejavu-core and fonts-wqy-microhei")
        _faces[key] = ImageFont.truetype(path, pixels, index=0,
                                         layout_engine=ImageFont.Layout.BASIC)
    return _faces[key]


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1)."""
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def _rgba(colour):
    return tuple(colour) if len(colour) == 4 else tuple(colour) + (255,)


def _ramp(top, bottom, w, h):
    """A w x h image going from `top` colour in its first row to `bottom` in its last."""
    top, bottom = _rgba(top), _rgba(bottom)
    column = Image.new("RGBA", (1, h))
    column.putdata([mix(top, bottom, y / max(h - 1, 1)) for y in range(h)])
    return column.resize((w, h), Image.NEAREST)


class Canvas:
    def __init__(self, width, height, background=(0, 0, 0), dpi=BASE_DPI, height_down=False):
        """A sheet of `width` x `height` table units drawn for a display of `dpi`; with
        `height_down`, its height in pixels is rounded down instead of half away from zero."""
        self.dpi = dpi
        self.k = dpi / BASE_DPI  # exact for every scale of kSkinScales
        self.w, self.h = scale_units(width, dpi), scale_units(height, dpi)
        if height_down:
            self.h = height * dpi // BASE_DPI
        self.hi = Image.new("RGBA", (self.w * SS, self.h * SS), _rgba(background))
        self.blend = ImageDraw.Draw(self.hi, "RGBA")
        self.replace = ImageDraw.Draw(self.hi)
        self.texts = []

    # -- coordinates ---------------------------------------------------------
    def _at(self, v):
        """A position in pixels: whole units as ScaleUnits rounds them, others linearly."""
        return scale_units(int(v), self.dpi) if v == int(v) else v * self.k

    def _len(self, v):
        """A length in pixels: line width, radius, blur."""
        return v * self.k

    def _box(self, box):
        x0, y0, x1, y1 = (self._at(v) for v in box)
        return (round(x0 * SS), round(y0 * SS), round(x1 * SS) - 1, round(y1 * SS) - 1)

    def _pts(self, points):
        return [(round(self._at(x) * SS), round(self._at(y) * SS)) for x, y in points]

    # -- text measures -------------------------------------------------------
    def _face(self, f):
        return _face(f, scale_units(f.size, self.dpi))

    def text_width(self, s, f):
        """The width of `s` set in `f` at this canvas's scale, in table units."""
        return self._face(f).getlength(s) / self.k


    # -- shapes --------------------------------------------------------------
    def rect(self, box, fill=None, outline=None, width=1, radius=0):
        draw = self.blend
        kwargs = dict(fill=_rgba(fill) if fill else None,
                      outline=_rgba(outline) if outline else None,
                      width=round(self._len(width) * SS))
        if radius:
            draw.rounded_rectangle(self._box(box), radius=round(self._len(radius) * SS),
                                   **kwargs)
        else:
            draw.rectangle(self._box(box), **kwargs)

    def ellipse(self, box, fill=None, outline=None, width=1):
        self.blend.ellipse(self._box(box), fill=_rgba(fill) if fill else None,
                           outline=_rgba(outline) if outline else None,
                           width=round(self._len(width) * SS))

    def circle(self, cx, cy, r, **kwargs):
        self.ellipse((cx - r, cy - r, cx + r, cy + r), **kwargs)

    def polygon(self, points, fill=None, outline=None):
        self.blend.polygon(self._pts(points), fill=_rgba(fill) if fill else None,
                           outline=_rgba(outline) if outline else None)

    def line(self, points, colour, width=1):
        self.blend.line(self._pts(points), fill=_rgba(colour),
                        width=round(self._len(width) * SS), joint="curve")
        # Round caps.
        r = self._len(width) * SS / 2
        for x, y in self._pts([points[0], points[-1]]):
            self.blend.ellipse((x - r, y - r, x + r - 1, y + r - 1), fill=_rgba(colour))

    def arc(self, box, start, end, colour, width=1):
        """Arc of the ellipse in `box` from `start` to `end` degrees (clockwise from 3 o'clock)."""
        self.blend.arc(self._box(box), start, end, fill=_rgba(colour),
                       width=round(self._len(width) * SS))

    def polygon_gradient(self, points, top, bottom):
        """A polygon filled from `top` colour at its highest point to `bottom` at its lowest."""
        pts = self._pts(points)
        x0, y0 = min(p[0] for p in pts), min(p[1] for p in pts)
        x1, y1 = max(p[0] for p in pts) + 1, max(p[1] for p in pts) + 1
        mask = Image.new("L", (x1 - x0, y1 - y0), 0)
        ImageDraw.Draw(mask).polygon([(x - x0, y - y0) for x, y in pts], fill=255)
        fill = _ramp(top, bottom, x1 - x0, y1 - y0)
        self.hi.paste(fill, (x0, y0), mask)

    def vgradient(self, box, top, bottom, radius=0):
        """A box filled from `top` colour to `bottom` colour."""
        x0, y0, x1, y1 = self._box(box)
        w, h = x1 - x0 + 1, y1 - y0 + 1
        fill = _ramp(top, bottom, w, h)
        mask = Image.new("L", (w, h), 0)
        ImageDraw.Draw(mask).rounded_rectangle((0, 0, w - 1, h - 1),
                                               radius=round(self._len(radius) * SS), fill=255)
        self.hi.paste(fill, (x0, y0), mask)

    def glow(self, box, colour, blur, shape="rect", radius=0):
        """A soft light of `colour` around a shape, limited to nothing outside the sheet."""
        # In pixels from here on: the shape's box, the blur and the margin it needs.
        blur = self._len(blur)
        pad = blur * 3
        x0, y0, x1, y1 = (self._at(v) for v in box)
        lx0, ly0 = round((x0 - pad) * SS), round((y0 - pad) * SS)
        lx1, ly1 = round((x1 + pad) * SS) - 1, round((y1 + pad) * SS) - 1
        layer = Image.new("RGBA", (lx1 - lx0 + 1, ly1 - ly0 + 1), _rgba(colour)[:3] + (0,))
        d = ImageDraw.Draw(layer)
        inner = (round(pad * SS), round(pad * SS),
                 round((pad + x1 - x0) * SS) - 1, round((pad + y1 - y0) * SS) - 1)
        if shape == "ellipse":
            d.ellipse(inner, fill=_rgba(colour))
        else:
            d.rounded_rectangle(inner, radius=round(self._len(radius) * SS), fill=_rgba(colour))
        layer = layer.filter(ImageFilter.GaussianBlur(blur * SS))
        self._composite(layer, lx0, ly0)

    def _composite(self, layer, x, y):
        """Composites `layer` at (x, y) of the shape layer, clipped to the sheet."""
        cx0, cy0 = max(0, -x), max(0, -y)
        cx1 = min(layer.width, self.hi.width - x)
        cy1 = min(layer.height, self.hi.height - y)
        if cx1 > cx0 and cy1 > cy0:
            self.hi.alpha_composite(layer.crop((cx0, cy0, cx1, cy1)), (x + cx0, y + cy0))

    # -- transparency (PNG sheets) -------------------------------------------
    # A light window replaces the pixels under it with `colour` at `alpha`
    # (0: fully clear). Giving the surrounding colour keeps anti-aliased edges
    # free of dark fringes.
    def cut_polygon(self, points, colour=(0, 0, 0), alpha=0):
        self.replace.polygon(self._pts(points), fill=tuple(colour[:3]) + (alpha,))

    def cut_rect(self, box, radius=0, colour=(0, 0, 0), alpha=0):
        fill = tuple(colour[:3]) + (alpha,)
        if radius:
            self.replace.rounded_rectangle(self._box(box), radius=round(self._len(radius) * SS),
                                           fill=fill)
        else:
            self.replace.rectangle(self._box(box), fill=fill)

    def cut_ellipse(self, box, colour=(0, 0, 0), alpha=0):
        self.replace.ellipse(self._box(box), fill=tuple(colour[:3]) + (alpha,))

    # -- text ----------------------------------------------------------------
    def text(self, xy, s, f, colour, anchor="ls"):
        self.texts.append((xy, s, f, colour, anchor))

    def text_in(self, rect, s, f, colour, align="left", pad=0):
        """Text vertically centred in `rect` (x, y, w, h), aligned left, centre or right."""
        x, y, w, h = rect
        cy = y + h / 2
        if align == "left":
            self.text((x + pad, cy), s, f, colour, "lm")
        elif align == "right":
            self.text((x + w - pad, cy), s, f, colour, "rm")
        else:
            self.text((x + w / 2, cy), s, f, colour, "mm")

    # -- result --------------------------------------------------------------
    def image(self):
        img = self.hi.reduce(SS)
        draw = ImageDraw.Draw(img)
        for (x, y), s, f, colour, anchor in self.texts:
            draw.text((round(self._at(x)), round(self._at(y))), s, font=self._face(f),
                      fill=_rgba(colour), anchor=anchor)
        return img


def save_bmp(img, path):
    img.convert("RGB").save(path, "BMP")


def save_png(img, path):
    # Fully transparent pixels carry no colour, so the file does not depend on
    # what was drawn under a light window.
    img = img.copy()
    alpha = img.getchannel("A")
    clear = alpha.point(lambda a: 255 if a == 0 else 0)
    img.paste((0, 0, 0, 0), (0, 0), clear)
    img.save(path, "PNG", optimize=False, compress_level=9)
