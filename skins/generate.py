#!/usr/bin/env python3
"""Draws the Vandir II skin sheets and the two window icons.

    generate.py --layout DIR [--skins DIR [--scale PERCENT]...] [--icons DIR]
    generate.py --layout DIR --list

--layout is src/skin/layout (the windows' layout tables, read for the control
rectangles and the display scales), --skins receives the 31 sheet files of
every scale of kSkinScales (or of the --scale ones): the 100 % set in the
folder itself, every other set in a subfolder named by its percentage
("150/"), --icons the two .ico files, whose images cover the small and the
large icon at every scale. Every set is drawn by the same code in table units;
the canvas of a scale maps them to its pixels (canvas.py).
Controls go by their ResourceIds.h names, so no control number lives here.
The output depends only on these sources and the Debian fonts: the same bytes
on every run.

Look: a dark neutral theme in the greys of the program's own pop-up list
(0x282828, 0x5A5A5A) with one orange accent. Normal sheets show controls at
rest; Down sheets show the same controls lit (accent) for hover, pressed,
checked and selected; Disable sheets show them dimmed. Texts that the program
draws itself need: light function-selector fields on the Key Assignment Normal
sheet (grey caption) and dark ones on its Down sheet (white caption); dark
value labels, edit boxes and version fields (white text).
"""

import argparse
import math
import struct
import sys
from io import BytesIO
from pathlib import Path

from PIL import Image, ImageDraw

from canvas import Canvas, fit_font, font, mix, save_bmp, save_png
from display_scale import dpi_of_percent, scale_units, set_folder
from layout_tables import LayoutTables, Rect

# -- palette -------------------------------------------------------------------
BG_TOP = (27, 27, 28)
BG = (19, 19, 20)
STRIP = (14, 14, 15)
PANEL = (25, 25, 26)
PANEL_EDGE = (44, 44, 46)
LINE = (48, 48, 50)
DIALOG = (40, 40, 40)  # the pop-up list's background, 0x282828
DIALOG_EDGE = (90, 90, 90)  # the pop-up list's border, 0x5A5A5A
TEXT = (238, 238, 238)
TEXT_2 = (178, 178, 180)
TEXT_3 = (124, 124, 128)
TEXT_OFF = (78, 78, 80)
ACCENT = (255, 122, 26)
ACCENT_LIGHT = (255, 178, 120)
ACCENT_DARK = (52, 32, 20)  # dark face tinted with the accent
INK = (22, 16, 12)  # dark text on the accent
FIELD_DARK = (9, 9, 10)
FIELD_EDGE = (70, 70, 72)

THUMB_W, THUMB_H = 13, 17  # slider thumb; drawn at the top of every track

NORMAL, DOWN, DISABLED = "normal", "down", "disabled"


def look(state, normal, down, disabled=None):
    return {NORMAL: normal, DOWN: down, DISABLED: disabled if disabled else normal}[state]


# -- shared pieces -----------------------------------------------------------------
def page(dpi, width=800, height=515):
    c = Canvas(width, height, BG, dpi)
    c.vgradient((0, 0, width, height), BG_TOP, BG)
    return c


def panel(c, box, radius=6):
    c.rect(box, fill=PANEL, outline=PANEL_EDGE, radius=radius)


def heading(c, x, y, title, subtitle=None):
    c.text((x, y), title, font(20, True, "display"), TEXT, "ls")
    c.rect((x, y + 8, x + 28, y + 10), fill=ACCENT)
    if subtitle:
        c.text((x, y + 26), subtitle, font(12), TEXT_3, "ls")


def dialog(dpi, width, height, title=None):
    c = Canvas(width, height, DIALOG, dpi)
    c.vgradient((0, 0, width, height), (46, 46, 46), (36, 36, 36))
    c.rect((0, 0, width, height), outline=DIALOG_EDGE)
    c.rect((1, 1, width - 1, 3), fill=ACCENT)
    if title:
        c.text((14, 21), title, font(12, True), TEXT, "ls")
    return c


def reset_icon(c, cx, cy, colour):
    r = 6
    c.arc((cx - r, cy - r, cx + r, cy + r), 320, 250, colour, 1.6)
    # Arrow head at the arc's open end (top, pointing right).
    a = math.radians(250)
    x, y = cx + r * math.cos(a), cy + r * math.sin(a)
    c.polygon([(x - 1.5, y - 3.5), (x + 3.5, y + 0.2), (x - 1.5, y + 3.2)], fill=colour)


def apply_icon(c, cx, cy, colour):
    c.line([(cx - 6, cy), (cx - 2, cy + 4), (cx + 6, cy - 5)], colour, 1.8)


def action_button(c, r, label, icon, state, primary=False):
    """Reset and Apply: 61 x 43, an icon over a word."""
    box = r.box()
    if state == DOWN:
        c.rect(box, fill=ACCENT_DARK, outline=ACCENT, radius=4)
        colour, ink = ACCENT, TEXT
    elif state == DISABLED:
        c.rect(box, fill=(28, 28, 29), outline=(44, 44, 46), radius=4)
        colour, ink = TEXT_OFF, TEXT_OFF
    else:
        edge = mix(FIELD_EDGE, ACCENT, 0.45) if primary else (66, 66, 68)
        c.vgradient(box, (40, 40, 41), (30, 30, 31), radius=4)
        c.rect(box, outline=edge, radius=4)
        colour, ink = (206, 206, 208), (210, 210, 210)
    icon(c, r.cx, r.y + 16, colour)
    c.text((r.cx, r.y + 34), label, font(10, True), ink, "ms")


def page_footer(c, L, table, reset_id, apply_id, state, note=None):
    c.rect((24, 449, 776, 450), fill=LINE)
    c.text((24, 482), "VANDIR II", font(11, True, "display"), TEXT_3, "ls")
    c.text((24 + c.text_width("VANDIR II", font(11, True, "display")) + 10, 482),
           note or "Apply sends every setting to the mouse and keeps it for the next start.",
           font(11), TEXT_OFF, "ls")
    action_button(c, L.rect(table, reset_id), "RESET", reset_icon, state)
    action_button(c, L.rect(table, apply_id), "APPLY", apply_icon, state, primary=True)


def text_button(c, r, label, state, size=12, icon=None):
    """A dark push button with a centred word (OK, Clear, Online Support, ...)."""
    box = r.box()
    if state == DOWN:
        c.rect(box, fill=ACCENT_DARK, outline=ACCENT, radius=4)
        colour, icon_colour = TEXT, ACCENT
    elif state == DISABLED:
        c.rect(box, fill=(30, 30, 31), outline=(48, 48, 50), radius=4)
        colour = icon_colour = TEXT_OFF
    else:
        c.vgradient(box, (34, 34, 35), (24, 24, 25), radius=4)
        c.rect(box, outline=(96, 96, 98), radius=4)
        colour, icon_colour = (214, 214, 214), (176, 176, 178)
    f = font(size, True)
    width = c.text_width(label, f) + (22 if icon else 0)
    x = r.cx - width / 2
    if icon:
        icon(c, x + 7, r.cy, icon_colour)
        x += 22
    c.text((x, r.cy), label, f, colour, "lm")


def close_cross(c, r, state):
    if state == DOWN:
        c.rect(r.box(), fill=ACCENT, radius=3)
        colour = INK
    else:
        colour = look(state, (176, 176, 178), None, TEXT_OFF)
    s = min(r.w, r.h) / 2 - 4
    c.line([(r.cx - s, r.cy - s), (r.cx + s, r.cy + s)], colour, 1.6)
    c.line([(r.cx - s, r.cy + s), (r.cx + s, r.cy - s)], colour, 1.6)


def tick_box(c, r, state, size=None):
    """A square check box at the left of `r`, vertically centred."""
    s = size or min(r.w, r.h) - 2
    x0, y0 = r.x + (min(r.w, r.h) - s) / 2, r.cy - s / 2
    box = (x0, y0, x0 + s, y0 + s)
    if state == DOWN:
        c.rect(box, fill=ACCENT, outline=ACCENT, radius=3)
        c.line([(x0 + s * 0.24, y0 + s * 0.52), (x0 + s * 0.43, y0 + s * 0.72),
                (x0 + s * 0.77, y0 + s * 0.3)], INK, max(1.6, s / 9))
    else:
        c.rect(box, fill=FIELD_DARK, outline=look(state, (128, 128, 130), None, (62, 62, 64)),
               radius=3)


def radio(c, cx, cy, d, state):
    r = d / 2
    if state == DOWN:
        c.circle(cx, cy, r, fill=FIELD_DARK, outline=ACCENT, width=1.6)
        c.circle(cx, cy, r * 0.48, fill=ACCENT)
    else:
        c.circle(cx, cy, r, fill=FIELD_DARK,
                 outline=look(state, (128, 128, 130), None, (62, 62, 64)), width=1.2)


def radio_in(c, r, state):
    d = min(r.w, r.h) - 2
    radio(c, r.x + min(r.w, r.h) / 2, r.cy, d, state)


def value_box(c, r):
    """Dark field under a text the program draws in white."""
    c.rect(r.box(), fill=FIELD_DARK, outline=FIELD_EDGE, radius=2)


def thumb_centres(r, values):
    """x of the thumb centre for each value, as the slider computes it."""
    lo, hi = values[0], values[-1]
    return [r.x + int((r.w - THUMB_W) * ((v - lo) / (hi - lo))) + THUMB_W // 2 for v in values]


def slider_track(c, r, values, groove=None):
    """Groove across the track at the thumb's middle height, a tick per step."""
    cy = r.y + THUMB_H / 2
    x0, x1 = r.x + THUMB_W / 2 - 1, r.right - THUMB_W / 2 + 1
    if groove:  # colour ramp (LED channels)
        c.rect((x0 - 1, cy - 3.5, x1 + 1, cy + 3.5), fill=(10, 10, 10), radius=3.5)
        steps = 48
        for i in range(steps):
            t0, t1 = i / steps, (i + 1) / steps
            c.rect((x0 + (x1 - x0) * t0, cy - 2.5, x0 + (x1 - x0) * t1 + 0.3, cy + 2.5),
                   fill=mix(groove[0], groove[1], (t0 + t1) / 2))
        return
    c.rect((x0, cy - 2.5, x1, cy + 2.5), fill=(8, 8, 8), outline=(84, 84, 88), radius=2.5)
    if values:
        for x in thumb_centres(r, values):
            c.rect((x, cy + 4.5, x + 1, min(r.bottom, cy + 8)), fill=(96, 96, 98))


def tick_labels(c, r, values, labels=None, y=None, colour=TEXT_3, size=10, outer=False):
    """Labels under the ticks; with `outer` the first starts and the last ends at its tick."""
    labels = labels or [str(v) for v in values]
    y = y if y is not None else r.bottom + 11
    xs = thumb_centres(r, values)
    for i, (x, s) in enumerate(zip(xs, labels)):
        anchor = "ms"
        if outer and i == 0:
            x, anchor = x - 3, "ls"
        elif outer and i == len(xs) - 1:
            x, anchor = x + 4, "rs"
        c.text((x + 0.5, y), s, font(size), colour, anchor)


# -- the mouse (top view) --------------------------------------------------------
def _catmull(points, samples=12, closed=True):
    out = []
    n = len(points)
    rng = range(n) if closed else range(n - 1)
    for i in rng:
        p0, p1 = points[(i - 1) % n], points[i]
        p2, p3 = points[(i + 1) % n], points[(i + 2) % n]
        if not closed:
            p0 = points[max(i - 1, 0)]
            p3 = points[min(i + 2, n - 1)]
        for k in range(samples):
            t = k / samples
            t2, t3 = t * t, t * t * t
            out.append(tuple(
                0.5 * (2 * p1[j] + (-p0[j] + p2[j]) * t
                       + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t2
                       + (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t3) for j in range(2)))
    return out


def mouse_outline(cx, top, scale=1.0):
    """Closed outline of the mouse seen from above, front at the top."""
    half = [(0, 0), (50, 5), (84, 22), (101, 56), (109, 110), (114, 170), (118, 226),
            (114, 276), (100, 322), (74, 356), (38, 372), (0, 377)]
    right = [(cx + x * scale, top + y * scale) for x, y in half]
    left = [(cx - x * scale, top + y * scale) for x, y in reversed(half[1:-1])]
    return _catmull(right + left)


def draw_mouse_top(c, cx, top, scale=1.0, side_buttons=True, dpi_buttons=True, logo=True):
    s = scale
    outline = mouse_outline(cx, top, s)
    # Soft shadow and body.
    c.glow((cx - 100 * s, top + 30 * s, cx + 100 * s, top + 374 * s), (0, 0, 0, 150), 10 * s,
           shape="ellipse")
    c.polygon_gradient(outline, (66, 66, 69), (28, 28, 30))
    # Sheen on the left of the front.
    c.glow((cx - 80 * s, top + 30 * s, cx - 30 * s, top + 200 * s), (255, 255, 255, 16), 12 * s,
           shape="ellipse")
    c.polygon(outline, outline=(104, 104, 108))
    # Rear edge of the two main buttons and the split between them.
    groove = (12, 12, 13)
    edge = _catmull([(cx - 110 * s, top + 140 * s), (cx - 60 * s, top + 112 * s),
                     (cx - 14 * s, top + 104 * s), (cx + 14 * s, top + 104 * s),
                     (cx + 60 * s, top + 112 * s), (cx + 110 * s, top + 140 * s)],
                    closed=False)
    c.line(edge, groove, 2 * s)
    c.line([(p[0], p[1] + 2 * s) for p in edge], (78, 78, 82), 1 * s)
    c.line([(cx, top + 2 * s), (cx, top + 104 * s)], groove, 2 * s)
    # Wheel in its well.
    c.rect((cx - 12 * s, top + 16 * s, cx + 12 * s, top + 88 * s), fill=(10, 10, 11),
           radius=10 * s)
    c.vgradient((cx - 6 * s, top + 22 * s, cx + 6 * s, top + 82 * s), (92, 92, 96), (40, 40, 43),
                radius=6 * s)
    for k in range(9):
        y = top + (27 + k * 6.5) * s
        c.rect((cx - 5 * s, y, cx + 5 * s, y + 1.2 * s), fill=(30, 30, 32))
    if dpi_buttons:
        for y in (126, 206):
            c.rect((cx - 9 * s, top + (y - 18) * s, cx + 9 * s, top + (y + 18) * s),
                   fill=(46, 46, 49), outline=(98, 98, 102), radius=9 * s)
    if side_buttons:
        for y in (160, 210):
            c.rect((cx - 124 * s, top + (y - 16) * s, cx - 106 * s, top + (y + 16) * s),
                   fill=(50, 50, 53), outline=(108, 108, 112), radius=7 * s)
    if logo:
        ly = top + 292 * s
        c.polygon([(cx - 16 * s, ly - 10 * s), (cx - 8 * s, ly - 10 * s), (cx, ly + 4 * s),
                   (cx + 8 * s, ly - 10 * s), (cx + 16 * s, ly - 10 * s), (cx, ly + 14 * s)],
                  fill=mix(ACCENT, (40, 40, 40), 0.25))


def hot_spot(c, r, number, state):
    d = min(r.w, r.h) - 2
    if state == DOWN:
        c.circle(r.cx, r.cy, d / 2, fill=ACCENT, outline=ACCENT_LIGHT, width=1.2)
        colour = INK
    else:
        c.circle(r.cx, r.cy, d / 2, fill=(20, 20, 21, 235),
                 outline=look(state, (168, 168, 172), None, (70, 70, 72)), width=1.4)
        colour = look(state, (232, 232, 232), None, TEXT_OFF)
    c.text((r.cx + 0.5, r.cy + 0.5), str(number), font(12, True), colour, "mm")


def badge(c, r, number, state):
    box = (r.x + 1, r.y + 1, r.right - 1, r.bottom - 1)
    if state == DOWN:
        c.rect(box, fill=ACCENT, radius=4)
        colour = INK
    else:
        c.rect(box, fill=(36, 36, 38), outline=look(state, (78, 78, 82), None, (52, 52, 54)),
               radius=4)
        colour = look(state, (196, 196, 198), None, TEXT_OFF)
    c.text((r.cx + 0.5, r.cy + 0.5), str(number), font(12, True), colour, "mm")


def selector(c, r, state):
    """Function selector field: light at rest (grey caption), dark when lit (white caption)."""
    box = r.box()
    arrow_x = r.right - 14
    if state == DOWN:
        c.rect(box, fill=(30, 30, 31), outline=ACCENT, radius=3)
        c.rect((r.right - 28, r.y + 5, r.right - 27, r.bottom - 5), fill=(70, 70, 72))
        arrow = ACCENT
    else:
        top, bottom = look(state, ((224, 224, 226), (196, 196, 199)), None,
                           ((120, 120, 122), (108, 108, 110)))
        c.vgradient(box, top, bottom, radius=3)
        c.rect(box, outline=look(state, (150, 150, 154), None, (90, 90, 92)), radius=3)
        c.rect((r.right - 28, r.y + 5, r.right - 27, r.bottom - 5), fill=(168, 168, 172))
        arrow = look(state, (90, 90, 90), None, (80, 80, 80))
    cy = r.y + (r.h - 3) / 2 + 0.5
    c.polygon([(arrow_x - 4.5, cy - 2), (arrow_x + 4.5, cy - 2), (arrow_x, cy + 3)], fill=arrow)


def subtabs(c, L, table, state):
    """Key Assignment / OS Sensitivity tabs at the top of the mouse-settings page."""
    c.rect((0, 0, 800, 25), fill=STRIP)
    c.rect((0, 25, 800, 26), fill=LINE)
    for control_id, label in (("IDC_MS_TAB_KEYS", "KEY ASSIGNMENT"),
                              ("IDC_MS_TAB_OS", "OS SENSITIVITY")):
        r = L.rect(table, control_id)
        if state == DOWN:
            c.vgradient(r.box(), (38, 38, 40), (28, 28, 30))
            c.rect((r.x, r.bottom - 2, r.right, r.bottom), fill=ACCENT)
            colour = TEXT
        else:
            colour = look(state, TEXT_3, None, TEXT_OFF)
        c.text_in(r, label, font(11, True), colour, "center")
    c.rect((158.5, 6, 159.5, 20), fill=LINE)


# -- main window --------------------------------------------------------------------
def icon_mouse(c, cx, cy, colour, size=1.0):
    w, h = 10 * size, 16 * size
    c.rect((cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2), outline=colour, width=1.6,
           radius=5 * size)
    c.line([(cx, cy - h / 2 + 2.5 * size), (cx, cy - h / 2 + 6 * size)], colour, 1.6)


def icon_light(c, cx, cy, colour, size=1.0):
    c.circle(cx, cy, 4 * size, outline=colour, width=1.6)
    for k in range(8):
        a = math.radians(k * 45)
        c.line([(cx + math.cos(a) * 6.8 * size, cy + math.sin(a) * 6.8 * size),
                (cx + math.cos(a) * 8.8 * size, cy + math.sin(a) * 8.8 * size)], colour, 1.5)


def icon_sensor(c, cx, cy, colour, size=1.0):
    c.circle(cx, cy, 6.5 * size, outline=colour, width=1.6)
    c.circle(cx, cy, 1.8 * size, fill=colour)
    for dx, dy in ((0, -1), (0, 1), (-1, 0), (1, 0)):
        c.line([(cx + dx * 4 * size, cy + dy * 4 * size), (cx + dx * 9 * size, cy + dy * 9 * size)],
               colour, 1.5)


def icon_support(c, cx, cy, colour, size=1.0):
    c.circle(cx, cy, 7.5 * size, outline=colour, width=1.6)
    c.arc((cx - 3, cy - 5, cx + 3, cy + 1), 180, 90, colour, 1.6)
    c.line([(cx, cy + 1), (cx, cy + 2)], colour, 1.6)
    c.circle(cx, cy + 4.6, 1.0, fill=colour)


def icon_globe(c, cx, cy, colour):
    c.circle(cx, cy, 6.5, outline=colour, width=1.3)
    c.ellipse((cx - 2.8, cy - 6.5, cx + 2.8, cy + 6.5), outline=colour, width=1.1)
    c.line([(cx - 6.5, cy), (cx + 6.5, cy)], colour, 1.1)


def main_window(L, state, dpi):
    t = "kMainWindowControls"
    c = Canvas(800, 600, BG, dpi)
    # Title bar.
    c.vgradient((0, 0, 800, 27), (20, 20, 21), (12, 12, 13))
    c.text((14, 18), "VANDIR", font(13, True, "display"), TEXT, "ls")
    vx = 14 + c.text_width("VANDIR", font(13, True, "display")) + 4
    c.text((vx, 18), "II", font(13, True, "display"), ACCENT, "ls")
    c.text((vx + 22, 17), "MOUSE CONFIGURATION", font(9, True), TEXT_OFF, "ls")
    for control_id, draw in (("IDC_MAIN_LANGUAGE", "globe"), ("IDC_MAIN_MINIMISE", "minimise"),
                             ("IDC_MAIN_HIDE", "close")):
        r = L.rect(t, control_id)
        if state == DOWN:
            c.rect(r.box(), fill=ACCENT, radius=3)
            colour = INK
        else:
            colour = look(state, (168, 168, 170), None, TEXT_OFF)
        if draw == "globe":
            icon_globe(c, r.cx, r.cy, colour)
        elif draw == "minimise":
            c.line([(r.cx - 4, r.cy + 3), (r.cx + 4, r.cy + 3)], colour, 1.6)
        else:
            c.line([(r.cx - 4, r.cy - 4), (r.cx + 4, r.cy + 4)], colour, 1.6)
            c.line([(r.cx - 4, r.cy + 4), (r.cx + 4, r.cy - 4)], colour, 1.6)
    # Tabs.
    tabs = (("IDC_MAIN_TAB_KEYS", "MOUSE SETTINGS", icon_mouse),
            ("IDC_MAIN_TAB_LED", "LED", icon_light),
            ("IDC_MAIN_TAB_SENSOR", "SENSOR", icon_sensor),
            ("IDC_MAIN_TAB_SUPPORT", "SUPPORT", icon_support))
    for control_id, label, icon in tabs:
        r = L.rect(t, control_id)
        if state == DOWN:
            c.vgradient(r.box(), (44, 44, 46), (30, 30, 32))
            c.glow((r.x + 20, r.bottom - 4, r.right - 20, r.bottom), ACCENT + (110,), 6)
            c.rect((r.x, r.bottom - 3, r.right, r.bottom), fill=ACCENT)
            colour, icon_colour = TEXT, ACCENT
        else:
            c.vgradient(r.box(), (30, 30, 31), (22, 22, 23))
            colour = icon_colour = look(state, TEXT_2, None, TEXT_OFF)
        if control_id != "IDC_MAIN_TAB_SUPPORT":
            c.rect((r.right, r.y + 14, r.right + 1, r.bottom - 14), fill=(50, 50, 52))
        f = font(13, True)
        width = 24 + c.text_width(label, f)
        x = r.cx - width / 2
        icon(c, x + 8, r.cy, icon_colour)
        c.text((x + 24, r.cy), label, f, colour, "lm")
    c.rect((0, 84, 800, 85), fill=(56, 56, 58))
    # Page area (covered by the pages).
    c.vgradient((0, 85, 800, 600), BG_TOP, BG)
    c.text((400, 350), "VANDIR II", font(48, True, "display"), (30, 30, 31), "mm")
    return c


# -- key assignment / OS sensitivity -------------------------------------------------
KA = "kKeyAssignmentControls"
OS = "kOsSensitivityControls"
# Buttons 1-7 in order.
SELECTORS = ("IDC_MS_SELECTOR_1", "IDC_MS_SELECTOR_2", "IDC_MS_SELECTOR_3", "IDC_MS_SELECTOR_4",
             "IDC_MS_SELECTOR_5", "IDC_MS_SELECTOR_6", "IDC_MS_SELECTOR_7")
HOT_SPOTS = ("IDC_MS_HOTSPOT_1", "IDC_MS_HOTSPOT_2", "IDC_MS_HOTSPOT_3", "IDC_MS_HOTSPOT_4",
             "IDC_MS_HOTSPOT_5", "IDC_MS_HOTSPOT_6", "IDC_MS_HOTSPOT_7")
BADGES = ("IDC_MS_BADGE_1", "IDC_MS_BADGE_2", "IDC_MS_BADGE_3", "IDC_MS_BADGE_4", "IDC_MS_BADGE_5",
          "IDC_MS_BADGE_6", "IDC_MS_BADGE_7")


def key_assignment(L, state, dpi):
    c = page(dpi)
    subtabs(c, L, KA, state)
    # Left: the mouse with its seven buttons.
    panel(c, (18, 34, 416, 440))
    draw_mouse_top(c, 196, 44)
    # Leader lines from the side-button hot-spots to the side buttons.
    for control_id in ("IDC_MS_HOTSPOT_4", "IDC_MS_HOTSPOT_5"):
        r = L.rect(KA, control_id)
        c.line([(r.right + 1, r.cy), (71, r.cy)], (110, 110, 114), 1)
    for number, control_id in enumerate(HOT_SPOTS, 1):
        hot_spot(c, L.rect(KA, control_id), number, state)
    # Right: the functions.
    panel(c, (430, 34, 782, 440))
    c.text((445, 66), "BUTTON ASSIGNMENT", font(15, True, "display"), TEXT, "ls")
    c.text((445, 86), "Point at a function to find its button on the mouse;", font(11), TEXT_3)
    c.text((445, 100), "click it to choose another function.", font(11), TEXT_3)
    c.text((457.5, 128), "#", font(10, True), TEXT_OFF, "ms")
    c.text((485, 128), "FUNCTION", font(10, True), TEXT_OFF, "ls")
    for number, (b, s) in enumerate(zip(BADGES, SELECTORS), 1):
        badge(c, L.rect(KA, b), number, state)
        selector(c, L.rect(KA, s), state)
    c.text((445, 392), "At least one button keeps the Left Click.", font(11), TEXT_3)
    c.text((445, 408), "Keyboard keys, rapid fire, DPI and media functions", font(11), TEXT_OFF)
    c.text((445, 422), "are in each button's list.", font(11), TEXT_OFF)
    page_footer(c, L, KA, "IDC_MS_RESET", "IDC_MS_APPLY", state)
    return c


def os_sensitivity(L, state, dpi):
    c = page(dpi)
    subtabs(c, L, OS, state)
    panel(c, (36, 34, 782, 412))
    c.text((57, 62), "OS SENSITIVITY", font(15, True, "display"), TEXT, "ls")
    c.text((220, 62), "Pointer and double-click speed of Windows, and the mouse's button response.",
           font(11), TEXT_3, "ls")
    # USB polling rate.
    r = L.rect(OS, "IDC_MS_ANCHOR_POLLING")
    c.text_in(r, "USB POLLING RATE", fit_font("USB POLLING RATE", r.w - 2, 12, True), TEXT, "left")
    for control_id, label in (("IDC_MS_POLL_125", "125 Hz"), ("IDC_MS_POLL_250", "250 Hz"),
                              ("IDC_MS_POLL_500", "500 Hz"), ("IDC_MS_POLL_1000", "1000 Hz")):
        box = L.rect(OS, control_id)
        radio_in(c, box, state)
        c.text((box.right + 6, box.cy + 0.5), label, font(12), TEXT_2, "lm")
    c.text((400, 124), "Reports per second sent by the mouse", font(11), TEXT_OFF, "ls")
    # The three sliders.
    sliders = (("IDC_MS_ANCHOR_SPEED", "Sensitivity", "IDC_MS_POINTER_SPEED",
                list(range(1, 12)), ("Slow", "Fast")),
               ("IDC_MS_ANCHOR_DOUBLE_CLICK", "Double Click Speed", "IDC_MS_DOUBLE_CLICK",
                list(range(1, 12)), ("Slow", "Fast")),
               ("IDC_MS_ANCHOR_RESPONSE", "Response Time", "IDC_MS_RESPONSE",
                list(range(4, 33, 4)), ("ms", "")))
    for anchor_id, label, slider_id, values, ends in sliders:
        a = L.rect(OS, anchor_id)
        c.text_in(a, label, fit_font(label, a.w - 2, 13, True), TEXT, "left")
        s = L.rect(OS, slider_id)
        slider_track(c, s, values)
        tick_labels(c, s, values)
        mid = s.y + THUMB_H / 2 + 0.5
        if ends[0] and ends[1]:
            c.text((s.x - 6, mid), ends[0], font(10), TEXT_3, "rm")
            c.text((s.right + 6, mid), ends[1], font(10), TEXT_3, "lm")
        else:
            c.text((s.right + 6, mid), ends[0], font(10), TEXT_3, "lm")
    # Lock OS settings.
    c.rect((57, 336, 760, 337), fill=LINE)
    r = L.rect(OS, "IDC_MS_ANCHOR_LOCK")
    c.text_in(r, "LOCK OS SETTINGS", fit_font("LOCK OS SETTINGS", r.w - 2, 12, True), TEXT, "left")
    for control_id, label in (("IDC_MS_LOCK", "Lock"), ("IDC_MS_UNLOCK", "Unlock")):
        box = L.rect(OS, control_id)
        radio_in(c, box, state)
        c.text((box.right + 6, box.cy + 0.5), label, font(12), TEXT_2, "lm")
    c.text((260, 376), "Lock: the pointer speed and double-click time set here", font(11),
           TEXT_3, "ls")
    c.text((260, 391), "are given to Windows every time the settings are loaded.", font(11),
           TEXT_3, "ls")
    page_footer(c, L, OS, "IDC_MS_RESET", "IDC_MS_APPLY", state)
    return c


# -- sensor ---------------------------------------------------------------------------
SE = "kSensorControls"
DPI_VALUES = list(range(250, 3501, 250))


def sensor(L, state, dpi):
    c = page(dpi)
    heading(c, 36, 36, "SENSOR", "Resolution of the three DPI levels and the lift-off distance.")
    panel(c, (20, 72, 782, 380))
    rows = (("IDC_SENSOR_ANCHOR_DPI_1", "DPI Level 1", "IDC_SENSOR_DPI_1", "IDC_SENSOR_VALUE_1"),
            ("IDC_SENSOR_ANCHOR_DPI_2", "DPI Level 2", "IDC_SENSOR_DPI_2", "IDC_SENSOR_VALUE_2"),
            ("IDC_SENSOR_ANCHOR_DPI_3", "DPI Level 3", "IDC_SENSOR_DPI_3", "IDC_SENSOR_VALUE_3"),
            ("IDC_SENSOR_ANCHOR_LIFT_OFF", "Lift Off Distance", "IDC_SENSOR_LIFT_OFF", None))
    for anchor_id, label, slider_id, value_id in rows:
        a = L.rect(SE, anchor_id)
        c.text_in(a, label, fit_font(label, a.w - 2, 13, True), TEXT, "left")
        s = L.rect(SE, slider_id)
        if value_id:
            slider_track(c, s, DPI_VALUES)
            tick_labels(c, s, DPI_VALUES)
            v = L.rect(SE, value_id)
            value_box(c, v)
            c.text((v.cx, v.y - 5), "DPI", font(9, True), TEXT_3, "ms")
        else:
            slider_track(c, s, [1, 2, 3])
            tick_labels(c, s, [1, 2, 3], ["1 \u00b7 low", "2", "high \u00b7 3"], outer=True)
    for y in (149, 227, 304):
        c.rect((36, y, 766, y + 1), fill=(36, 36, 38))
    c.text((36, 404), "The DPI button of the mouse steps through the three levels; each level",
           font(11), TEXT_3, "ls")
    c.text((36, 419), "also has its own light colour on the LED page.", font(11), TEXT_3, "ls")
    page_footer(c, L, SE, "IDC_SENSOR_RESET", "IDC_SENSOR_APPLY", state)
    return c


# -- LED ------------------------------------------------------------------------------
LE = "kLedControls"
CHANNELS = (("IDC_LED_RED", "IDC_LED_RED_EDIT", "R", (255, 70, 70)),
            ("IDC_LED_GREEN", "IDC_LED_GREEN_EDIT", "G", (70, 220, 90)),
            ("IDC_LED_BLUE", "IDC_LED_BLUE_EDIT", "B", (80, 140, 255)))


def mouse_side(cx, base, length, height):
    """Outline of the mouse seen from its left side, front to the right."""
    x0 = cx - length / 2
    top = base - height
    profile = [(0.00, 0.62), (0.03, 0.34), (0.12, 0.12), (0.30, 0.00), (0.48, 0.02),
               (0.66, 0.16), (0.82, 0.34), (0.94, 0.52), (1.00, 0.74)]
    pts = [(x0 + length * fx, top + height * fy) for fx, fy in profile]
    curve = _catmull([(x0 + 1, base)] + pts + [(x0 + length - 1, base)], samples=10,
                     closed=False)
    return curve + [(x0 + length - 4, base), (x0 + 4, base)]


def led_preview(c, r):
    """The mouse between light rays; the colour fill shows through the windows."""
    cx, base = r.cx, r.bottom - 6
    length, height = 128, 27
    body_colour = (52, 52, 55)
    # Light rays either side, clear at the mouse and fading into the panel.
    for dy, ray in ((-8, 70), (0, 106), (8, 70)):
        y = r.cy + dy - 1
        for side in (-1, 1):
            start = cx + side * (length / 2 + 8)
            steps = 32
            for i in range(steps):
                t0, t1 = i / steps, (i + 1) / steps
                xa, xb = start + side * ray * t0, start + side * ray * t1
                c.cut_rect((min(xa, xb), y, max(xa, xb), y + 2), colour=PANEL,
                           alpha=round(255 * t0 ** 1.3))
    body = mouse_side(cx, base - 3, length, height)
    c.glow((cx - length / 2, base - 4, cx + length / 2, base), (0, 0, 0, 160), 3)
    c.polygon_gradient(body, (86, 86, 90), (34, 34, 36))
    c.polygon(body, outline=(120, 120, 124))
    x0 = cx - length / 2
    # Side buttons and the skates under the light strip.
    for bx in (x0 + 56, x0 + 74):
        c.rect((bx, base - 15, bx + 15, base - 10), fill=(30, 30, 32), outline=(110, 110, 114),
               width=0.8, radius=2.5)
    c.rect((x0 + 10, base + 1, x0 + length - 10, base + 4), fill=(10, 10, 10), radius=1.5)
    # Windows: the strip along the base, the logo and the wheel.
    c.cut_rect((x0 + 8, base - 3, x0 + length - 8, base + 0.5), radius=1.5, colour=body_colour)
    lx, ly = x0 + 38, base - 17
    c.cut_polygon([(lx - 7, ly - 4), (lx - 3, ly - 4), (lx, ly + 2), (lx + 3, ly - 4),
                   (lx + 7, ly - 4), (lx, ly + 7)], colour=body_colour)
    wx, wy = x0 + length * 0.78, base - 3 - height * 0.71
    c.cut_ellipse((wx - 6, wy - 3, wx + 6, wy + 3), colour=body_colour)


def swatch_frame(c, r):
    c.rect(r.box(), fill=(66, 66, 68), radius=4)
    c.cut_rect((r.x + 2, r.y + 2, r.right - 2, r.bottom - 2), radius=2.5, colour=(66, 66, 68))


def led(L, state, dpi):
    c = page(dpi)
    heading(c, 36, 36, "LIGHTING", "Each DPI level has its own colour and lighting mode.")
    panel(c, (400, 78, 790, 440), radius=6)
    c.rect((400, 78, 401, 440), fill=PANEL_EDGE)
    # Steps on the left, level with their controls on the right.
    steps = ((116, "1", "DPI LEVEL", "Choose the level to edit; its swatch"),
             (185, "", "PREVIEW", "The selected level's light and mode"),
             (265, "2", "COLOUR", "Drag the sliders or type 0 to 255"),
             (414, "3", "LIGHTING MODE", "Steady, off, blinking or breathing"))
    extra = {116: "shows the colour it has.", 265: "for red, green and blue."}
    for y, number, title, hint in steps:
        if number:
            c.circle(48, y, 10, fill=ACCENT_DARK, outline=ACCENT, width=1.2)
            c.text((48.5, y + 0.5), number, font(11, True), ACCENT, "mm")
        else:
            c.circle(48, y, 10, outline=(90, 90, 92), width=1.2)
            c.circle(48, y, 3, fill=(120, 120, 122))
        c.text((68, y - 2), title, font(12, True), TEXT, "ls")
        c.text((68, y + 13), hint, font(11), TEXT_3, "ls")
        if y in extra:
            c.text((68, y + 27), extra[y], font(11), TEXT_3, "ls")
    # Level buttons with their swatch frames.
    for control_id, label in (("IDC_LED_LEVEL_1", "Level 1"), ("IDC_LED_LEVEL_2", "Level 2"),
                              ("IDC_LED_LEVEL_3", "Level 3")):
        text_button(c, L.rect(LE, control_id), label, state, size=11)
    for control_id in ("IDC_LED_SWATCH_1", "IDC_LED_SWATCH_2", "IDC_LED_SWATCH_3"):
        swatch_frame(c, L.rect(LE, control_id))
    # Preview.
    led_preview(c, L.rect(LE, "IDC_LED_PREVIEW"))
    # Colour channels.
    for slider_id, edit_id, letter, colour in CHANNELS:
        s, e = L.rect(LE, slider_id), L.rect(LE, edit_id)
        slider_track(c, s, None, groove=((16, 16, 16), colour))
        c.text((s.x - 12, s.y + THUMB_H / 2 + 0.5), letter, font(12, True), colour, "mm")
        value_box(c, e)
    c.text((437, 336), "0", font(10), TEXT_3, "ls")
    c.text((737, 336), "255", font(10), TEXT_3, "rs")
    # Modes.
    c.rect((412, 362, 778, 363), fill=(38, 38, 40))
    c.text((412, 388), "MODE", font(10, True), TEXT_3, "ls")
    modes = (("IDC_LED_MODE_ON", "IDC_LED_ANCHOR_ON", "Always ON"),
             ("IDC_LED_MODE_OFF", "IDC_LED_ANCHOR_OFF", "Always OFF"),
             ("IDC_LED_MODE_BLINK", "IDC_LED_ANCHOR_BLINK", "Rapid fire"),
             ("IDC_LED_MODE_BREATHE", "IDC_LED_ANCHOR_BREATHE", "Breathing"))
    # One size for the four words, each clear of its box; a word may end a pixel
    # or two past its anchor.
    size = min(fit_font(label, L.rect(LE, a).w + 2, 12).size for _, a, label in modes)
    for box_id, anchor_id, label in modes:
        radio_in(c, L.rect(LE, box_id), state)
        c.text_in(L.rect(LE, anchor_id), label, font(size), TEXT_2, "left", pad=4)
    page_footer(c, L, LE, "IDC_LED_RESET", "IDC_LED_APPLY", state)
    return c


# -- support --------------------------------------------------------------------------
SU = "kSupportControls"


def icon_info(c, cx, cy, colour):
    c.circle(cx, cy, 6.5, outline=colour, width=1.3)
    c.rect((cx - 0.8, cy - 1.5, cx + 0.8, cy + 3.8), fill=colour)
    c.circle(cx, cy - 3.6, 1.0, fill=colour)


def support(L, state, dpi):
    c = page(dpi)
    heading(c, 36, 36, "SUPPORT")
    draw_mouse_top(c, 400, 92, scale=0.32, logo=True)
    big = font(40, True, "display")
    w1, w2 = c.text_width("VANDIR ", big), c.text_width("II", big)
    x = 400 - (w1 + w2) / 2
    c.text((x, 302 - 40), "VANDIR", big, TEXT, "ls")
    c.text((x + w1, 302 - 40), "II", big, ACCENT, "ls")
    c.text((400, 284), "GAMING MOUSE", font(11, True), TEXT_3, "ms")
    text_button(c, L.rect(SU, "IDC_SUPPORT_ONLINE"), "Online Support", state, size=13,
                icon=icon_globe)
    text_button(c, L.rect(SU, "IDC_SUPPORT_VERSION"), "Version Info", state, size=13,
                icon=icon_info)
    c.text((400, 374), "Drivers, manuals and answers on the web; software and firmware versions.",
           font(11), TEXT_3, "ms")
    # Start at login.
    c.rect((36, 392, 766, 393), fill=LINE)
    tick_box(c, L.rect(SU, "IDC_SUPPORT_AUTOSTART"), state, size=19)
    a = L.rect(SU, "IDC_SUPPORT_ANCHOR_AUTOSTART")
    words = "Automatically start mouse software at login"
    c.text_in(a, words, fit_font(words, a.w - 6, 13), TEXT_2, "left", pad=4)
    page_footer(c, L, SU, "IDC_SUPPORT_RESET", "IDC_SUPPORT_APPLY", state)
    return c


# -- language -------------------------------------------------------------------------
LA = "kLanguageControls"
LANGUAGES = (("IDC_LANGUAGE_1", "English", "sans"), ("IDC_LANGUAGE_2", "Fran\u00e7ais", "sans"),
             ("IDC_LANGUAGE_3", "Deutsch", "sans"), ("IDC_LANGUAGE_4", "Italiano", "sans"),
             ("IDC_LANGUAGE_5", "\u65e5\u672c\u8a9e", "cjk"),
             ("IDC_LANGUAGE_6", "\ud55c\uad6d\uc5b4", "cjk"),
             ("IDC_LANGUAGE_7", "Portugu\u00eas", "sans"),
             ("IDC_LANGUAGE_8", "\u0420\u0443\u0441\u0441\u043a\u0438\u0439", "sans"),
             ("IDC_LANGUAGE_9", "\u7b80\u4f53\u4e2d\u6587", "cjk"),
             ("IDC_LANGUAGE_10", "Espa\u00f1ol", "sans"), ("IDC_LANGUAGE_11", "Svenska", "sans"),
             ("IDC_LANGUAGE_12", "\u7e41\u9ad4\u4e2d\u6587", "cjk"))


def language(L, state, dpi):
    c = page(dpi)
    heading(c, 36, 36, "LANGUAGE", "The language of the tool tips. Captions stay in English.")
    panel(c, (100, 146, 700, 382))
    c.text((131, 172), "CHOOSE A LANGUAGE", font(10, True), TEXT_2, "ls")
    c.text((131, 188), "The tool tips change at once; Apply keeps the choice for the next start.",
           font(11), TEXT_3, "ls")
    for control_id, name, family in LANGUAGES:
        r = L.rect(LA, control_id)
        d = 15
        radio(c, r.x + d / 2 + 1, r.cy, d, state)
        colour = look(state, TEXT_2, TEXT, TEXT_OFF)
        f = fit_font(name, r.w - d - 8, 14 if family == "cjk" else 13, family=family,
                     bold=state == DOWN and family == "sans")
        c.text((r.x + d + 7, r.cy + 0.5), name, f, colour, "lm")
    page_footer(c, L, LA, "IDC_LANGUAGE_RESET", "IDC_LANGUAGE_APPLY", state)
    return c


# -- key capture ----------------------------------------------------------------------
KB = "kKeyCaptureControls"


def keyboard(L, state, dpi):
    c = dialog(dpi, 312, 104)
    for control_id, label in (("IDC_KEYS_CTRL", "Ctrl"), ("IDC_KEYS_SHIFT", "Shift"),
                              ("IDC_KEYS_ALT", "Alt"), ("IDC_KEYS_WIN", "Win")):
        r = L.rect(KB, control_id)
        tick_box(c, r, state)
        c.text((r.right + 5, r.cy + 0.5), label, font(12, True), TEXT_2, "lm")
    k1, k2 = L.rect(KB, "IDC_KEYS_FIRST"), L.rect(KB, "IDC_KEYS_SECOND")
    value_box(c, k1)
    value_box(c, k2)
    c.text((k1.x - 5, k1.cy + 0.5), "Key", font(11), TEXT_3, "rm")
    c.text((k2.x - 5, k2.cy + 0.5), "Key 2", font(11), TEXT_3, "rm")
    c.text((k1.right + 8, k1.cy + 0.5), "+", font(13, True), TEXT_3, "lm")
    c.text((11, 78), "Click a field,", font(11), TEXT_3, "ls")
    c.text((11, 92), "then press a key.", font(11), TEXT_3, "ls")
    text_button(c, L.rect(KB, "IDC_KEYS_CLEAR"), "Clear", state)
    text_button(c, L.rect(KB, "IDC_KEYS_OK"), "OK", state)
    return c


# -- pop-up dialogs --------------------------------------------------------------------
def popup_left_click(L, state, dpi):
    t = "kPopupLeftClickControls"
    c = dialog(dpi, 475, 236, "NOTICE")
    # A small mouse with its left button lit.
    mx, my, k = 84, 50, 0.3
    draw_mouse_top(c, mx, my, scale=k, side_buttons=False, dpi_buttons=False, logo=False)
    outline = mouse_outline(mx, my, k)
    edge_y = my + 122 * k
    front_left = [p for p in outline if p[0] < mx - 0.5 and p[1] <= edge_y]
    front_left.sort(key=lambda p: p[1], reverse=True)
    c.polygon(front_left + [(mx - 1.5, my + 1), (mx - 1.5, my + 104 * k),
                            (mx - 16 * k, edge_y - 18 * k)], fill=ACCENT + (225,))
    c.text((160, 76), "Left Click is needed", font(17, True, "display"), TEXT, "ls")
    lines = ("This is the only button with the Left Click.",
             "Give the Left Click to another button first;",
             "then this one can take another function.")
    for i, s in enumerate(lines):
        c.text((160, 104 + i * 18), s, font(12), TEXT_2, "ls")
    text_button(c, L.rect(t, "IDC_POPUP_OK"), "OK", state)
    return c


def popup_rapid_fire_key(L, state, dpi):
    t = "kPopupRapidFireKeyControls"
    c = dialog(dpi, 370, 102, "RAPID FIRE \u00b7 KEYBOARD")
    key, count = L.rect(t, "IDC_POPUP_KEY"), L.rect(t, "IDC_POPUP_NUMBER")
    value_box(c, key)
    value_box(c, count)
    c.text((key.x - 6, key.cy + 0.5), "Key", font(12), TEXT_2, "rm")
    c.text((count.x - 6, count.cy + 0.5), "Times", font(12), TEXT_2, "rm")
    c.text((count.right + 6, count.cy + 0.5), "1-254", font(10), TEXT_3, "lm")
    text_button(c, L.rect(t, "IDC_POPUP_CLEAR"), "Clear", state)
    text_button(c, L.rect(t, "IDC_POPUP_OK"), "OK", state)
    return c


def popup_rapid_fire_mouse(L, state, dpi):
    t = "kPopupRapidFireMouseControls"
    c = dialog(dpi, 290, 102, "RAPID FIRE \u00b7 MOUSE")
    count = L.rect(t, "IDC_POPUP_NUMBER")
    value_box(c, count)
    c.text((count.x - 6, count.cy + 0.5), "Times", font(12), TEXT_2, "rm")
    c.text((count.right + 6, count.cy + 0.5), "1-254", font(10), TEXT_3, "lm")
    text_button(c, L.rect(t, "IDC_POPUP_CLEAR"), "Clear", state)
    text_button(c, L.rect(t, "IDC_POPUP_OK"), "OK", state)
    return c


def popup_version(L, state, dpi):
    t = "kPopupVersionControls"
    c = dialog(dpi, 416, 208, "VERSION INFO")
    close_cross(c, L.rect(t, "IDC_POPUP_CLEAR"), state)
    draw_mouse_top(c, 64, 62, scale=0.2, side_buttons=False, dpi_buttons=False)
    for control_id, label in (("IDC_POPUP_SOFTWARE_VERSION", "Software version"),
                              ("IDC_POPUP_FIRMWARE_VERSION", "Firmware version")):
        r = L.rect(t, control_id)
        c.rect((r.x - 3, r.y - 3, r.right + 3, r.bottom + 3), fill=FIELD_DARK, outline=FIELD_EDGE,
               radius=2)
        c.text((r.x - 10, r.cy + 0.5), label, font(12), TEXT_2, "rm")
    c.text((130, 140), "Vandir II gaming mouse", font(11), TEXT_3, "ls")
    text_button(c, L.rect(t, "IDC_POPUP_OK"), "OK", state)
    return c


def no_mouse(L, state, dpi):
    t = "kNoDeviceControls"
    w, h = 422, 303
    c = Canvas(w, h, DIALOG, dpi)
    c.vgradient((0, 0, w, h), (38, 38, 39), (26, 26, 27))
    c.vgradient((0, 0, w, 27), (22, 22, 23), (14, 14, 15))
    c.rect((0, 27, w, 28), fill=(56, 56, 58))
    c.rect((0, 0, w, h), outline=DIALOG_EDGE)
    c.text((12, 18), "VANDIR", font(12, True, "display"), TEXT, "ls")
    c.text((12 + c.text_width("VANDIR", font(12, True, "display")) + 4, 18), "II",
           font(12, True, "display"), ACCENT, "ls")
    r = L.rect(t, "IDC_NO_DEVICE_CLOSE")
    c.text((r.x - 5, r.cy + 0.5), "CLOSE", font(9, True), TEXT_3, "rm")
    close_cross(c, r, state)
    # A mouse whose cable ends short of the plug.
    cx = 211
    draw_mouse_top(c, cx, 62, scale=0.22, side_buttons=False, dpi_buttons=False)
    cable = _catmull([(cx, 62), (cx, 52), (cx + 30, 44), (cx + 70, 50), (cx + 96, 70),
                      (cx + 104, 100)], closed=False)
    c.line(cable, (96, 96, 100), 2)
    # Plug, detached.
    px, py = cx + 104, 118
    c.rect((px - 6, py, px + 6, py + 16), fill=(70, 70, 74), outline=(120, 120, 124), radius=2)
    c.rect((px - 4, py + 16, px + 4, py + 26), fill=(150, 150, 154), radius=1)
    for k in range(3):
        c.rect((px - 10 + k * 10, py - 8 - k % 2 * 2, px - 8 + k * 10, py - 4 - k % 2 * 2),
               fill=ACCENT)
    c.text((w / 2, 205), "NO MOUSE DETECTED", font(18, True, "display"), TEXT, "ms")
    c.text((w / 2, 230), "Connect your Vandir II mouse to a USB port.", font(13), TEXT_2, "ms")
    c.text((w / 2, 250), "Its settings open as soon as the mouse is found.", font(12), TEXT_3,
           "ms")
    return c


# -- slider thumbs and the apply bar -------------------------------------------------
def thumb(enabled, dpi):
    # Its height rounded down: a track of THUMB_H units scaled by its edges is never shorter,
    # so the thumb, drawn from the top of every track, never overhangs one.
    c = Canvas(THUMB_W, THUMB_H, PANEL, dpi, height_down=True)
    if enabled:
        c.vgradient((0.5, 0.5, THUMB_W - 0.5, THUMB_H - 0.5), ACCENT_LIGHT, ACCENT, radius=3)
        c.rect((0.5, 0.5, THUMB_W - 0.5, THUMB_H - 0.5), outline=(150, 66, 10), radius=3)
        grip = (120, 52, 8)
    else:
        c.vgradient((0.5, 0.5, THUMB_W - 0.5, THUMB_H - 0.5), (104, 104, 106), (76, 76, 78),
                    radius=3)
        c.rect((0.5, 0.5, THUMB_W - 0.5, THUMB_H - 0.5), outline=(52, 52, 54), radius=3)
        grip = (56, 56, 58)
    for x in (4.5, 6.5, 8.5):
        c.rect((x - 0.5, 5, x + 0.5, THUMB_H - 5), fill=grip)
    return c


def apply_bar(dpi, state=NORMAL):
    """Reset and Apply as they stand at the bottom right of every page."""
    c = page(dpi, 128, 43)
    action_button(c, Rect(0, 0, 61, 43), "RESET", reset_icon, state)
    action_button(c, Rect(67, 0, 61, 43), "APPLY", apply_icon, state, primary=True)
    return c


# -- icons ------------------------------------------------------------------------------
def _icon_image(size, tray):
    k = 8
    s = size * k
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img, "RGBA")
    if not tray:
        r = s * 0.2
        d.rounded_rectangle((0, 0, s - 1, s - 1), radius=r, fill=(34, 34, 36, 255))
        d.rounded_rectangle((0, 0, s - 1, s - 1), radius=r, outline=(86, 86, 90, 255),
                            width=max(k, s // 40))
        body = (s * 0.30, s * 0.14, s * 0.70, s * 0.86)
        fill, edge = (236, 236, 238, 255), None
    else:
        body = (s * 0.22, s * 0.04, s * 0.78, s * 0.96)
        fill, edge = ACCENT + (255,), (40, 20, 8, 255)
    bw = body[2] - body[0]
    d.rounded_rectangle(body, radius=bw * 0.5, fill=fill,
                        outline=edge, width=max(k, s // 32) if edge else 0)
    split_y = body[1] + (body[3] - body[1]) * 0.42
    line = (30, 30, 32, 255) if not tray else (40, 20, 8, 255)
    lw = max(k, s // 28)
    d.line([(body[0], split_y), (body[2], split_y)], fill=line, width=lw)
    cx = (body[0] + body[2]) / 2
    d.line([(cx, body[1]), (cx, split_y)], fill=line, width=lw)
    wheel = (cx - bw * 0.09, body[1] + bw * 0.28, cx + bw * 0.09, split_y - bw * 0.12)
    d.rounded_rectangle(wheel, radius=bw * 0.09, fill=ACCENT + (255,) if not tray else
                        (255, 255, 255, 255))
    return img.resize((size, size), Image.LANCZOS)


def _dib_entry(img):
    """32-bit BGRA bitmap entry with its AND mask, as .ico files carry them."""
    w, h = img.size
    pixels = img.load()
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = pixels[x, y]
            xor += bytes((b, g, r, a))
    row = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        bits = bytearray(row)
        for x in range(w):
            if pixels[x, y][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def write_ico(path, images):
    entries = []
    for img in images:
        if img.width >= 256:
            buf = BytesIO()
            img.save(buf, "PNG", optimize=False, compress_level=9)
            entries.append((img.width, buf.getvalue()))
        else:
            entries.append((img.width, _dib_entry(img)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for size, data in entries:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in entries:
        out += data
    Path(path).write_bytes(bytes(out))


# -- the sheet table ------------------------------------------------------------------
# File name, drawing. The names are the program's literal file names.
SHEETS = (
    ("MainUI-BG Normal.bmp", lambda L, dpi: main_window(L, NORMAL, dpi)),
    ("MainUI-BG Down.bmp", lambda L, dpi: main_window(L, DOWN, dpi)),
    ("MainUI-BG Disable.bmp", lambda L, dpi: main_window(L, DISABLED, dpi)),
    ("Key Assignment Normal.bmp", lambda L, dpi: key_assignment(L, NORMAL, dpi)),
    ("Key Assignment Down.bmp", lambda L, dpi: key_assignment(L, DOWN, dpi)),
    ("Key Assignment Disable.bmp", lambda L, dpi: key_assignment(L, DISABLED, dpi)),
    ("OS Sensitivity Normal.bmp", lambda L, dpi: os_sensitivity(L, NORMAL, dpi)),
    ("OS Sensitivity Down.bmp", lambda L, dpi: os_sensitivity(L, DOWN, dpi)),
    ("Sensor Normal.bmp", lambda L, dpi: sensor(L, NORMAL, dpi)),
    ("Sensor Down.bmp", lambda L, dpi: sensor(L, DOWN, dpi)),
    ("LED Down.png", lambda L, dpi: led(L, DOWN, dpi)),
    ("LED Normal.png", lambda L, dpi: led(L, NORMAL, dpi)),
    ("SUPPORT Normal.bmp", lambda L, dpi: support(L, NORMAL, dpi)),
    ("SUPPORT Down.bmp", lambda L, dpi: support(L, DOWN, dpi)),
    ("MainUI-Language Normal.bmp", lambda L, dpi: language(L, NORMAL, dpi)),
    ("MainUI-Language Down.bmp", lambda L, dpi: language(L, DOWN, dpi)),
    ("Keyboard Normal.bmp", lambda L, dpi: keyboard(L, NORMAL, dpi)),
    ("Keyboard Down.bmp", lambda L, dpi: keyboard(L, DOWN, dpi)),
    ("Slider_Normal.bmp", lambda L, dpi: thumb(True, dpi)),
    ("Slider_Disable.bmp", lambda L, dpi: thumb(False, dpi)),
    ("Left Click pop up Normal.bmp", lambda L, dpi: popup_left_click(L, NORMAL, dpi)),
    ("Left Click pop up Down.bmp", lambda L, dpi: popup_left_click(L, DOWN, dpi)),
    ("Rapidfire_KB Normal.bmp", lambda L, dpi: popup_rapid_fire_key(L, NORMAL, dpi)),
    ("Rapidfire_KB Down.bmp", lambda L, dpi: popup_rapid_fire_key(L, DOWN, dpi)),
    ("Rapidfire_mic Normal.bmp", lambda L, dpi: popup_rapid_fire_mouse(L, NORMAL, dpi)),
    ("Rapidfire_mic Down.bmp", lambda L, dpi: popup_rapid_fire_mouse(L, DOWN, dpi)),
    ("Version Normal.bmp", lambda L, dpi: popup_version(L, NORMAL, dpi)),
    ("Version Down.bmp", lambda L, dpi: popup_version(L, DOWN, dpi)),
    ("no Mosue Normal.bmp", lambda L, dpi: no_mouse(L, NORMAL, dpi)),
    ("no Mosue Down.bmp", lambda L, dpi: no_mouse(L, DOWN, dpi)),
    ("apply Bar-Full.bmp", lambda L, dpi: apply_bar(dpi)),
)

ICONS = (
    ("VandirII-Window.ico", False),  # resource 140: window icon
    ("VandirII-Tray.ico", True),  # resource 139: notification-area icon
)


def icon_sizes(scales):
    """The small icon (16) and the large one (32) at every scale, and 256 for big views."""
    sizes = {256}
    for percent in scales:
        dpi = dpi_of_percent(percent)
        sizes |= {scale_units(16, dpi), scale_units(32, dpi)}
    return sorted(sizes)


def draw_sheet(L, name, draw, percent, skins):
    """Draws one sheet of the set of `percent` into its folder below `skins`."""
    img = draw(L, dpi_of_percent(percent)).image()
    target = skins / set_folder(percent) / name
    partial = target.with_name(target.name + ".part")
    if name.endswith(".png"):
        save_png(img, partial)
    else:
        save_bmp(img, partial)
    partial.replace(target)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--layout", required=True, help="folder of the layout headers")
    parser.add_argument("--skins", help="the skin folder: the 100 %% set, the others in "
                                         "subfolders named by their percentage")
    parser.add_argument("--icons", help="output folder of the icons")
    parser.add_argument("--only", help="draw only the sheets whose name contains this text")
    parser.add_argument("--scale", type=int, action="append",
                        help="draw only the set of this percentage (may be repeated)")
    parser.add_argument("--list", action="store_true",
                        help="print the paths of the sheet files (below the skin folder) and "
                             "the icons' names, one a line")
    args = parser.parse_args(argv)

    L = LayoutTables(args.layout)
    names = [name for name, _ in SHEETS]
    if names != L.sheet_files:
        raise SystemExit("the sheet table differs from kSheetFiles in SkinLayout.h:\n"
                         f"  generator: {names}\n  layout:    {L.sheet_files}")
    if args.list:
        sheets = [set_folder(percent) + name for percent in L.skin_scales for name in names]
        print("\n".join(sheets + [name for name, _ in ICONS]))
        return 0
    if not args.skins and not args.icons:
        parser.error("--skins or --icons is needed to draw")
    scales = args.scale or L.skin_scales
    if not set(scales) <= set(L.skin_scales):
        parser.error(f"the scales are {L.skin_scales}")
    if args.skins:
        skins = Path(args.skins)
        for percent in scales:
            (skins / set_folder(percent)).mkdir(parents=True, exist_ok=True)
            for name, draw in SHEETS:
                if not args.only or args.only in name:
                    draw_sheet(L, name, draw, percent, skins)
    if args.icons:
        icons = Path(args.icons)
        icons.mkdir(parents=True, exist_ok=True)
        sizes = icon_sizes(L.skin_scales)
        for name, tray in ICONS:
            write_ico(icons / name, [_icon_image(size, tray) for size in sizes])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
