#include "skin/WindowControls.h"

#include "skin/ControlPictures.h"
#include "skin/KivButton.h"
#include "skin/KivCheckBox.h"
#include "skin/KivComboButton.h"
#include "skin/KivEdit.h"
#include "skin/KivMouseStatic.h"
#include "skin/KivSliderCtrl.h"
#include "skin/KivStatic.h"
#include "skin/SkinPictures.h"
#include "skin/layout/DisplayScale.h"

namespace vandir {

namespace {

using layout::ControlKind;

std::unique_ptr<CWnd> MakeControl(ControlKind kind, SkinContext& context) {
    switch (kind) {
        case ControlKind::Button:
            return std::make_unique<CKivButton>();
        case ControlKind::CheckBox:
            return std::make_unique<CKivCheckBox>();
        case ControlKind::ComboButton:
            return std::make_unique<CKivComboButton>(context.hooks, context.clock);
        case ControlKind::Slider:
            return std::make_unique<CKivSliderCtrl>();
        case ControlKind::Anchor:
        case ControlKind::Label:
            return std::make_unique<CKivStatic>();
        case ControlKind::Edit:
            return std::make_unique<CKivEdit>();
        case ControlKind::MouseStatic:
            return std::make_unique<CKivMouseStatic>(context.led);
    }
    return nullptr;
}

// What a row says beyond pictures and place, once, at set-up.
void ApplyRowSettings(const layout::Control& row, CWnd& control) {
    if (auto* slider = dynamic_cast<CKivSliderCtrl*>(&control)) {
        slider->SetRange(row.range.minimum, row.range.maximum, row.range.step);
        slider->SetPos(row.range.initial, false);
    } else if (auto* label = dynamic_cast<CKivStatic*>(&control)) {
        label->SetCentred(row.centred);
    }
}

// Place, pictures and fonts in the display's pixels at dpi.
void PlaceAndSkin(const layout::Control& row, CWnd& control, SkinStore& skins) {
    const int dpi = skins.Dpi();
    const layout::Rect rect = layout::ScaleRect(row.rect, dpi);
    control.MoveWindow(rect.x, rect.y, rect.width, rect.height, FALSE);
    if (auto* skinned = dynamic_cast<SkinnedControl*>(&control)) {
        skinned->SetPictures(PicturesOf(row, skins));
    }
    const int fontHeight = layout::ScaleUnits(row.fontHeight, dpi);
    if (auto* label = dynamic_cast<CKivStatic*>(&control); label && row.fontHeight > 0) {
        label->SetFontHeight(fontHeight);
    } else if (auto* edit = dynamic_cast<CKivEdit*>(&control); edit && row.fontHeight > 0) {
        edit->SetFontHeight(fontHeight);
    } else if (auto* combo = dynamic_cast<CKivComboButton*>(&control)) {
        combo->SetDpi(dpi);
    }
}

}  // namespace

WindowControls::WindowControls(const layout::WindowLayout& layout, SkinContext& context)
    : layout_(layout), context_(context) {
    controls_.reserve(layout.controls.size());
    for (const layout::Control& row : layout.controls) {
        controls_.emplace_back(row.id, MakeControl(row.kind, context));
    }
}

WindowControls::~WindowControls() = default;

void WindowControls::Bind(const CWnd& window) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const layout::Control& row = layout_.controls[i];
        CWnd& control = *controls_[i].second;
        if (control.GetSafeHwnd() != nullptr || !control.SubclassDlgItem(row.id, window)) {
            continue;
        }
        if (row.notify) {
            control.ModifyStyle(0, SS_NOTIFY);
        }
        PlaceAndSkin(row, control, context_.skins);
        ApplyRowSettings(row, control);
    }
    for (const int id : layout_.hiddenIds) {
        if (const HWND hidden = window.GetDlgItem(id)) {
            ::ShowWindow(hidden, SW_HIDE);
        }
    }
}

void WindowControls::Rescale() {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (CWnd& control = *controls_[i].second; control.GetSafeHwnd() != nullptr) {
            PlaceAndSkin(layout_.controls[i], control, context_.skins);
        }
    }
}

void WindowControls::CloseLists() {
    for (const auto& entry : controls_) {
        if (auto* combo = dynamic_cast<CKivComboButton*>(entry.second.get())) {
            if (CKivMenu* list = combo->list(); list != nullptr) {
                list->Hide();
            }
        }
    }
}

CWnd* WindowControls::Find(int id) const {
    for (const auto& [controlId, control] : controls_) {
        if (controlId == id) {
            return control.get();
        }
    }
    return nullptr;
}

}  // namespace vandir
