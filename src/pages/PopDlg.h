#pragma once
// CPopDlg: the small modal pop-up of template 135 in its five kinds. The kind
// is also the skin element of its background and picks its layout table:
//   139  notice: the last "Left Click" button keeps its function   (OK)
//   141  rapid fire of a keyboard key: key field and number field (OK, Clear)
//   146  rapid fire of a mouse button: number field               (OK, Clear)
//   150  software and firmware version                            (OK and Clear close)
//   155  notice: no mouse is connected                            (OK closes)
// The notices and labels are printed on the skin; the dialog shows only the
// key name, the number and the version texts. Kinds 141 and 146 act by
// writing their caption into the function selector set as target; the others
// only close. A number that is none of the five kinds closes at once with
// IDCANCEL and shows nothing.
//
// Enter does what OK does, Esc does nothing, and a press on the picture drags
// the dialog. Kind 141 captures keys through the shared keyboard hook
// (message kHookMessage); while the key field has the focus its key messages
// are swallowed, so a key is only named, never typed.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "pages/KeyCapture.h"
#include "skin/KivComboButton.h"
#include "skin/KivEdit.h"
#include "skin/KivWindow.h"
#include "skin/SkinContext.h"

namespace vandir {

class CPopDlg : public WithMessageMap<CPopDlg, CKivWindow> {
public:
    static const ClassMessageMap<CPopDlg> messageMap;

    // The kinds; each number is the skin element of the kind's background.
    enum Kind : int {
        kLeftClickNotice = 139,
        kRapidFireKey = 141,
        kRapidFireMouse = 146,
        kVersion = 150,
        kNoMouse = 155,
    };

    // Timer 1 keeps the number field at three digits and at most 254.
    static constexpr UINT_PTR kNumberTimer = 1;
    static constexpr UINT kNumberTimerMilliseconds = 100;
    static constexpr int kLargestNumber = 254;

    // Shows a message box (owner, text, caption, MB_* style). The default is
    // the system's MessageBoxW; tests put a recorder in its place.
    using MessageBoxFunction = std::function<void(HWND owner, const std::wstring& text,
                                                  const std::wstring& caption, UINT style)>;
    // Kind 150: true when the mouse link is open or could be opened.
    using MouseLinkCheck = std::function<bool()>;

    // kind: a Kind, or any other number, which makes the pop-up of no kind.
    // value: kind 146 the chosen rapid-fire function (2311..2315), kind 150
    // the firmware version number; 0 otherwise.
    CPopDlg(int kind, SkinContext& context, CWnd* parent = nullptr);
    CPopDlg(int kind, uint16_t value, SkinContext& context, CWnd* parent = nullptr);

    // Kinds 141 and 146: the function selector OK writes into. It must
    // outlive the dialog; without one OK writes nothing.
    void SetTarget(CKivComboButton* target) { target_ = target; }
    // Kind 150: how to ask for the mouse; without it there is no mouse.
    void SetMouseLink(MouseLinkCheck ensureOpen) { ensureOpen_ = std::move(ensureOpen); }
    void SetMessageBox(MessageBoxFunction show) { messageBox_ = std::move(show); }

    Kind kind() const { return kind_; }
    uint16_t value() const { return value_; }
    // Kind 141: the virtual-key code in the key field; 0 when none.
    int capturedKey() const { return capturedKey_; }

protected:
    // Lays out the kind, starts the number timer; sets the focus itself.
    BOOL OnInitDialog() override;
    // Swallows key messages while the key field has the focus.
    BOOL PreTranslateMessage(MSG* message) override;
    void OnControlEvent(const ControlEvent& event) override;
    // Enter acts as OK; Esc leaves the dialog open.
    void OnOK() override;
    void OnCancel() override {}

private:
    static const MessageMapEntry messageEntries[];

    void OnKeyCaptured(WPARAM virtualKey, LPARAM flags);
    void OnTimer(UINT_PTR id);
    void OnLeftButtonDown(POINT point, UINT keys);
    void OnDestroy();

    void SetUpRapidFireKey();
    void SetUpVersion();
    void OkClicked();
    void ClearClicked();
    // Kinds 141 and 146: the number as OK takes it (0..254), the field's text
    // capped at "254"; nothing when the field is empty or zero.
    std::optional<int> TakeNumber();
    void KeepNumberInRange();

    bool TakesNumber() const { return kind_ == kRapidFireKey || kind_ == kRapidFireMouse; }
    CKivEdit& NumberField() const;
    CKivEdit& KeyField() const;

    Kind kind_;
    uint16_t value_;
    // Kind 141 only; no key field for the others.
    KeyCapture keyCapture_;
    CKivComboButton* target_ = nullptr;
    int capturedKey_ = 0;
    MouseLinkCheck ensureOpen_;
    MessageBoxFunction messageBox_;
};

}  // namespace vandir
