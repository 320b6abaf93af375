"""The display scales of src/skin/layout/DisplayScale.h, in Python.

The program cuts a control of a scaled window from the sheet of that scale at
ScaleRect of its table rectangle, so the artwork rounds table units to pixels
exactly as the header does: half away from zero, rectangles by their edges.
The scales that have artwork of their own (kSkinScales) are read from the
header by layout_tables.py.
"""

BASE_DPI = 96  # kBaseDpi: the tables' units are pixels of a 96-DPI display


def scale_units(units, dpi):
    """Whole table units in pixels at dpi, rounded half away from zero (ScaleUnits)."""
    product = units * dpi
    half = BASE_DPI // 2
    return (product + half) // BASE_DPI if product >= 0 else -((-product + half) // BASE_DPI)


def dpi_of_percent(percent):
    return percent * BASE_DPI // 100


def set_folder(percent):
    """The folder of a set below the skin folder: '' for 100 %, '150/' for 150 %."""
    return "" if percent == 100 else f"{percent}/"

