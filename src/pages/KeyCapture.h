#pragma once
// KeyCapture: names keys in a dialog's key fields through the application's
// keyboard hook (message kHookMessage), for the key capture dialog and the
// rapid-fire pop-up. The dialog installs the hook in its set-up and hands
// each hook message to its own handler, which asks here which key field has
// the focus and shows the key's name there. While a key field has the focus
// its key messages are swallowed, so a key is only named, never typed and
// never taken by the dialog manager. The hook goes when the dialog's window
// does (RemoveOwnHook from WM_DESTROY) or with this object, unless another
// window has taken it meanwhile.

#include <windows.h>

#include <span>
#include <string>

#include "skin/InputHooks.h"
#include "skin/KivEdit.h"
#include "skin/KivWindow.h"

namespace vandir {

// The largest virtual-key code; the hook's larger codes name no key.
inline constexpr WPARAM kLastVirtualKey = 0xFF;

// The name of a virtual-key code; codes above 255 have none.
std::wstring KeyNameText(int virtualKey);

class KeyCapture {
public:
    // keyFields: the IDs of the dialog's key fields (none: nothing is captured).
    // The dialog, the hooks and the IDs outlive this object.
    KeyCapture(CKivWindow& dialog, InputHooks& hooks, std::span<const int> keyFields)
        : dialog_(dialog), hooks_(hooks), keyFields_(keyFields) {}
    // A dialog destroyed with its object never sees WM_DESTROY (its base
    // unbinds the window first), so the hook goes here as well.
    ~KeyCapture() { RemoveOwnHook(); }

    KeyCapture(const KeyCapture&) = delete;
    KeyCapture& operator=(const KeyCapture&) = delete;

    // Directs the keyboard hook at the dialog; false when it was refused.
    bool InstallHook();
    // Removes the hook only while it is directed at this dialog.
    void RemoveOwnHook();

    // True for a key-down or key-up while a key field has the focus.
    bool Swallows(const MSG& message) const;
    // The key field that has the focus; null when none has.
    CKivEdit* FocusedField() const;
    // Shows the key's name in the field, the caret after it.
    static void ShowKey(CKivEdit& field, int virtualKey);

private:
    CKivWindow& dialog_;
    InputHooks& hooks_;
    std::span<const int> keyFields_;
};

}  // namespace vandir
