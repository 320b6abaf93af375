#include "platform/win32/framework/ToolTipCtrl.h"

#include <windows.h>
// <windows.h> first.
#include <commctrl.h>

#include <vector>

namespace vandir {

bool CToolTipCtrl::Create(const CWnd& owner, DWORD style) {
    const HWND hwnd =
        ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner.GetSafeHwnd(), nullptr,
                          ::GetModuleHandleW(nullptr), nullptr);
    return hwnd != nullptr && AdoptWindow(hwnd);
}

void CToolTipCtrl::Activate(BOOL activate) const {
    SendMessage(TTM_ACTIVATE, activate, 0);
}

TOOLINFOW CToolTipCtrl::ToolInfo(const CWnd& tool) const {
    TOOLINFOW info{};
    // The size every version of the control accepts.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = tool.GetParent();
    info.uId = reinterpret_cast<UINT_PTR>(tool.GetSafeHwnd());
    return info;
}

bool CToolTipCtrl::AddTool(const CWnd& tool, const std::wstring& text) const {
    TOOLINFOW info = ToolInfo(tool);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void CToolTipCtrl::UpdateTipText(const std::wstring& text, const CWnd& tool) const {
    TOOLINFOW info = ToolInfo(tool);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

std::wstring CToolTipCtrl::GetText(const CWnd& tool) const {
    // The control copies at most 80 characters here; tips are shorter.
    std::vector<wchar_t> buffer(1024, L'\0');
    TOOLINFOW info = ToolInfo(tool);
    info.lpszText = buffer.data();
    SendMessage(TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&info));
    return buffer.data();
}

void CToolTipCtrl::RelayEvent(MSG* message) const {
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(message));
}

int CToolTipCtrl::GetToolCount() const {
    return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT, 0, 0));
}

}  // namespace vandir
