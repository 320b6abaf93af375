#include "skin/KivButton.h"

#include <utility>

#include "skin/ControlNotifications.h"
#include "skin/KivDrawing.h"
#include "skin/SkinText.h"

namespace vandir {

namespace {
constexpr COLORREF kDisabledTextColour = RGB(0x78, 0x78, 0x78);
constexpr COLORREF kHoverTextColour = RGB(0xFF, 0xFF, 0xFF);
}  // namespace

using layout::ImageState;

CKivButton::CKivButton() : font_(CreateToolkitFont(15)) {}

CKivButton::~CKivButton() = default;

void CKivButton::SetImages(ImagePtr normal, ImagePtr hover, ImagePtr pressed, ImagePtr disabled) {
    ControlPictures pictures;
    pictures.look(ImageState::Normal) = std::move(normal);
    pictures.look(ImageState::Hover) = std::move(hover);
    pictures.look(ImageState::Pressed) = std::move(pressed);
    pictures.look(ImageState::Disabled) = std::move(disabled);
    SetPictures(std::move(pictures));
}

void CKivButton::SetSelected(bool selected) {
    if (selected != selected_) {
        selected_ = selected;
        RedrawIfBound(*this);
    }
}

void CKivButton::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    RedrawIfBound(*this);
}

void CKivButton::SetTextColour(Argb colour) {
    textColour_ = colour;
    RedrawIfBound(*this);
}

void CKivButton::SetSelectedTextColour(Argb colour) {
    selectedTextColour_ = colour;
    RedrawIfBound(*this);
}

void CKivButton::OnHoverChanged(HoverChange change, UINT) {
    const int id = GetDlgCtrlID();
    if (change == HoverChange::Entered) {
        NotifyParent(GetParent(), kMouseEntered, id);
        NotifyParent(GetParent(), static_cast<WPARAM>(id), 0);
    } else {
        NotifyParent(GetParent(), kMouseLeft, id);
    }
}

void CKivButton::DrawOverLook(HDC dc, const RECT& item) {
    if (caption_.empty()) {
        return;
    }
    COLORREF colour = textColour_.ToColorRef();
    if ((GetStyle() & WS_DISABLED) != 0) {
        colour = kDisabledTextColour;
    } else if (selected_) {
        colour = selectedTextColour_.ToColorRef();
    } else if (state() == ImageState::Hover) {
        colour = kHoverTextColour;
    }
    DrawSkinText(dc, font_.Get(), caption_, colour, false, true, item.left + 5, item.top,
                 item.right, item.bottom);
}

}  // namespace vandir
