#include "skin/SkinPictures.h"

#include <cstddef>

#include "skin/layout/DisplayScale.h"

namespace vandir {

ImagePtr PictureOf(const layout::Crop& crop, layout::ImageState state, SkinStore& skins) {
    if (!crop.present()) {
        return nullptr;
    }
    // The table's rectangle in the pixels of the set in use.
    const layout::Rect r = layout::ScaleRect(crop.rect, skins.Dpi());
    if (crop.element) {
        return skins
            .GetSkinElementImage(*crop.element, static_cast<int>(state), r.x, r.y, r.right(),
                                 r.bottom())
            .TakeOwned();
    }
    if (crop.whole()) {
        Gdiplus::Image* sheet = skins.Sheet(crop.sheet);
        if (sheet == nullptr) {
            // A sheet used whole is as necessary as one cut from.
            skins.Fail();
            return nullptr;
        }
        return CloneImage(sheet);
    }
    return skins.CropSkinSheet(crop.sheet, r.x, r.y, r.right(), r.bottom());
}

ControlPictures PicturesOf(const layout::Control& control, SkinStore& skins) {
    ControlPictures pictures;
    for (std::size_t i = 0; i < layout::kImageStateCount; ++i) {
        const auto state = static_cast<layout::ImageState>(i);
        pictures.looks[i] = PictureOf(control.look(state), state, skins);
    }
    pictures.background = PictureOf(control.background, layout::ImageState::Normal, skins);
    return pictures;
}

}  // namespace vandir
