#include "pages/Keyboard.h"

#include "model/FunctionCatalogue.h"
#include "skin/InputHooks.h"
#include "skin/KivCheckBox.h"
#include "skin/layout/KeyCaptureLayout.h"
#include "skin/layout/WindowTitle.h"

namespace vandir {

namespace {

constexpr wchar_t kHookFailedText[] = L"set hook failed.";

// The modifier boxes in the order their words open the label.
struct Modifier {
    int id;
    int bit;
    const wchar_t* word;
};
constexpr Modifier kModifiers[] = {
    {IDC_KEYS_CTRL, CKeyboard::kCtrlBit, L"CTRL+"},
    {IDC_KEYS_SHIFT, CKeyboard::kShiftBit, L"Shift+"},
    {IDC_KEYS_ALT, CKeyboard::kAltBit, L"Alt+"},
    {IDC_KEYS_WIN, CKeyboard::kWinBit, L"Win+"},
};

constexpr int kKeyFields[] = {IDC_KEYS_FIRST, IDC_KEYS_SECOND};

}  // namespace

const MessageMapEntry CKeyboard::messageEntries[] = {
    On<kHookMessage, &CKeyboard::OnKeyCaptured>(),
    On<WM_DESTROY, &CKeyboard::OnDestroy>(),
};
const ClassMessageMap<CKeyboard> CKeyboard::messageMap{messageEntries};

CKeyboard::CKeyboard(SkinContext& context, CWnd* parent)
    : WithMessageMap(layout::kKeyCapture, context, parent),
      keyCapture_(*this, context.hooks, kKeyFields),
      messageBox_([this](const std::wstring& text) {
          ::MessageBoxW(GetSafeHwnd(), text.c_str(), kMainWindowTitle, MB_OK);
      }) {}

BOOL CKeyboard::OnInitDialog() {
    CKivWindow::OnInitDialog();
    PlaceAtParentOrigin();
    if (!keyCapture_.InstallHook()) {
        // The dialog stays open: modifiers alone can still be assigned.
        messageBox_(kHookFailedText);
    }
    ::SetFocus(GetSafeHwnd());
    ::SetFocus(GetDlgItem(IDC_KEYS_FIRST));
    return FALSE;  // the focus is set
}

BOOL CKeyboard::PreTranslateMessage(MSG* message) {
    if (keyCapture_.Swallows(*message)) {
        return TRUE;  // the hook names the key; the field never types it
    }
    return CKivWindow::PreTranslateMessage(message);
}

// Press and release both arrive, so the field ends with the key released last.
void CKeyboard::OnKeyCaptured(WPARAM virtualKey, LPARAM) {
    CKivEdit* field = keyCapture_.FocusedField();
    if (field == nullptr) {
        return;
    }
    // A code past the virtual keys names no key: the field shows that of 0.
    const int code = virtualKey <= kLastVirtualKey ? static_cast<int>(virtualKey) : 0;
    (field->GetDlgCtrlID() == IDC_KEYS_FIRST ? firstKey_ : secondKey_) = code;
    KeyCapture::ShowKey(*field, code);
}

void CKeyboard::OnControlEvent(const ControlEvent& event) {
    if (event.kind != ControlEvent::Kind::Clicked) {
        return;  // the modifier boxes toggle themselves
    }
    if (event.id == IDC_KEYS_OK) {
        OkClicked();
    } else if (event.id == IDC_KEYS_CLEAR) {
        ClearClicked();
    }
}

void CKeyboard::OkClicked() {
    int modifiers = 0;
    std::wstring label;
    for (const Modifier& modifier : kModifiers) {
        if (Item<CKivCheckBox>(modifier.id).checked()) {
            modifiers |= modifier.bit;
            label += modifier.word;
        }
    }
    // A field counts only while it shows the name of the key captured in it,
    // so a text put there another way (pasted from the field's menu) never
    // becomes a caption that names a key the assignment does not hold.
    const auto keyText = [this](int id, int key) {
        const std::wstring text = Item<CKivEdit>(id).GetWindowText();
        return text == KeyNameText(key) ? text : std::wstring();
    };
    const std::wstring firstText = keyText(IDC_KEYS_FIRST, firstKey_);
    const std::wstring secondText = keyText(IDC_KEYS_SECOND, secondKey_);
    if (modifiers == 0 && firstText.empty() && secondText.empty()) {
        EndDialog(IDOK);
        return;
    }
    if (firstText.empty() && secondText.empty()) {
        while (!label.empty() && label.back() == L'+') {
            label.pop_back();  // modifiers alone: "CTRL+Shift"
        }
    }
    int first = 0;
    int second = 0;
    if (!firstText.empty()) {
        first = firstKey_;
        label += firstText;
        if (!secondText.empty()) {
            label += L"+";
        }
    }
    if (!secondText.empty()) {
        second = secondKey_;
        label += secondText;
    }
    if (target_ != nullptr) {
        target_->SetCaptionEx(label, function::kKeyboard, first, second, modifiers);
    }
    EndDialog(IDOK);
}

// The captured codes stay; their emptied fields no longer use them.
void CKeyboard::ClearClicked() {
    for (const Modifier& modifier : kModifiers) {
        Item<CKivCheckBox>(modifier.id).SetChecked(false);
    }
    Item<CKivEdit>(IDC_KEYS_FIRST).SetWindowText(L"");
    Item<CKivEdit>(IDC_KEYS_SECOND).SetWindowText(L"");
}

void CKeyboard::OnDestroy() {
    keyCapture_.RemoveOwnHook();
}

}  // namespace vandir
