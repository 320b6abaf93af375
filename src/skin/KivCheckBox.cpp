#include "skin/KivCheckBox.h"

#include <utility>

#include "skin/KivDrawing.h"

namespace vandir {

using layout::ImageState;

const MessageMapEntry CKivCheckBox::messageEntries[] = {
    On<WM_LBUTTONUP, &CKivCheckBox::OnLeftButtonUp>(),
};
const ClassMessageMap<CKivCheckBox> CKivCheckBox::messageMap{messageEntries};

CKivCheckBox::~CKivCheckBox() = default;

void CKivCheckBox::SetImages(ImagePtr normal, ImagePtr hover, ImagePtr checked, ImagePtr disabled) {
    ControlPictures pictures;
    pictures.look(ImageState::Normal) = std::move(normal);
    pictures.look(ImageState::Hover) = std::move(hover);
    pictures.look(ImageState::Pressed) = std::move(checked);
    pictures.look(ImageState::Disabled) = std::move(disabled);
    SetPictures(std::move(pictures));
}

void CKivCheckBox::SetChecked(bool checked) {
    if (checked != checked_) {
        checked_ = checked;
        RedrawIfBound(*this);
    }
}

void CKivCheckBox::OnLeftButtonUp(POINT, UINT) {
    // Toggle first: the click the platform delivers next must find the new
    // value (and a parent that redraws the box meanwhile its new look).
    if (armed_) {
        checked_ = !checked_;
    }
    armed_ = false;
    SetState(ImageState::Normal);
    Default();
}

void CKivCheckBox::OnHoverChanged(HoverChange change, UINT keys) {
    if (change == HoverChange::Entered) {
        // Entering with the button held arms the box as a press inside would.
        armed_ = armed_ || (keys & MK_LBUTTON) != 0;
    } else {
        armed_ = false;
    }
}

}  // namespace vandir
