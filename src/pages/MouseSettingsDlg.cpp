#include "pages/MouseSettingsDlg.h"

#include <algorithm>

#include "i18n/FunctionNames.h"
#include "i18n/KeyAssignmentToolTips.h"
#include "pages/FunctionSelector.h"
#include "pages/Keyboard.h"
#include "pages/PopDlg.h"
#include "platform/win32/WideText.h"
#include "skin/KivButton.h"
#include "skin/KivCheckBox.h"
#include "skin/KivComboButton.h"
#include "skin/KivMenu.h"
#include "skin/KivSliderCtrl.h"
#include "skin/layout/KeyAssignmentLayout.h"
#include "storage/SystemSettings.h"

namespace vandir {

namespace {

using layout::kMouseButtonControls;

// Polling-rate boxes and the reportRate each stands for.
constexpr std::array kPollingBoxes{IDC_MS_POLL_125, IDC_MS_POLL_250, IDC_MS_POLL_500,
                                   IDC_MS_POLL_1000};
constexpr std::array<uint8_t, 4> kPollingRates{8, 4, 2, 1};

constexpr std::array kLockBoxes{IDC_MS_LOCK, IDC_MS_UNLOCK};

const layout::WindowLayout& LayoutOf(int mode) {
    return mode == CMouseSettingsDlg::kOsSensitivityMode ? layout::kOsSensitivity
                                                         : layout::kKeyAssignment;
}

bool IsRapidFireMouse(FunctionId id) {
    return id >= function::kRapidFireLeftClick && id <= function::kRapidFireForward;
}

}  // namespace

CMouseSettingsDlg::CMouseSettingsDlg(int mode, SkinContext& context, PageHost& host,
                                     SystemIntegration& system, CWnd* parent)
    : CKivPage(LayoutOf(mode), context, host, parent, KeyAssignmentToolTips()),
      mode_(mode == kOsSensitivityMode ? kOsSensitivityMode : kKeyAssignmentMode),
      system_(system) {}

BOOL CMouseSettingsDlg::OnInitDialog() {
    CKivPage::OnInitDialog();  // background, controls, the other face's controls hidden
    MarkOwnTab();
    if (mode_ == kKeyAssignmentMode) {
        SetUpKeyAssignment();
    } else {
        SetUpOsSensitivity();
    }
    return TRUE;
}

void CMouseSettingsDlg::SetUpKeyAssignment() {
    // Each selector shows its button's default function at once; the lists
    // (four windows each) are made later, in the program's idle time or when
    // the pointer first comes to a selector (BuildLists), so that they never
    // hold up the first paint. A list entry's text is the catalogue's text.
    const auto defaults = DefaultButtonFunctions();
    for (int button = 0; button < kButtons; ++button) {
        CKivComboButton& selector = Selector(button);
        const FunctionId id = defaults[static_cast<size_t>(button)];
        if (const auto text = FunctionListText(id)) {
            selector.SetCaption(ToWide(*text), id, selector.firstKey(), selector.rapidFireCount());
        }
    }
}

void CMouseSettingsDlg::BuildLists() {
    if (mode_ != kKeyAssignmentMode || GetSafeHwnd() == nullptr) {
        return;
    }
    for (int button = 0; button < kButtons; ++button) {
        if (CKivComboButton& selector = Selector(button); selector.list() == nullptr) {
            FillFunctionList(selector);
        }
    }
}

bool CMouseSettingsDlg::ListsBuilt() const {
    return mode_ != kKeyAssignmentMode || GetSafeHwnd() == nullptr ||
           Selector(kButtons - 1).list() != nullptr;
}

void CMouseSettingsDlg::SetUpOsSensitivity() {
    CheckOnly(kPollingBoxes, IDC_MS_POLL_1000);
    for (const int box : kLockBoxes) {
        Item<CKivCheckBox>(box).SetChecked(false);
    }
    // The sliders stand at their set-up positions; the page hears them in
    // this order, as if each had been moved there: the pointer-speed notice
    // only clears its marker, the double-click one sets the system's time.
    for (const int slider : {IDC_MS_POINTER_SPEED, IDC_MS_DOUBLE_CLICK, IDC_MS_RESPONSE}) {
        OnSliderMoved(slider, Item<CKivSliderCtrl>(slider).GetPos());
    }
}

CKivComboButton& CMouseSettingsDlg::Selector(int button) const {
    return Item<CKivComboButton>(kMouseButtonControls[static_cast<size_t>(button)].selector);
}

int CMouseSettingsDlg::ButtonOf(int controlId) {
    for (int button = 0; button < kButtons; ++button) {
        const layout::MouseButtonControls& c = kMouseButtonControls[static_cast<size_t>(button)];
        if (controlId == c.selector || controlId == c.hotSpot || controlId == c.badge) {
            return button;
        }
    }
    return -1;
}

void CMouseSettingsDlg::PushSettings(const MouseSettings& settings) {
    if (GetSafeHwnd() == nullptr) {
        return;
    }
    if (mode_ == kKeyAssignmentMode) {
        PushKeyAssignment(settings);
    } else {
        PushOsSensitivity(settings);
    }
}

void CMouseSettingsDlg::CollectSettings(MouseSettings& settings) {
    if (GetSafeHwnd() == nullptr) {
        return;
    }
    if (mode_ == kKeyAssignmentMode) {
        CollectKeyAssignment(settings);
    } else {
        CollectOsSensitivity(settings);
    }
}

void CMouseSettingsDlg::PushKeyAssignment(const MouseSettings& settings) {
    for (int button = 0; button < kButtons; ++button) {
        CKivComboButton& selector = Selector(button);
        // What the stored function does not carry stays as the selector had it.
        FunctionSelection selection = SelectionOf(selector);
        ShowFunction(settings.buttons[static_cast<size_t>(button)], selection);
        ShowSelection(selector, selection);
    }
}

void CMouseSettingsDlg::CollectKeyAssignment(MouseSettings& settings) {
    for (int button = 0; button < kButtons; ++button) {
        StoreFunction(SelectionOf(Selector(button)), button,
                      settings.buttons[static_cast<size_t>(button)]);
    }
}

void CMouseSettingsDlg::PushOsSensitivity(const MouseSettings& settings) {
    for (size_t i = 0; i < kPollingBoxes.size(); ++i) {
        Item<CKivCheckBox>(kPollingBoxes[i]).SetChecked(settings.reportRate == kPollingRates[i]);
    }
    CKivCheckBox& lock = Item<CKivCheckBox>(IDC_MS_LOCK);
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
    Item<CKivCheckBox>(IDC_MS_UNLOCK).SetChecked(settings.osSettingsUnlocked == 1);
    // A moved slider notifies the page as when dragged; positions as they come.
    Item<CKivSliderCtrl>(IDC_MS_DOUBLE_CLICK).SetPos(settings.doubleClickSpeed, true);
    Item<CKivSliderCtrl>(IDC_MS_RESPONSE).SetPos(settings.buttonResponse, true);
    Item<CKivSliderCtrl>(IDC_MS_POINTER_SPEED).SetPos(settings.pointerSpeed, true);
}

void CMouseSettingsDlg::CollectOsSensitivity(MouseSettings& settings) {
    for (size_t i = 0; i < kPollingBoxes.size(); ++i) {
        if (Item<CKivCheckBox>(kPollingBoxes[i]).checked()) {
            settings.reportRate = kPollingRates[i];
            break;
        }
    }
    if (Item<CKivCheckBox>(IDC_MS_LOCK).checked()) {
        settings.osSettingsUnlocked = 0;
    } else if (Item<CKivCheckBox>(IDC_MS_UNLOCK).checked()) {
        settings.osSettingsUnlocked = 1;
    }
    settings.pointerSpeed =
        static_cast<uint8_t>(Item<CKivSliderCtrl>(IDC_MS_POINTER_SPEED).GetPos() & 0xFF);
    settings.doubleClickSpeed =
        static_cast<uint8_t>(Item<CKivSliderCtrl>(IDC_MS_DOUBLE_CLICK).GetPos() & 0xFF);
    settings.buttonResponse =
        static_cast<uint8_t>(Item<CKivSliderCtrl>(IDC_MS_RESPONSE).GetPos() & 0xFF);
}

void CMouseSettingsDlg::ApplyLanguage(int language) {
    CKivPage::ApplyLanguage(language);  // the page's nine tools, for 1..12
    if (mode_ != kKeyAssignmentMode || GetSafeHwnd() == nullptr) {
        return;
    }
    selectorLanguage_ = language;
    for (int button = 0; button < kButtons; ++button) {
        ShowSelectorTip(button, Selector(button).selectedValue());
    }
}

void CMouseSettingsDlg::ShowSelectorTip(int button, FunctionId held) {
    SetToolTipText(kMouseButtonControls[static_cast<size_t>(button)].selector,
                   ToWide(TranslatedFunctionName(held, selectorLanguage_)));
}

void CMouseSettingsDlg::MarkOwnTab() {
    const bool keys = mode_ == kKeyAssignmentMode;
    Item<CKivButton>(IDC_MS_TAB_KEYS).SetSelected(keys);
    Item<CKivButton>(IDC_MS_TAB_OS).SetSelected(!keys);
}

void CMouseSettingsDlg::CloseLists() {
    if (mode_ != kKeyAssignmentMode || GetSafeHwnd() == nullptr) {
        return;
    }
    for (int button = 0; button < kButtons; ++button) {
        if (CKivMenu* list = Selector(button).list()) {
            list->Hide();
        }
    }
}

void CMouseSettingsDlg::OnControlEvent(const ControlEvent& event) {
    using Kind = ControlEvent::Kind;
    switch (event.kind) {
        case Kind::Chose:
            if (const int button = ButtonOf(event.id); button >= 0) {
                OnFunctionChosen(button, event.value);
            }
            break;
        case Kind::MouseEntered:
        case Kind::MouseLeft:
            if (const int button = ButtonOf(event.id); button >= 0 && mode_ == kKeyAssignmentMode) {
                BuildLists();  // before any click can open one
                const layout::MouseButtonControls& c =
                    kMouseButtonControls[static_cast<size_t>(button)];
                const bool lit = event.kind == Kind::MouseEntered;
                Item<CKivButton>(c.hotSpot).SetSelected(lit);
                Item<CKivButton>(c.badge).SetSelected(lit);
            }
            break;
        case Kind::Moved:
            OnSliderMoved(event.id, event.value);
            break;
        case Kind::ListClosing:
            // The main window stays on top while a list is open.
            if (event.value == 0 || event.value == 1) {
                host().SetTopmost(event.value == 1);
            }
            break;
        case Kind::Clicked:
            if (event.id == IDC_MS_TAB_KEYS) {
                host().ShowPage(PageId::KeyAssignment);
            } else if (event.id == IDC_MS_TAB_OS) {
                host().ShowPage(PageId::OsSensitivity);
            } else if (std::find(kPollingBoxes.begin(), kPollingBoxes.end(), event.id) !=
                       kPollingBoxes.end()) {
                CheckOnly(kPollingBoxes, event.id);
            } else if (event.id == IDC_MS_LOCK || event.id == IDC_MS_UNLOCK) {
                Item<CKivCheckBox>(IDC_MS_LOCK).SetChecked(event.id == IDC_MS_LOCK);
                Item<CKivCheckBox>(IDC_MS_UNLOCK).SetChecked(event.id == IDC_MS_UNLOCK);
            }
            break;
        default:
            break;
    }
}

void CMouseSettingsDlg::CheckOnly(const std::array<int, 4>& boxes, int checked) {
    for (const int box : boxes) {
        Item<CKivCheckBox>(box).SetChecked(box == checked);
    }
}

void CMouseSettingsDlg::OnFunctionChosen(int button, FunctionId chosen) {
    CKivComboButton& selector = Selector(button);
    if (HandleChoice(button, selector, chosen)) {
        // The dialog wrote its result into the selector, or the choice was
        // refused: the list's own taking of the entry is vetoed.
        selector.SetCaptionFollowsSelection(false);
        ShowSelectorTip(button, selector.selectedValue());
    } else {
        ShowSelectorTip(button, chosen);
    }
}

bool CMouseSettingsDlg::HandleChoice(int button, CKivComboButton& selector, FunctionId chosen) {
    std::array<FunctionId, kButtons> selected{};
    for (int b = 0; b < kButtons; ++b) {
        selected[static_cast<size_t>(b)] = Selector(b).selectedValue();
    }
    if (RefusesLastLeftClick(selected, button, chosen)) {
        CPopDlg notice(CPopDlg::kLeftClickNotice, context(), this);
        notice.DoModal();
        return true;
    }
    if (chosen == function::kKeyboard) {
        CKeyboard capture(context(), this);
        capture.SetTarget(&selector);
        capture.DoModal();
        return true;
    }
    if (chosen == function::kRapidFireKeyboard) {
        CPopDlg rapidFire(CPopDlg::kRapidFireKey, context(), this);
        rapidFire.SetTarget(&selector);
        rapidFire.DoModal();
        return true;
    }
    if (IsRapidFireMouse(chosen)) {
        CPopDlg rapidFire(CPopDlg::kRapidFireMouse, static_cast<uint16_t>(chosen), context(), this);
        rapidFire.SetTarget(&selector);
        rapidFire.DoModal();
        return true;
    }
    return false;
}

void CMouseSettingsDlg::OnSliderMoved(int id, int position) {
    const auto step = static_cast<uint8_t>(position & 0xFF);
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
