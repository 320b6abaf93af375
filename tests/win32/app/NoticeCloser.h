#pragma once
// The pop-ups of the main window closed from inside their own modal loops.

#include <windows.h>

#include <string>

#include "platform/win32/framework/Wnd.h"
#include "skin/KivStatic.h"
#include "skin/layout/ResourceIds.h"
#include "win32/windows/ModalHelpers.h"

namespace vandir::testing {

// Closes the pop-up that the user-interface thread shows modally (the
// no-mouse notice of Apply) from inside its own modal loop; counts the notices
// it closed.
class NoticeCloser {
public:
    explicit NoticeCloser(HWND owner)
        : closer_(
              // A visible window owned by the main window with the pop-up's OK button.
              [owner](HWND window) {
                  return ::GetWindow(window, GW_OWNER) == owner &&
                         ::GetDlgItem(window, IDC_POPUP_OK) != nullptr;
              },
              [this](HWND window) {
                  const auto* firmware = dynamic_cast<CKivStatic*>(
                      CWnd::FromHandle(::GetDlgItem(window, IDC_POPUP_FIRMWARE_VERSION)));
                  firmwareText_ = firmware != nullptr && firmware->text() ? *firmware->text() : L"";
                  ClickButton(window, IDC_POPUP_OK);
              }) {}
    int closed() const { return closer_.closed(); }
    // The firmware version the last closed pop-up showed.
    const std::wstring& firmwareText() const { return firmwareText_; }

private:
    std::wstring firmwareText_;
    ModalCloser closer_;
};

}  // namespace vandir::testing
