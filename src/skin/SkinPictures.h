#pragma once
// Turns the pictures a layout table row names into images: the one place
// where a window's table meets the skin store.

#include "platform/win32/Gdiplus.h"
#include "skin/ControlPictures.h"
#include "skin/SkinStore.h"
#include "skin/layout/SkinLayout.h"

namespace vandir {

// The picture of one table entry for the image slot it fills, owned by the
// caller: the skin element in that state when the entry names one, else the
// whole sheet copied or the entry's rectangle cut from its sheet. Null for an
// entry without a picture, and after the store's failure path (a missing
// sheet, an element or state outside the element table).
ImagePtr PictureOf(const layout::Crop& crop, layout::ImageState state, SkinStore& skins);

// Every picture of a control: its looks by image state and its background.
ControlPictures PicturesOf(const layout::Control& control, SkinStore& skins);

}  // namespace vandir
