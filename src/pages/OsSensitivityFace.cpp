#include "pages/OsSensitivityFace.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "skin/KivCheckBox.h"
#include "skin/KivSliderCtrl.h"
#include "skin/layout/KeyAssignmentLayout.h"
#include "storage/SystemSettings.h"

namespace vandir {

namespace {

// Polling-rate boxes and the reportRate each stands for.
constexpr std::array kPollingBoxes{IDC_MS_POLL_125, IDC_MS_POLL_250, IDC_MS_POLL_500,
                                   IDC_MS_POLL_1000};
constexpr std::array<uint8_t, 4> kPollingRates{8, 4, 2, 1};

constexpr std::array kLockBoxes{IDC_MS_LOCK, IDC_MS_UNLOCK};

// The record keeps a slider's position in one byte: its low byte.
constexpr int kLowByte = 0xFF;

uint8_t StepOf(int position) {
    return static_cast<uint8_t>(position & kLowByte);
}

}  // namespace

int CMouseSettingsDlg::OsSensitivityFace::OwnTab() const {
    return IDC_MS_TAB_OS;
}

void CMouseSettingsDlg::OsSensitivityFace::SetUp() {
    CheckOnly(kPollingBoxes, IDC_MS_POLL_1000);
    for (const int box : kLockBoxes) {
        page_.Item<CKivCheckBox>(box).SetChecked(false);
    }
    // The sliders stand at their set-up positions; the page hears them in
    // this order, as if each had been moved there: the pointer-speed notice
    // only clears its marker, the double-click one sets the system's time.
    for (const int slider : {IDC_MS_POINTER_SPEED, IDC_MS_DOUBLE_CLICK, IDC_MS_RESPONSE}) {
        OnSliderMoved(slider, page_.Item<CKivSliderCtrl>(slider).GetPos());
    }
}

void CMouseSettingsDlg::OsSensitivityFace::Push(const MouseSettings& settings) {
    for (size_t i = 0; i < kPollingBoxes.size(); ++i) {
        page_.Item<CKivCheckBox>(kPollingBoxes[i])
            .SetChecked(settings.reportRate == kPollingRates[i]);
    }
    CKivCheckBox& lock = page_.Item<CKivCheckBox>(IDC_MS_LOCK);
    if (settings.osSettingsUnlocked == 0) {
        lock.SetChecked(true);
        // Locked: the program's settings are the system's, kept in its profile.
        const std::optional<uint32_t> speed = system_.PointerSpeed();
        const std::optional<uint32_t> wanted = PointerSpeedForStep(settings.pointerSpeed);
        if (speed && wanted && *speed != *wanted) {
            system_.SetPointerSpeed(settings.pointerSpeed, SettingScope::Saved);
        }
        system_.SetDoubleClickTime(settings.doubleClickSpeed, SettingScope::Saved);
    } else {
        lock.SetChecked(false);
    }
    page_.Item<CKivCheckBox>(IDC_MS_UNLOCK).SetChecked(settings.osSettingsUnlocked == 1);
    // A moved slider notifies the page as when dragged; positions as they come.
    page_.Item<CKivSliderCtrl>(IDC_MS_DOUBLE_CLICK).SetPos(settings.doubleClickSpeed, true);
    page_.Item<CKivSliderCtrl>(IDC_MS_RESPONSE).SetPos(settings.buttonResponse, true);
    page_.Item<CKivSliderCtrl>(IDC_MS_POINTER_SPEED).SetPos(settings.pointerSpeed, true);
}

void CMouseSettingsDlg::OsSensitivityFace::Collect(MouseSettings& settings) {
    for (size_t i = 0; i < kPollingBoxes.size(); ++i) {
        if (page_.Item<CKivCheckBox>(kPollingBoxes[i]).checked()) {
            settings.reportRate = kPollingRates[i];
            break;
        }
    }
    if (page_.Item<CKivCheckBox>(IDC_MS_LOCK).checked()) {
        settings.osSettingsUnlocked = 0;
    } else if (page_.Item<CKivCheckBox>(IDC_MS_UNLOCK).checked()) {
        settings.osSettingsUnlocked = 1;
    }
    settings.pointerSpeed = StepOf(page_.Item<CKivSliderCtrl>(IDC_MS_POINTER_SPEED).GetPos());
    settings.doubleClickSpeed = StepOf(page_.Item<CKivSliderCtrl>(IDC_MS_DOUBLE_CLICK).GetPos());
    settings.buttonResponse = StepOf(page_.Item<CKivSliderCtrl>(IDC_MS_RESPONSE).GetPos());
}

void CMouseSettingsDlg::OsSensitivityFace::OnControlEvent(const ControlEvent& event) {
    using Kind = ControlEvent::Kind;
    if (event.kind == Kind::Moved) {
        OnSliderMoved(event.id, event.value);
        return;
    }
    if (event.kind != Kind::Clicked) {
        return;
    }
    if (std::find(kPollingBoxes.begin(), kPollingBoxes.end(), event.id) != kPollingBoxes.end()) {
        CheckOnly(kPollingBoxes, event.id);
    } else if (event.id == IDC_MS_LOCK || event.id == IDC_MS_UNLOCK) {
        page_.Item<CKivCheckBox>(IDC_MS_LOCK).SetChecked(event.id == IDC_MS_LOCK);
        page_.Item<CKivCheckBox>(IDC_MS_UNLOCK).SetChecked(event.id == IDC_MS_UNLOCK);
    }
}

void CMouseSettingsDlg::OsSensitivityFace::CheckOnly(const std::array<int, 4>& boxes, int checked) {
    for (const int box : boxes) {
        page_.Item<CKivCheckBox>(box).SetChecked(box == checked);
    }
}

void CMouseSettingsDlg::OsSensitivityFace::OnSliderMoved(int id, int position) {
    const uint8_t step = StepOf(position);
    if (id == IDC_MS_DOUBLE_CLICK) {
        system_.SetDoubleClickTime(step, SettingScope::Session);
    } else if (id == IDC_MS_POINTER_SPEED) {
        if (pointerSpeedNoticePending_) {
            pointerSpeedNoticePending_ = false;
        } else {
            system_.SetPointerSpeed(step, SettingScope::Session);
        }
    }
}

}  // namespace vandir
