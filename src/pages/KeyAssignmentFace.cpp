#include "pages/KeyAssignmentFace.h"

#include <array>

#include "i18n/FunctionNames.h"
#include "pages/FunctionSelector.h"
#include "pages/Keyboard.h"
#include "pages/PopDlg.h"
#include "platform/win32/WideText.h"
#include "skin/KivButton.h"
#include "skin/KivComboButton.h"
#include "skin/KivMenu.h"
#include "skin/layout/KeyAssignmentLayout.h"

namespace vandir {

namespace {

using layout::kMouseButtonControls;

bool IsRapidFireMouse(FunctionId id) {
    return id >= function::kRapidFireLeftClick && id <= function::kRapidFireForward;
}

}  // namespace

int CMouseSettingsDlg::KeyAssignmentFace::OwnTab() const {
    return IDC_MS_TAB_KEYS;
}

void CMouseSettingsDlg::KeyAssignmentFace::SetUp() {
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

void CMouseSettingsDlg::KeyAssignmentFace::BuildLists() {
    for (int button = 0; button < kButtons; ++button) {
        if (CKivComboButton& selector = Selector(button); selector.list() == nullptr) {
            FillFunctionList(selector);
        }
    }
}

bool CMouseSettingsDlg::KeyAssignmentFace::ListsBuilt() const {
    return Selector(kButtons - 1).list() != nullptr;
}

void CMouseSettingsDlg::KeyAssignmentFace::CloseLists() {
    for (int button = 0; button < kButtons; ++button) {
        if (CKivMenu* list = Selector(button).list()) {
            list->Hide();
        }
    }
}

CKivComboButton& CMouseSettingsDlg::KeyAssignmentFace::Selector(int button) const {
    return page_.Item<CKivComboButton>(kMouseButtonControls[static_cast<size_t>(button)].selector);
}

int CMouseSettingsDlg::KeyAssignmentFace::ButtonOf(int controlId) {
    for (int button = 0; button < kButtons; ++button) {
        const layout::MouseButtonControls& c = kMouseButtonControls[static_cast<size_t>(button)];
        if (controlId == c.selector || controlId == c.hotSpot || controlId == c.badge) {
            return button;
        }
    }
    return -1;
}

void CMouseSettingsDlg::KeyAssignmentFace::Push(const MouseSettings& settings) {
    for (int button = 0; button < kButtons; ++button) {
        CKivComboButton& selector = Selector(button);
        // What the stored function does not carry stays as the selector had it.
        FunctionSelection selection = SelectionOf(selector);
        ShowFunction(settings.buttons[static_cast<size_t>(button)], selection);
        ShowSelection(selector, selection);
    }
}

void CMouseSettingsDlg::KeyAssignmentFace::Collect(MouseSettings& settings) {
    for (int button = 0; button < kButtons; ++button) {
        StoreFunction(SelectionOf(Selector(button)), button,
                      settings.buttons[static_cast<size_t>(button)]);
    }
}

void CMouseSettingsDlg::KeyAssignmentFace::ApplyLanguage(int language) {
    selectorLanguage_ = language;
    for (int button = 0; button < kButtons; ++button) {
        ShowSelectorTip(button, Selector(button).selectedValue());
    }
}

void CMouseSettingsDlg::KeyAssignmentFace::ShowSelectorTip(int button, FunctionId held) {
    page_.SetToolTipText(kMouseButtonControls[static_cast<size_t>(button)].selector,
                         ToWide(TranslatedFunctionName(held, selectorLanguage_)));
}

void CMouseSettingsDlg::KeyAssignmentFace::OnControlEvent(const ControlEvent& event) {
    using Kind = ControlEvent::Kind;
    switch (event.kind) {
        case Kind::Chose:
            if (const int button = ButtonOf(event.id); button >= 0) {
                OnFunctionChosen(button, event.value);
            }
            break;
        case Kind::MouseEntered:
        case Kind::MouseLeft:
            if (const int button = ButtonOf(event.id); button >= 0) {
                BuildLists();  // before any click can open one
                LightButton(button, event.kind == Kind::MouseEntered);
            }
            break;
        case Kind::ListClosing:
            // The main window stays on top while a list is open.
            if (event.value == 0 || event.value == 1) {
                page_.host().SetTopmost(event.value == 1);
            }
            break;
        default:
            break;
    }
}

void CMouseSettingsDlg::KeyAssignmentFace::LightButton(int button, bool lit) {
    const layout::MouseButtonControls& c = kMouseButtonControls[static_cast<size_t>(button)];
    page_.Item<CKivButton>(c.hotSpot).SetSelected(lit);
    page_.Item<CKivButton>(c.badge).SetSelected(lit);
}

void CMouseSettingsDlg::KeyAssignmentFace::OnFunctionChosen(int button, FunctionId chosen) {
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

bool CMouseSettingsDlg::KeyAssignmentFace::HandleChoice(int button, CKivComboButton& selector,
                                                        FunctionId chosen) {
    std::array<FunctionId, kButtons> selected{};
    for (int b = 0; b < kButtons; ++b) {
        selected[static_cast<size_t>(b)] = Selector(b).selectedValue();
    }
    SkinContext& context = page_.context();
    if (RefusesLastLeftClick(selected, button, chosen)) {
        CPopDlg notice(CPopDlg::kLeftClickNotice, context, &page_);
        notice.DoModal();
        return true;
    }
    if (chosen == function::kKeyboard) {
        CKeyboard capture(context, &page_);
        capture.SetTarget(&selector);
        capture.DoModal();
        return true;
    }
    if (chosen == function::kRapidFireKeyboard) {
        CPopDlg rapidFire(CPopDlg::kRapidFireKey, context, &page_);
        rapidFire.SetTarget(&selector);
        rapidFire.DoModal();
        return true;
    }
    if (IsRapidFireMouse(chosen)) {
        CPopDlg rapidFire(CPopDlg::kRapidFireMouse, static_cast<uint16_t>(chosen), context, &page_);
        rapidFire.SetTarget(&selector);
        rapidFire.DoModal();
        return true;
    }
    return false;
}

}  // namespace vandir
