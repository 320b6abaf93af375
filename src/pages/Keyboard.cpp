#include "pages/Keyboard.h"

#include <cstdint>

#include "i18n/KeyTables.h"
#include "model/FunctionCatalogue.h"
#include "platform/win32/WideText.h"
#include "skin/InputHooks.h"
#include "skin/KivCheckBox.h"
#include "skin/layout/KeyCaptureLayout.h"

namespace vandir {

namespace {

constexpr wchar_t kHookFailedText[] = L"set hook failed.";
constexpr wchar_t kMessageCaption[] = L"Meridane Vandir II";

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

// The name of a captured code; codes above 255 are no virtual keys and have none.
std::wstring NameOf(int virtualKey) {
    return ToWide(KeyName(static_cast<uint32_t>(virtualKey)));
}

}  // namespace

const MessageMapEntry CKeyboard::messageEntries[] = {
    On<kHookMessage, &CKeyboard::OnKeyCaptured>(),
    On<WM_DESTROY, &CKeyboard::OnDestroy>(),
};
const ClassMessageMap<CKeyboard> CKeyboard::messageMap{messageEntries};

CKeyboard::CKeyboard(SkinContext& context, CWnd* parent)
    : WithMessageMap(layout::kKeyCapture, context, parent),
      messageBox_([this](const std::wstring& text) {
          ::MessageBoxW(GetSafeHwnd(), text.c_str(), kMessageCaption, MB_OK);
      }) {}

CKeyboard::~CKeyboard() {
    // The base unbinds the window before destroying it, so OnDestroy would not
    // run for a dialog destroyed with its object.
    RemoveOwnKeyboardHook();
}

BOOL CKeyboard::OnInitDialog() {
    CKivWindow::OnInitDialog();
    PlaceAtParentOrigin();
    if (!context().hooks.InstallKeyboardHook(GetSafeHwnd())) {
        // The dialog stays open: modifiers alone can still be assigned.
        messageBox_(kHookFailedText);
    }
    ::SetFocus(GetSafeHwnd());
    ::SetFocus(GetDlgItem(IDC_KEYS_FIRST));
    return FALSE;  // the focus is set
}

CKivEdit* CKeyboard::FocusedKeyField() const {
    const HWND focus = ::GetFocus();
    if (focus == nullptr) {
        return nullptr;
    }
    for (const int id : {IDC_KEYS_FIRST, IDC_KEYS_SECOND}) {
        if (focus == GetDlgItem(id)) {
            return &Item<CKivEdit>(id);
        }
    }
    return nullptr;
}

BOOL CKeyboard::PreTranslateMessage(MSG* message) {
    const bool keyMessage = message->message == WM_KEYDOWN || message->message == WM_KEYUP;
    if (keyMessage && FocusedKeyField() != nullptr) {
        return TRUE;  // the hook names the key; the field never types it
    }
    return CKivWindow::PreTranslateMessage(message);
}

// Press and release both arrive, so the field ends with the key released last.
void CKeyboard::OnKeyCaptured(WPARAM virtualKey, LPARAM) {
    CKivEdit* field = FocusedKeyField();
    if (field == nullptr) {
        return;
    }
    const int code = virtualKey <= 0xFF ? static_cast<int>(virtualKey) : 0;
    (field->GetDlgCtrlID() == IDC_KEYS_FIRST ? firstKey_ : secondKey_) = code;
    const std::wstring name = NameOf(code);
    field->SetWindowText(name);
    field->SendMessage(EM_SETSEL, name.size(), name.size());  // the caret after the name
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
        return text == NameOf(key) ? text : std::wstring();
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
    RemoveOwnKeyboardHook();
}

// Only the hook directed at this dialog: another window may have taken it.
void CKeyboard::RemoveOwnKeyboardHook() {
    const HWND self = GetSafeHwnd();
    if (self != nullptr && context().hooks.KeyboardTarget() == self) {
        context().hooks.RemoveKeyboardHook();
    }
}

}  // namespace vandir
