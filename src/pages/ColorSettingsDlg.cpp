#include "pages/ColorSettingsDlg.h"

#include "i18n/LedPageToolTips.h"
#include "pages/LedColour.h"
#include "pages/LedColourText.h"
#include "skin/KivButton.h"
#include "skin/KivCheckBox.h"
#include "skin/KivEdit.h"
#include "skin/KivMouseStatic.h"
#include "skin/KivSliderCtrl.h"
#include "skin/layout/LedLayout.h"

namespace vandir {

namespace {

// The mode boxes and the mode each stands for, in the order a capture asks
// them.
struct ModeBox {
    int id;
    uint8_t mode;
};
constexpr std::array kModeBoxes{
    ModeBox{IDC_LED_MODE_ON, kLedOn}, ModeBox{IDC_LED_MODE_OFF, kLedOff},
    ModeBox{IDC_LED_MODE_BLINK, kLedBlinking}, ModeBox{IDC_LED_MODE_BREATHE, kLedBreathing}};

}  // namespace

const MessageMapEntry CColorSettingsDlg::messageEntries[] = {
    On<WM_SHOWWINDOW, &CColorSettingsDlg::OnShowWindow>(),
    On<WM_PAINT, &CColorSettingsDlg::OnPaint>(),
    On<WM_TIMER, &CColorSettingsDlg::OnTimer>(),
};
const ClassMessageMap<CColorSettingsDlg> CColorSettingsDlg::messageMap{messageEntries};

CColorSettingsDlg::CColorSettingsDlg(SkinContext& context, PageHost& host, CWnd* parent)
    : WithMessageMap(layout::kLedPage, context, host, parent, LedPageToolTips()) {}

CKivMouseStatic& CColorSettingsDlg::Preview() const {
    return Item<CKivMouseStatic>(IDC_LED_PREVIEW);
}

CKivSliderCtrl& CColorSettingsDlg::Slider(size_t channel) const {
    return Item<CKivSliderCtrl>(kSliders[channel]);
}

CKivEdit& CColorSettingsDlg::ColourBox(size_t channel) const {
    return Item<CKivEdit>(kColourBoxes[channel]);
}

bool CColorSettingsDlg::IsChecked(int modeBox) const {
    return Item<CKivCheckBox>(modeBox).checked();
}

BOOL CColorSettingsDlg::OnInitDialog() {
    CKivPage::OnInitDialog();
    // Each slider notifies its new position, so each box shows it.
    for (size_t channel = 0; channel < kSliders.size(); ++channel) {
        Slider(channel).SetPos(kInitialColourValue, true);
    }
    Item<CKivCheckBox>(IDC_LED_MODE_ON).SetChecked(true);
    // The page is made hidden: its timers start when it shows.
    if (IsWindowVisible()) {
        StartTimers();
    }
    return TRUE;
}

void CColorSettingsDlg::PushSettings(const MouseSettings& settings) {
    const size_t shown = levels_.Push(settings);
    MarkLevelButton(shown);
    for (size_t level = 0; level < kSwatches.size(); ++level) {
        RefreshSwatch(level);
    }
    Show(levels_.currentCopy);
}

void CColorSettingsDlg::CollectSettings(MouseSettings& settings) {
    if (levels_.HasSelectedLevel()) {
        Capture(levels_.selected());
        levels_.currentCopy = levels_.selected();
        RefreshSwatch(levels_.selectedLevel);
    }
    levels_.WriteInto(settings);
}

void CColorSettingsDlg::Capture(LevelLed& entry) {
    // A number typed since the last check is taken, not lost.
    CheckColourTexts();
    for (const ModeBox& box : kModeBoxes) {
        if (IsChecked(box.id)) {
            entry.mode = box.mode;
            break;
        }
    }
    LedRgb rgb;
    rgb.red = static_cast<uint8_t>(Slider(0).GetPos());
    rgb.green = static_cast<uint8_t>(Slider(1).GetPos());
    rgb.blue = static_cast<uint8_t>(Slider(2).GetPos());
    entry.colour = LedColourOf(rgb);
}

void CColorSettingsDlg::RefreshSwatch(size_t level) {
    const LevelLed& entry = levels_.levelCopies[level];
    auto& swatch = Item<CKivMouseStatic>(kSwatches[level]);
    swatch.SetColour(OpaqueArgbOfLedColour(entry.colour));
    if (entry.mode == kLedOff) {
        swatch.SetFillEnabled(false);
    } else {
        swatch.SetFillEnabled(true);
        swatch.SetMode(CKivMouseStatic::kSteady);
    }
}

void CColorSettingsDlg::Show(const LevelLed& entry) {
    const LedRgb rgb = RgbOfLedColour(entry.colour);
    const std::array<int, 3> values{rgb.red, rgb.green, rgb.blue};
    Preview().SetColour(OpaqueArgbOf(rgb));
    // A slider that moves notifies, and its box follows (OnControlEvent).
    for (size_t channel = 0; channel < values.size(); ++channel) {
        Slider(channel).SetPos(values[channel], true);
    }
    for (size_t channel = 0; channel < values.size(); ++channel) {
        ColourBox(channel).SetWindowText(std::to_wstring(values[channel]));
    }
    ShowMode(entry.mode);
}

void CColorSettingsDlg::ShowMode(uint8_t mode) {
    for (const ModeBox& box : kModeBoxes) {
        Item<CKivCheckBox>(box.id).SetChecked(box.mode == mode);
    }
    switch (mode) {
        case kLedOn:
        case kLedBlinking:
        case kLedBreathing:
            EnableColourControls(true);
            Preview().SetFillEnabled(true);
            SetPreviewMode(mode);
            break;
        case kLedOff:
            // The picture keeps its mode and timer; with its fill off none of
            // it shows.
            Preview().SetFillEnabled(false);
            EnableColourControls(false);
            break;
        default:
            break;
    }
}

void CColorSettingsDlg::EnableColourControls(bool enabled) {
    for (size_t channel = 0; channel < kSliders.size(); ++channel) {
        Slider(channel).SetDisabled(!enabled);
        ColourBox(channel).EnableWindow(enabled ? TRUE : FALSE);
    }
}

void CColorSettingsDlg::SelectLevel(size_t level) {
    if (levels_.HasSelectedLevel()) {
        Capture(levels_.selected());
        RefreshSwatch(levels_.selectedLevel);
    }
    levels_.selectedLevel = static_cast<uint8_t>(level);
    MarkLevelButton(level);
    Show(levels_.levelCopies[level]);
    RefreshSwatch(level);
}

void CColorSettingsDlg::MarkLevelButton(size_t level) {
    for (size_t button = 0; button < kLevelButtons.size(); ++button) {
        Item<CKivButton>(kLevelButtons[button]).SetSelected(button == level);
    }
}

void CColorSettingsDlg::SetPreviewMode(int mode) {
    CKivMouseStatic& preview = Preview();
    preview.SetMode(mode);
    if (!timersRunning_) {
        preview.KillTimer(CKivMouseStatic::kAnimationTimer);
    }
}

void CColorSettingsDlg::CheckColourTexts() {
    bool anyEnabled = false;
    for (size_t channel = 0; channel < kColourBoxes.size(); ++channel) {
        anyEnabled = anyEnabled || ColourBox(channel).IsWindowEnabled();
    }
    if (!anyEnabled) {
        return;
    }
    std::array<std::wstring, 3> texts;
    for (size_t channel = 0; channel < kColourBoxes.size(); ++channel) {
        CKivEdit& box = ColourBox(channel);
        texts[channel] = box.GetWindowText();
        if (auto corrected = CorrectedColourText(texts[channel])) {
            texts[channel] = std::move(*corrected);
            box.SetWindowText(texts[channel]);
            box.SendMessage(EM_SETSEL, kColourTextLength, kColourTextLength);
            box.SendMessage(EM_SCROLLCARET);
        }
    }
    if (texts == lastColourTexts_) {
        return;
    }
    lastColourTexts_ = texts;
    LedRgb rgb;
    rgb.red = static_cast<uint8_t>(LeadingNumber(texts[0]));
    rgb.green = static_cast<uint8_t>(LeadingNumber(texts[1]));
    rgb.blue = static_cast<uint8_t>(LeadingNumber(texts[2]));
    if (IsChecked(IDC_LED_MODE_ON) || IsChecked(IDC_LED_MODE_BLINK) ||
        IsChecked(IDC_LED_MODE_BREATHE)) {
        Slider(0).SetPos(rgb.red, false);
        Slider(1).SetPos(rgb.green, false);
        Slider(2).SetPos(rgb.blue, false);
        Preview().SetColour(OpaqueArgbOf(rgb));
    }
}

BOOL CColorSettingsDlg::PreTranslateMessage(MSG* message) {
    if (message->message == WM_KEYDOWN && message->wParam == VK_RETURN) {
        host().CollectPage(PageId::Led);
    }
    return CKivPage::PreTranslateMessage(message);
}

void CColorSettingsDlg::OnControlEvent(const ControlEvent& event) {
    using Kind = ControlEvent::Kind;
    if (event.kind == Kind::Moved) {
        for (size_t channel = 0; channel < kSliders.size(); ++channel) {
            if (event.id == kSliders[channel]) {
                ColourBox(channel).SetWindowText(std::to_wstring(event.value));
            }
        }
        return;
    }
    if (event.kind != Kind::Clicked) {
        return;
    }
    for (size_t level = 0; level < kLevelButtons.size(); ++level) {
        if (event.id == kLevelButtons[level]) {
            SelectLevel(level);
            return;
        }
    }
    // The clicked box has toggled itself; the page checks it alone, so a
    // checked box stays checked. The level takes the mode at its next capture.
    for (const ModeBox& box : kModeBoxes) {
        if (event.id == box.id) {
            ShowMode(box.mode);
            return;
        }
    }
}

void CColorSettingsDlg::OnShowWindow(WPARAM shown, LPARAM) {
    Default();
    if (shown != FALSE) {
        StartTimers();
    } else {
        StopTimers();
    }
}

Reply CColorSettingsDlg::OnPaint() {
    if (!timersRunning_ && IsWindowVisible()) {
        StartTimers();
    }
    return Declined();  // painted as usual
}

void CColorSettingsDlg::OnTimer(UINT_PTR id) {
    if (id != kEditCheckTimer) {
        Default();
        return;
    }
    // The main window went to the notification area: nothing runs until the
    // page is painted again.
    if (!IsWindowVisible()) {
        StopTimers();
        return;
    }
    CheckColourTexts();
}

void CColorSettingsDlg::StartTimers() {
    timersRunning_ = true;
    SetTimer(kEditCheckTimer, kEditCheckPeriodMs);
    // Restarts the running mode's animation (steady needs none).
    CKivMouseStatic& preview = Preview();
    preview.SetMode(preview.mode());
}

void CColorSettingsDlg::StopTimers() {
    timersRunning_ = false;
    KillTimer(kEditCheckTimer);
    Preview().KillTimer(CKivMouseStatic::kAnimationTimer);
}

}  // namespace vandir
