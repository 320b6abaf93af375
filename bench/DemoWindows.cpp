#include "DemoWindows.h"

#include <string_view>

namespace vandir::bench {

namespace {

constexpr std::wstring_view kMainWindowTitle = L"Meridane Vandir II";

struct WindowSearch {
    DWORD processId;
    HWND found;
};

}  // namespace

HWND FindMainWindow(DWORD processId) {
    WindowSearch search{processId, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<WindowSearch*>(context);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            wchar_t title[64] = {};
            ::GetWindowTextW(window, title, 64);
            if (owner == s->processId && ::IsWindowVisible(window) &&
                std::wstring_view(title) == kMainWindowTitle) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindVisibleControl(HWND window, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            if (::GetDlgCtrlID(child) == s->id && ::IsWindowVisible(child)) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Click(HWND window, int id) {
    const HWND button = FindVisibleControl(window, id);
    if (button == nullptr) {
        return false;
    }
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(::GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                          reinterpret_cast<LPARAM>(button), SMTO_NORMAL, 5000, &ignored);
    return true;
}

bool Press(HWND window, int id) {
    const HWND button = FindVisibleControl(window, id);
    if (button == nullptr) {
        return false;
    }
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored);
    return true;
}

}  // namespace vandir::bench
