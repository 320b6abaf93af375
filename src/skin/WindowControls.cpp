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

// What a row says beyond pictures and place.
void ApplyRowSettings(const layout::Control& row, CWnd& control) {
    if (auto* slider = dynamic_cast<CKivSliderCtrl*>(&control)) {
        slider->SetRange(row.range.minimum, row.range.maximum, row.range.step);
        slider->SetPos(row.range.initial, false);
    } else if (auto* label = dynamic_cast<CKivStatic*>(&control)) {
        if (row.fontHeight > 0) {
            label->SetFontHeight(row.fontHeight);
        }
        label->SetCentred(row.centred);
    } else if (auto* edit = dynamic_cast<CKivEdit*>(&control)) {
        if (row.fontHeight > 0) {
            edit->SetFontHeight(row.fontHeight);
        }
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
        control.MoveWindow(row.rect.x, row.rect.y, row.rect.width, row.rect.height, FALSE);
        if (auto* skinned = dynamic_cast<SkinnedControl*>(&control)) {
            skinned->SetPictures(PicturesOf(row, context_.skins));
        }
        ApplyRowSettings(row, control);
    }
    for (const int id : layout_.hiddenIds) {
        if (const HWND hidden = window.GetDlgItem(id)) {
            ::ShowWindow(hidden, SW_HIDE);
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
