#include "pages/KeyCapture.h"

#include <cstdint>

#include "i18n/KeyTables.h"
#include "platform/win32/WideText.h"

namespace vandir {

std::wstring KeyNameText(int virtualKey) {
    return ToWide(KeyName(static_cast<uint32_t>(virtualKey)));
}

bool KeyCapture::InstallHook() {
    return hooks_.InstallKeyboardHook(dialog_.GetSafeHwnd());
}

void KeyCapture::RemoveOwnHook() {
    const HWND self = dialog_.GetSafeHwnd();
    if (self != nullptr && hooks_.KeyboardTarget() == self) {
        hooks_.RemoveKeyboardHook();
    }
}

bool KeyCapture::Swallows(const MSG& message) const {
    const bool keyMessage = message.message == WM_KEYDOWN || message.message == WM_KEYUP;
    return keyMessage && FocusedField() != nullptr;
}

CKivEdit* KeyCapture::FocusedField() const {
    const HWND focus = ::GetFocus();
    if (focus == nullptr) {
        return nullptr;
    }
    for (const int id : keyFields_) {
        if (focus == dialog_.GetDlgItem(id)) {
            return &dialog_.Item<CKivEdit>(id);
        }
    }
    return nullptr;
}

void KeyCapture::ShowKey(CKivEdit& field, int virtualKey) {
    const std::wstring name = KeyNameText(virtualKey);
    field.SetWindowText(name);
    field.SendMessage(EM_SETSEL, name.size(), name.size());
}

}  // namespace vandir
