#pragma once
// The window a key-capture or pop-up dialog belongs to in the window tests: a
// plain 640 x 480 owner at a given place, with the function selector the
// dialog writes to bound to a button near its bottom; and where such a dialog
// opens on it.

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Wnd.h"
#include "skin/KivComboButton.h"
#include "win32/windows/ScreenPixels.h"

namespace vandir {

inline ::testing::AssertionResult CreateSelectorOwner(CWnd& owner, CKivComboButton& selector,
                                                      const wchar_t* className, POINT at) {
    const wchar_t* cls =
        CWnd::RegisterWindowClass(className, 0, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!owner.CreateEx(0, cls, L"owner", WS_POPUP | WS_VISIBLE,
                        RECT{at.x, at.y, at.x + 640, at.y + 480}, nullptr, 0)) {
        return ::testing::AssertionFailure() << "no owner window";
    }
    const HWND button =
        ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 440, 160,
                          24, owner, reinterpret_cast<HMENU>(500), nullptr, nullptr);
    if (!selector.SubclassWindow(button)) {
        return ::testing::AssertionFailure() << "the selector was not bound";
    }
    return ::testing::AssertionSuccess();
}

// Expects the dialog at its owner's client origin, the size of its sheet.
inline void ExpectAtOwnersOriginSizedAs(const CWnd& dialog, HWND owner, Gdiplus::Image& sheet) {
    const RECT window = dialog.GetWindowRect();
    const RECT client = ClientToScreenRect(owner, 0, 0, 0, 0);
    EXPECT_EQ(window.left, client.left);
    EXPECT_EQ(window.top, client.top);
    EXPECT_EQ(window.right - window.left, static_cast<LONG>(sheet.GetWidth()));
    EXPECT_EQ(window.bottom - window.top, static_cast<LONG>(sheet.GetHeight()));
}

}  // namespace vandir
