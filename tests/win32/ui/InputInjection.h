#pragma once
// Real input for the window tests: SendInput events take the system's own
// path (the low-level hooks, the capture, the window under the pointer), as a
// user's mouse and keyboard would.

#include <gtest/gtest.h>

#include <windows.h>

#include <span>
#include <vector>

namespace vandir {

// An absolute pointer move to a screen point, with button changes at that
// point when buttonFlags names any (MOUSEEVENTF_LEFTDOWN, ...).
inline INPUT MouseMoveTo(POINT screen, DWORD buttonFlags = 0) {
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Rounded up, so that the system's mapping back lands on the same pixel.
    input.mi.dx = static_cast<LONG>((screen.x * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>((screen.y * 65536LL + height - 1) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
    return input;
}

inline INPUT MouseMoveBy(LONG dx, LONG dy) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    return input;
}

// A button change where the pointer is (MOUSEEVENTF_LEFTDOWN, ...).
inline INPUT MouseButton(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    return input;
}

inline INPUT LeftDown() {
    return MouseButton(MOUSEEVENTF_LEFTDOWN);
}
inline INPUT LeftUp() {
    return MouseButton(MOUSEEVENTF_LEFTUP);
}

inline INPUT Wheel(int delta) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.mouseData = static_cast<DWORD>(delta);
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    return input;
}

// A key press or release, with the scan code and extended flag a keyboard
// would give.
inline INPUT Key(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    const bool extended = vk == VK_RIGHT || vk == VK_LEFT || vk == VK_UP || vk == VK_DOWN ||
                          vk == VK_INSERT || vk == VK_DELETE || vk == VK_HOME || vk == VK_END;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

// A press and release of one key.
inline std::vector<INPUT> Tap(WORD vk) {
    return {Key(vk, false), Key(vk, true)};
}

// Injects the events in one call; fails unless the system took all of them.
inline ::testing::AssertionResult SendInputs(std::vector<INPUT> inputs) {
    const UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) {
        return ::testing::AssertionFailure() << "SendInput sent " << sent << " of " << inputs.size()
                                             << " events, error " << ::GetLastError();
    }
    return ::testing::AssertionSuccess();
}

// Lets go of the mouse buttons and the given keys that are still down, for
// example after a test stopped half-way through a click.
inline void ReleaseHeldInput(std::span<const WORD> keys = {}) {
    std::vector<INPUT> release;
    for (WORD vk : keys) {
        if (::GetAsyncKeyState(vk) & 0x8000) {
            release.push_back(Key(vk, true));
        }
    }
    if (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) {
        release.push_back(MouseButton(MOUSEEVENTF_LEFTUP));
    }
    if (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) {
        release.push_back(MouseButton(MOUSEEVENTF_RIGHTUP));
    }
    if (!release.empty()) {
        ::SendInput(static_cast<UINT>(release.size()), release.data(), sizeof(INPUT));
    }
}

}  // namespace vandir
