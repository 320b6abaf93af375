#pragma once
// Sheets of an artwork set drawn for another scale than the display's: the
// display then takes the nearest set (layout::SkinScaleFor) resampled to its
// own scale with a high-quality filter, so that every sheet has the pixel
// size the display's scale gives its 96-DPI size.

#include <optional>

#include "skin/SkinBitmap.h"

namespace vandir {

// From the scale a set was drawn at to the display's; both in DPI.
struct SheetScaling {
    int setDpi = 96;
    int displayDpi = 96;

    bool resamples() const { return setDpi != displayDpi; }
};

// The sheet's pixels at the display's scale: its size read back in 96-DPI
// units and scaled to the display, drawn with a bicubic filter that reads
// past the edges as their mirror (no dark or clear seams). Nothing when
// there is nothing to draw or no memory for it.
std::optional<SheetPixels> ResampleSheet(const SheetPixels& pixels, const SheetScaling& scaling);

}  // namespace vandir
