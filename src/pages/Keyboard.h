#pragma once
// CKeyboard: the key capture dialog (template 134) that the key-assignment
// page opens when a button is given the "Keyboard" function. The user ticks
// any of Ctrl, Shift, Alt and Win and presses a key into each of the two key
// fields; OK writes the composed assignment into the function selector set as
// target, Clear empties the dialog.
//
// Keys arrive through the application's keyboard hook (message kHookMessage,
// for every press and every release), so any key can be captured, Tab, Enter,
// Esc and the modifiers included: the focused key field shows the name of the
// key last pressed or released. While a key field has the focus its key
// messages are swallowed, so a key is only named, never typed and never taken
// by the dialog manager; system keys (with Alt) pass. Enter and Esc with the
// focus elsewhere close the dialog without writing anything.
//
// The dialog installs the hook in its set-up and removes it when its window
// goes, unless another window has taken the hook meanwhile.

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "pages/KeyCapture.h"
#include "skin/KivComboButton.h"
#include "skin/KivEdit.h"
#include "skin/KivWindow.h"
#include "skin/SkinContext.h"

namespace vandir {

class CKeyboard : public WithMessageMap<CKeyboard, CKivWindow> {
public:
    static const ClassMessageMap<CKeyboard> messageMap;

    // Modifier bits of a keyboard assignment.
    static constexpr int kCtrlBit = 1;
    static constexpr int kShiftBit = 2;
    static constexpr int kAltBit = 4;
    static constexpr int kWinBit = 8;

    // Shows a message (OK button only). The default is the system's message
    // box over the dialog; tests put a recorder in its place.
    using MessageBoxFunction = std::function<void(const std::wstring& text)>;

    CKeyboard(SkinContext& context, CWnd* parent);

    // The function selector OK writes into. It must outlive the dialog;
    // without one OK writes nothing.
    void SetTarget(CKivComboButton* target) { target_ = target; }
    void SetMessageBox(MessageBoxFunction show) { messageBox_ = std::move(show); }

    // The virtual-key codes last captured in each field; 0 before any. Clear
    // leaves them: an empty field holds no key whatever its code.
    int firstKey() const { return firstKey_; }
    int secondKey() const { return secondKey_; }

protected:
    // Lays out, installs the hook and focuses the first key field.
    BOOL OnInitDialog() override;
    // Swallows key-down and key-up while a key field has the focus.
    BOOL PreTranslateMessage(MSG* message) override;
    void OnControlEvent(const ControlEvent& event) override;

private:
    static const MessageMapEntry messageEntries[];

    void OnKeyCaptured(WPARAM virtualKey, LPARAM flags);
    void OnDestroy();

    void OkClicked();
    void ClearClicked();

    KeyCapture keyCapture_;
    CKivComboButton* target_ = nullptr;
    int firstKey_ = 0;
    int secondKey_ = 0;
    MessageBoxFunction messageBox_;
};

}  // namespace vandir
